// Shared set-up for the console's tests: fresh windows for every test, every desktop service
// replaced by a scripted or recording stand-in, and typing into the input line as a user does.
#pragma once

#include "kavrino/Unit1.h"
#include "kavrino/Unit2.h"
#include "kavrino/Unit3.h"
#include "kavrino/Unit4.h"
#include "kavrino/Unit5.h"
#include "platform/Application.h"
#include "platform/Clock.h"
#include "platform/Cursor.h"
#include "support/RecordingPrinter.h"
#include "support/RecordingServices.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <memory>

struct ConsoleFixture {
    ConsoleFixture()
    {
        platform::Application::setTitle(QStringLiteral("Kavrino"));
        Form1 = new TForm1;
        Form3 = new TForm3;
        AboutBox = new TAboutBox;
        Form4 = new TForm4;
        OKBottomDlg = new TOKBottomDlg;
    }
    ~ConsoleFixture()
    {
        for (QWidget* form : std::initializer_list<QWidget*> { OKBottomDlg, Form4, AboutBox, Form3, Form1 })
            delete form;
        Form1 = nullptr;
        Form3 = nullptr;
        AboutBox = nullptr;
        Form4 = nullptr;
        OKBottomDlg = nullptr;
        platform::setScreenCursor(platform::cursorDefault);
        platform::setFixedDateTime(std::nullopt);
    }

    // QTest::keyClicks passes only Latin-1, and the command words are Polish.
    static void type(QWidget* widget, const QString& text)
    {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &press);
            QApplication::sendEvent(widget, &release);
        }
    }

    // Replaces whatever the input line holds by `line` and presses Enter.
    void enter(const QString& line)
    {
        Form1->Edit1->selectAll();
        QTest::keyClick(Form1->Edit1, Qt::Key_Delete);
        type(Form1->Edit1, line);
        QTest::keyClick(Form1->Edit1, Qt::Key_Return);
    }
    void enterAll(const QStringList& lines)
    {
        for (const QString& line : lines)
            enter(line);
    }

    QStringList screen() const { return Form1->ListBox1->items(); }

    testing::ScriptedDialogs dialogs;
    testing::RecordingPrinter printer;
    testing::RecordingBeep beep;
    testing::RecordingSession session;
    testing::RecordingMediaOutput media;
};
