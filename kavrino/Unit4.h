// The text editor window: a small plain-text pad beside the console, with a size box, a font
// dialog and a "Plik" menu to empty, open, save and print the text.
// Created hidden at start and shown on demand; nothing passes in or out.
#pragma once

#include "platform/Dialogs.h"

#include <QWidget>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;

namespace platform {
class Timer;
}

class TForm4 : public QWidget {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);

    QMenuBar* MainMenu1;
    QMenu* Plik1;
    QAction* Nowy1;
    QAction* Otwrz1;
    QAction* Zapisz1;
    QAction* N1; // "Drukuj"
    QAction* Wyjcie2;

    QLabel* Label2;
    QComboBox* ComboBox1;
    QPushButton* Button1;
    QPlainTextEdit* Memo1;
    QLabel* Label1;

    // Interval 1 ms, but ticking only while a confirmed font waits to be copied to the text.
    platform::Timer* Timer1;

    platform::FileDialogOptions OpenDialog1;
    platform::FileDialogOptions SaveDialog1;
    // The font dialog's font: what the dialog starts from, changed only by confirming it.
    platform::FontChoice FontDialog1;

    // The text area's font and colour.
    platform::FontChoice memoFont() const;

public slots:
    void ComboBox1Change();
    void Button1Click();
    void Timer1Timer();
    void Nowy1Click();
    void Otwrz1Click();
    void Zapisz1Click();
    void N1Click();
    void Wyjcie2Click();

private:
    void setMemoFont(const platform::FontChoice& choice);
};

extern TForm4* Form4;
