// TForm1, the console's main window: the turtle canvas above a grey panel with the text screen,
// the input line and its "OK!" button; the menus, the three timers and the pointer tracking; and
// Button1Click, the command interpreter that turns each confirmed line into work.
#pragma once

#include "kavrino/CommandHistory.h"
#include "kavrino/Zolw.h"
#include "platform/DialogComponents.h"
#include "platform/Label.h"
#include "platform/ListBox.h"
#include "platform/MediaPlayer.h"
#include "platform/PictureControl.h"
#include "platform/Timer.h"

#include <QAction>
#include <QHash>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QRect>
#include <cstdint>

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Components, in creation order: later ones lie above earlier ones.
    platform::PictureControl* Image1;
    platform::Label* Label1;
    platform::Label* Label2;
    platform::Label* Label3;
    platform::Label* Label4;
    platform::Label* Label5;
    TZolw* Zolw1;
    platform::PictureControl* Image2; // heading 180
    platform::PictureControl* Image3; // heading 90
    platform::PictureControl* Image4; // heading 0
    platform::PictureControl* Image5; // heading 270
    platform::Label* Label6;
    QLineEdit* Edit1;
    platform::ListBox* ListBox1;
    QPushButton* Button1;
    platform::MediaPlayer* MediaPlayer1;
    platform::Timer* Timer1;
    platform::Timer* Timer2;
    platform::Timer* Timer3;
    platform::ColorDialog* ColorDialog1;
    platform::PictureFileDialog* OpenPictureDialog1;
    platform::PictureFileDialog* SavePictureDialog1;
    platform::FontDialog* FontDialog1;
    platform::PrintDialog* PrintDialog1;

    QMenuBar* MainMenu1;
    QMenu* Plik1;
    QAction* Nowy1;
    QAction* Otwrz1;
    QAction* Zapisz1;
    QAction* N1;
    QAction* Wyjcie2;
    QMenu* Pomoc1;
    QAction* Spisprocedur1;
    QAction* Oprogramie1;

    // Window state, one per program.
    std::int32_t PendingState = 0;
    bool TurtleHidden = false;
    int FormMouseX = 0;
    int FormMouseY = 0;
    int CanvasMouseX = 0;
    int CanvasMouseY = 0;
    std::int32_t CaptionTick = 0;
    QRect PrintRect;

    // The client area, the window's own surface on which the components lie.
    QWidget* clientArea() const { return centralWidget(); }

public slots:
    void FormCreate();
    void FormMouseMove(Qt::KeyboardModifiers modifiers, int x, int y);
    void Zolw1MouseMove(Qt::KeyboardModifiers modifiers, int x, int y);
    void Button1Click();
    void Timer1Timer();
    void Timer2Timer();
    void Timer3Timer();
    void Label3Click();
    void Label4Click();
    void Label5Click();
    void Nowy1Click();
    void Otwrz1Click();
    void Zapisz1Click();
    void N1Click();
    void Wyjcie2Click();
    void Spisprocedur1Click();
    void Oprogramie1Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using Command = void (TForm1::*)(const QString& line);

    // The lines typed so far, recalled with the arrow keys in the input line.
    kavrino::CommandHistory history_;

    void createComponents();
    void createMenu();
    void connectHandlers();
    static const QHash<QString, Command>& commands();

    // The text screen and the input line.
    void append(const QString& text);
    void clearInput();

    void printCanvas();
    void placeTurtleText();
    void setBackground(const QColor& color);

    // The command words; each receives the whole line.
    void commandVideo(const QString& line);
    void commandTurnRight(const QString& line);
    void commandTurnLeft(const QString& line);
    void commandShowHeading(const QString& line);
    void commandSetHeading(const QString& line);
    void commandChangeTurtle(const QString& line);
    void commandCursor(const QString& line);
    void commandTextEditor(const QString& line);
    void commandPlaySound(const QString& line);
    void commandCanvasText(const QString& line);
    void commandShowTurtle(const QString& line);
    void commandPenUp(const QString& line);
    void commandPenDown(const QString& line);
    void commandWrite(const QString& line);
    void commandTextFont(const QString& line);
    void commandBeep(const QString& line);
    void commandHideTurtle(const QString& line);
    void commandReference(const QString& line);
    void commandLogOff(const QString& line);
    void commandDate(const QString& line);
    void commandTime(const QString& line);
    void commandTimedClearing(const QString& line);
    void commandCheckFolder(const QString& line);
    void commandClearText(const QString& line);
    void commandShowX(const QString& line);
    void commandNewPosition(const QString& line);
    void commandShowY(const QString& line);
    void commandMousePosition(const QString& line);
    void commandRemoveFolder(const QString& line);
    void commandClearScreen(const QString& line);
    void commandForward(const QString& line);
    void commandLoadScreen(const QString& line);
    void commandBackground(const QString& line);
    void commandAbout(const QString& line);
    void commandNewFolder(const QString& line);
    void commandMoveToMouse(const QString& line);
    void commandPrint(const QString& line);
    void commandQuit(const QString& line);
};

extern TForm1* Form1;
