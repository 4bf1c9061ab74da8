// The command reference window: help texts for the command words.
// Created hidden at start and shown on demand; nothing passes in or out.
#pragma once

#include <QWidget>

class TForm3 : public QWidget {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);
};

extern TForm3* Form3;
