// The text editor window: a small plain-text pad beside the console.
// Created hidden at start and shown on demand; nothing passes in or out.
#pragma once

#include <QWidget>

class TForm4 : public QWidget {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);
};

extern TForm4* Form4;
