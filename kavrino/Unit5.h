// The print-progress dialog: a bar that runs while the canvas prints; its button aborts the job.
// Created hidden at start and shown on demand; nothing passes in or out.
#pragma once

#include "platform/AnimationControl.h"
#include "platform/Timer.h"

#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>

class TOKBottomDlg : public QWidget {
    Q_OBJECT
public:
    explicit TOKBottomDlg(QWidget* parent = nullptr);

    QFrame* Bevel1;
    QLabel* Label1;
    QProgressBar* ProgressBar1;
    platform::AnimationControl* Animate1;
    QPushButton* OKBtn;
    platform::Timer* Timer1;

public slots:
    void FormActivate();
    void Timer1Timer();
    void OKBtnClick();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

extern TOKBottomDlg* OKBottomDlg;
