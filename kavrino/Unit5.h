// The print-progress dialog: a bar that runs while the canvas prints; its button aborts the job.
// Created hidden at start and shown on demand; nothing passes in or out.
#pragma once

#include <QWidget>

class TOKBottomDlg : public QWidget {
    Q_OBJECT
public:
    explicit TOKBottomDlg(QWidget* parent = nullptr);
};

extern TOKBottomDlg* OKBottomDlg;
