// The about box: the program's name, author and a picture of the turtle.
// Created hidden at start and shown on demand; nothing passes in or out.
#pragma once

#include "platform/Label.h"
#include "platform/Panel.h"
#include "platform/PictureControl.h"

#include <QPushButton>
#include <QWidget>

class TAboutBox : public QWidget {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    platform::Panel* Panel1;
    platform::PictureControl* ProgramIcon;
    platform::Label* ProductName;
    platform::Label* Version;
    platform::Label* Copyright;
    platform::Label* Comments;
    QPushButton* OKButton;

public slots:
    void OKButtonClick();
    void ProgramIconClick();
    // A character key that reached the window itself rather than one of its controls.
    void FormKeyPress(QChar key);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

extern TAboutBox* AboutBox;
