// The about box: the program's name, author and a picture of the turtle.
// Created hidden at start and shown on demand; nothing passes in or out.
#pragma once

#include <QWidget>

class TAboutBox : public QWidget {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
};

extern TAboutBox* AboutBox;
