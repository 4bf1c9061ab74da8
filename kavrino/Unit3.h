// The command reference window: help texts for the command words.
// Created hidden at start and shown on demand; nothing passes in or out.
#pragma once

#include "platform/Label.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QWidget>

class TForm3 : public QWidget {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);

    platform::Label* Label1;
    platform::Label* Label2;
    platform::Label* Label3;
    platform::Label* Label4;
    QComboBox* ComboBox1;
    platform::Label* Label5;
    platform::Label* Label6;
    platform::Label* Label7;
    platform::Label* Label8;
    QListWidget* ListBox1;
    platform::Label* Label9;
    QPushButton* Button1;

public slots:
    void ComboBox1Change();
    void ListBox1Click();
    void Label9Click();
    void Button1Click();
};

extern TForm3* Form3;
