#include "kavrino/Unit1.h"

#include "kavrino/ConsoleTables.h"
#include "kavrino/TurtlePictures.h"
#include "kavrino/Unit2.h"
#include "kavrino/Unit3.h"
#include "kavrino/Unit4.h"
#include "kavrino/Unit5.h"
#include "platform/Application.h"
#include "platform/Beep.h"
#include "platform/Clock.h"
#include "platform/Cursor.h"
#include "platform/Directories.h"
#include "platform/ErrorReport.h"
#include "platform/Fonts.h"
#include "platform/Forms.h"
#include "platform/IntegerConversion.h"
#include "platform/Printer.h"
#include "platform/Session.h"
#include "platform/WindowCaption.h"

#include <QGuiApplication>
#include <QHash>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <algorithm>
#include <functional>
#include <limits>

TForm1* Form1 = nullptr;

namespace {

const QString formCaption = QStringLiteral("Kavrino");
// Bitmaps first, as the default; PNG so that a drawing can be shared as it is.
const QString pictureFilter = QStringLiteral("Bitmaps (*.bmp)|*.bmp|PNG (*.png)|*.png");
const QColor silver(192, 192, 192);

// The window's own surface. It reports the pointer only where no control lies above it, since a
// control takes the pointer for itself, and it hands Enter to the default button wherever the
// focused control leaves it, as a dialog's default button takes it.
class ClientArea : public QWidget {
public:
    explicit ClientArea(std::function<void(Qt::KeyboardModifiers, int, int)> onMove)
        : onMove_(std::move(onMove))
    {
        setMouseTracking(true);
        setAutoFillBackground(true);
    }

    void setDefaultButton(QPushButton* button) { defaultButton_ = button; }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (enter && defaultButton_ && defaultButton_->isEnabled()) {
            defaultButton_->click();
            return;
        }
        QWidget::keyPressEvent(event);
    }

    void mouseMoveEvent(QMouseEvent* event) override
    {
        const QPoint p = event->position().toPoint();
        if (!childAt(p))
            platform::runGuarded([&] { onMove_(event->modifiers(), p.x(), p.y()); });
    }

private:
    std::function<void(Qt::KeyboardModifiers, int, int)> onMove_;
    QPushButton* defaultButton_ = nullptr;
};

// Widgets cannot stand at any 32-bit position; far-off positions stay far off.
int widgetCoordinate(std::int32_t value)
{
    constexpr std::int32_t limit = 1 << 24;
    return std::clamp(value, -limit, limit);
}

platform::PictureControl* makeTurtlePicture(QWidget* parent, int left, int top, QImage picture)
{
    auto* image = new platform::PictureControl(parent);
    image->setAutoSize(true);
    image->setBitmap(std::move(picture));
    image->move(left, top);
    return image;
}

platform::Label* makePanelLabel(QWidget* parent, const QString& text, int left, int top)
{
    auto* label = new platform::Label(text, parent);
    label->setTextColor(Qt::red);
    label->setBackground(silver);
    label->move(left, top);
    return label;
}

} // namespace

TForm1::TForm1(QWidget* parent)
    : QMainWindow(parent)
{
    setWindowTitle(formCaption);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(platform::fontWithPixelHeight(QStringLiteral("MS Sans Serif"), 11));

    setCentralWidget(
        new ClientArea([this](Qt::KeyboardModifiers modifiers, int x, int y) { FormMouseMove(modifiers, x, y); }));
    setBackground(Qt::white);

    createComponents();
    createMenu();
    connectHandlers();

    move(219, 138);
    resize(536, 323 + menuBar()->sizeHint().height());
    // Without a window manager the maximised state is only a wish, so the size is set as well.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    setWindowState(Qt::WindowMaximized);

    FormCreate();
}

TForm1::~TForm1()
{
    MediaPlayer1->close();
    delete ColorDialog1;
    delete OpenPictureDialog1;
    delete SavePictureDialog1;
    delete FontDialog1;
    delete PrintDialog1;
}

void TForm1::createComponents()
{
    QWidget* client = clientArea();

    // The grey backdrop of the lower panel, shown unscaled.
    Image1 = new platform::PictureControl(client);
    Image1->setGeometry(-8, 416, 825, 145);
    QImage backdrop(871, 143, QImage::Format_RGB32);
    backdrop.fill(silver);
    Image1->setBitmap(std::move(backdrop));

    Label1 = makePanelLabel(client, QStringLiteral("Kavrino"), 704, 424);
    Label2 = makePanelLabel(client, QString(), 704, 440);
    Label3 = makePanelLabel(client, QStringLiteral("Autor:"), 704, 456);
    Label4 = makePanelLabel(client, QStringLiteral("Kwintel"), 704, 472);
    Label5 = makePanelLabel(client, QStringLiteral("Time"), 704, 496);
    Label5->setFont(platform::fontWithPixelHeight(QStringLiteral("MS Sans Serif"), 13));
    Label5->setTextColor(Qt::blue);
    Label5->adjustSize();

    Zolw1 = new TZolw(client);
    Zolw1->setGeometry(0, 0, 801, 417);
    Zolw1->setX(0);
    Zolw1->setY(0);

    Image2 = makeTurtlePicture(client, 104, 64, kavrino::turtlePictureUp());
    Image3 = makeTurtlePicture(client, 160, 72, kavrino::turtlePictureRight());
    Image4 = makeTurtlePicture(client, 224, 72, kavrino::turtlePictureDown());
    Image5 = makeTurtlePicture(client, 272, 88, kavrino::turtlePictureLeft());

    Label6 = new platform::Label(QStringLiteral("Label6"), client);
    Label6->move(352, 48);
    Label6->hide();

    const QFont fixedsys = platform::fontWithPixelHeight(QStringLiteral("Fixedsys"), 16);
    Edit1 = new QLineEdit(client);
    Edit1->setGeometry(8, 528, 689, 23);
    Edit1->setFont(fixedsys);
    Edit1->setMaxLength(std::numeric_limits<int>::max()); // a pasted line is taken whole
    Edit1->installEventFilter(this);

    ListBox1 = new platform::ListBox(client);
    ListBox1->setGeometry(8, 416, 689, 105);
    ListBox1->setFont(fixedsys);
    ListBox1->setItemHeight(15);

    Button1 = new QPushButton(QStringLiteral("OK!"), client);
    Button1->setGeometry(704, 528, 89, 25);
    Button1->setAutoDefault(false);
    Button1->setDefault(true);
    static_cast<ClientArea*>(client)->setDefaultButton(Button1);

    setTabOrder(Edit1, ListBox1);
    setTabOrder(ListBox1, Button1);
    Edit1->setFocus();

    MediaPlayer1 = new platform::MediaPlayer(this);
    MediaPlayer1->setDeviceType(platform::MediaDeviceType::AviVideo);

    Timer1 = new platform::Timer(this, 300, true);
    Timer2 = new platform::Timer(this, 1000, true);
    Timer3 = new platform::Timer(this, 100000, false);

    ColorDialog1 = new platform::ColorDialog(Qt::white);
    OpenPictureDialog1 = new platform::PictureFileDialog(
        platform::PictureFileDialog::Mode::Open, { QString(), pictureFilter, {}, {} });
    SavePictureDialog1 = new platform::PictureFileDialog(platform::PictureFileDialog::Mode::Save,
        { QString(), pictureFilter, QStringLiteral("bmp"), QStringLiteral("*.bmp") });
    FontDialog1
        = new platform::FontDialog({ platform::fontWithPixelHeight(QStringLiteral("MS Sans Serif"), 11), Qt::black });
    PrintDialog1 = new platform::PrintDialog;
}

void TForm1::createMenu()
{
    MainMenu1 = menuBar();
    Plik1 = MainMenu1->addMenu(QStringLiteral("Plik"));
    Nowy1 = Plik1->addAction(QStringLiteral("Nowy"));
    Otwrz1 = Plik1->addAction(QStringLiteral("Otwórz"));
    Zapisz1 = Plik1->addAction(QStringLiteral("Zapisz"));
    N1 = Plik1->addAction(QStringLiteral("Drukuj"));
    Plik1->addSeparator();
    Wyjcie2 = Plik1->addAction(QStringLiteral("Wyjście"));
    Pomoc1 = MainMenu1->addMenu(QStringLiteral("Pomoc"));
    Spisprocedur1 = Pomoc1->addAction(QStringLiteral("Spis procedur"));
    Oprogramie1 = Pomoc1->addAction(QStringLiteral("O programie"));
}

void TForm1::connectHandlers()
{
    using platform::connectGuarded;
    connectGuarded(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connectGuarded(Zolw1, &TZolw::MouseMove, this, &TForm1::Zolw1MouseMove);
    connectGuarded(Timer1, &platform::Timer::tick, this, &TForm1::Timer1Timer);
    connectGuarded(Timer2, &platform::Timer::tick, this, &TForm1::Timer2Timer);
    connectGuarded(Timer3, &platform::Timer::tick, this, &TForm1::Timer3Timer);
    connectGuarded(Label3, &platform::Label::Click, this, &TForm1::Label3Click);
    connectGuarded(Label4, &platform::Label::Click, this, &TForm1::Label4Click);
    connectGuarded(Label5, &platform::Label::Click, this, &TForm1::Label5Click);
    connectGuarded(Nowy1, &QAction::triggered, this, &TForm1::Nowy1Click);
    connectGuarded(Otwrz1, &QAction::triggered, this, &TForm1::Otwrz1Click);
    connectGuarded(Zapisz1, &QAction::triggered, this, &TForm1::Zapisz1Click);
    connectGuarded(N1, &QAction::triggered, this, &TForm1::N1Click);
    connectGuarded(Wyjcie2, &QAction::triggered, this, &TForm1::Wyjcie2Click);
    connectGuarded(Spisprocedur1, &QAction::triggered, this, &TForm1::Spisprocedur1Click);
    connectGuarded(Oprogramie1, &QAction::triggered, this, &TForm1::Oprogramie1Click);
}

void TForm1::FormCreate()
{
    append(QStringLiteral("Witaj w Kavrino!"));
    append(QStringLiteral("Autor: Kwintel"));
    append(QString());
}

void TForm1::FormMouseMove(Qt::KeyboardModifiers, int x, int y)
{
    FormMouseX = x;
    FormMouseY = y;
}

void TForm1::Zolw1MouseMove(Qt::KeyboardModifiers, int x, int y)
{
    CanvasMouseX = x;
    CanvasMouseY = y;
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Edit1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            const std::optional<QString> recalled
                = key == Qt::Key_Up ? history_.older(Edit1->text()) : history_.newer();
            if (recalled)
                Edit1->setText(*recalled);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::append(const QString& text)
{
    ListBox1->addItem(text);
}

void TForm1::clearInput()
{
    Edit1->clear();
}

void TForm1::setBackground(const QColor& color)
{
    QPalette colours = clientArea()->palette();
    if (colours.color(QPalette::Window) == color)
        return;
    colours.setColor(QPalette::Window, color);
    clientArea()->setPalette(colours);
}

// ---------------------------------------------------------------------------------------------
// Timers, labels and menus

void TForm1::Timer1Timer()
{
    const QColor background = ColorDialog1->color();
    if (!Label6->autoFillBackground() || Label6->palette().color(QPalette::Window) != background)
        Label6->setBackground(background);

    if (Zolw1->Kat() == -90)
        Zolw1->setKat(270);
    if (Zolw1->Kat() == -180)
        Zolw1->setKat(180);

    if (!TurtleHidden) {
        platform::PictureControl* shown = nullptr;
        switch (Zolw1->Kat()) {
        case 180: shown = Image2; break;
        case 270: shown = Image5; break;
        case 0: shown = Image4; break;
        case 90: shown = Image3; break;
        default: break; // the picture of the last straight heading stays
        }
        if (shown)
            for (platform::PictureControl* image : { Image2, Image3, Image4, Image5 })
                image->setVisible(image == shown);
    }

    const QPoint turtle(widgetCoordinate(Zolw1->X()), widgetCoordinate(Zolw1->Y()));
    for (platform::PictureControl* image : { Image2, Image3, Image4, Image5 })
        if (image->pos() != turtle)
            image->move(turtle);

    setBackground(background);

    const kavrino::CaptionStep step = kavrino::nextCaption(CaptionTick, formCaption);
    CaptionTick = step.tick;
    platform::setCaption(this, step.caption);
}

void TForm1::Timer2Timer()
{
    Label5->setCaption(platform::timeOfDayText());
}

void TForm1::Timer3Timer()
{
    ListBox1->clear();
}

void TForm1::Label3Click()
{
    platform::showForm(AboutBox);
}

void TForm1::Label4Click()
{
    platform::showForm(AboutBox);
}

void TForm1::Label5Click()
{
    platform::showMessage(QStringLiteral("To jest aktualna godzina."));
}

void TForm1::Nowy1Click()
{
    clearInput();
    append(QStringLiteral("Ekran graficzny został wyczyszczony."));
    Zolw1->clearPicture();
    Label6->hide();
    Zolw1->setX(0);
    Zolw1->setY(0);
    Zolw1->setKat(180);
    Zolw1->setKrok(0);
}

void TForm1::Otwrz1Click()
{
    if (OpenPictureDialog1->execute())
        Zolw1->loadFromFile(OpenPictureDialog1->fileName());
}

void TForm1::Zapisz1Click()
{
    if (SavePictureDialog1->execute() && !Zolw1->picture().isEmpty())
        Zolw1->saveToFile(SavePictureDialog1->fileName());
}

void TForm1::N1Click()
{
    if (!PrintDialog1->execute())
        return;
    PrintRect = QRect(0, 0, 800, 600);
    platform::showForm(OKBottomDlg);
    printCanvas();
}

void TForm1::Wyjcie2Click()
{
    if (platform::dialogs().askYesNo(
            QStringLiteral("Confirm"), QStringLiteral("Czy napewno chcesz wyjść ?"), platform::MessageIcon::Question))
        platform::Application::terminate();
}

void TForm1::Spisprocedur1Click()
{
    platform::showForm(Form3);
}

void TForm1::Oprogramie1Click()
{
    platform::showForm(AboutBox);
}

void TForm1::printCanvas()
{
    platform::Printer& printer = platform::printer();
    printer.beginDoc(platform::Application::title());
    // Whatever its size, the picture fills the rectangle; an empty one leaves the page blank.
    printer.stretchDraw(PrintRect, Zolw1->picture().image());
    printer.endDoc();
}

void TForm1::placeTurtleText()
{
    Label6->move(widgetCoordinate(Zolw1->X()), widgetCoordinate(Zolw1->Y()));
    Label6->show();
}

// ---------------------------------------------------------------------------------------------
// The interpreter

void TForm1::Button1Click()
{
    const QString line = Edit1->text();
    history_.confirm(line);

    // A waiting command takes the line as its parameter, whatever the line says. Where the state
    // returns to 0 matters: before the number is read, a bad number loses the line; after it,
    // the same question stays open.
    switch (PendingState) {
    case 1:
        platform::createDirectory(line);
        PendingState = 0;
        append(QStringLiteral("Został utworzony folder:") + line);
        clearInput();
        return;
    case 2:
        platform::removeDirectory(line);
        append(QStringLiteral("Usunięto katalog:") + line);
        clearInput();
        PendingState = 0;
        return;
    case 3:
        if (line == u"1") {
            clearInput();
            append(QStringLiteral("Funkcja czasowego czyszczenia ekranu została włączona!"));
            append(QStringLiteral("Podaj czas:"));
            PendingState = 4;
            return;
        }
        if (line == u"2") {
            clearInput();
            PendingState = 0;
            Timer3->setEnabled(false);
            append(QStringLiteral("Funcja czyszczenia czasowego została wyłączona!"));
            return;
        }
        break; // the question stays open; the line may be a command
    case 4:
        PendingState = 0;
        Timer3->setInterval(platform::parseInteger(line));
        append(QStringLiteral("Ustalony czas:"));
        append(line);
        Timer3->setEnabled(true);
        clearInput();
        return;
    case 5:
        append(platform::directoryExists(line) ? QStringLiteral("Taki katalog istnieje!")
                                               : QStringLiteral("Taki katalog nie istnieje!"));
        PendingState = 0;
        clearInput();
        return;
    case 8:
    case 9:
        MediaPlayer1->setDeviceType(
            PendingState == 8 ? platform::MediaDeviceType::AviVideo : platform::MediaDeviceType::WaveAudio);
        MediaPlayer1->setFileName(line);
        MediaPlayer1->open();
        MediaPlayer1->play();
        append(QStringLiteral("Został odegrany plik:") + line);
        clearInput();
        PendingState = 0;
        return;
    case 10:
        if (const std::optional<int> cursor = kavrino::cursorValueForLine(line))
            platform::setScreenCursor(*cursor);
        append(QStringLiteral("Wybrano kursor o numerze:") + line);
        clearInput();
        PendingState = 0;
        return;
    case 11:
        Zolw1->setX(platform::parseInteger(line));
        append(line);
        clearInput();
        append(QStringLiteral("Podaj współrzędną Y:"));
        PendingState = 12;
        return;
    case 12:
        Zolw1->setY(platform::parseInteger(line));
        append(line);
        clearInput();
        PendingState = 0;
        return;
    case 13:
        Zolw1->setKrok(platform::parseInteger(line));
        Zolw1->StepForward();
        append(QStringLiteral("Żółw poszedł do przodu o :") + line);
        clearInput();
        PendingState = 0;
        return;
    case 14:
        PendingState = 0;
        Zolw1->TurnLeft(platform::parseInteger(line));
        append(line);
        clearInput();
        return;
    case 15:
        PendingState = 0;
        Zolw1->TurnRight(platform::parseInteger(line));
        append(line);
        clearInput();
        return;
    case 16:
        PendingState = 0;
        append(line);
        clearInput();
        return;
    case 17:
        Label6->setCaption(line);
        clearInput();
        placeTurtleText();
        PendingState = 0;
        return;
    case 18:
        PendingState = 0;
        Zolw1->setKat(platform::parseInteger(line));
        append(QStringLiteral("Skierowano żółwia na kąt:") + line);
        clearInput();
        return;
    default: break;
    }

    const auto command = commands().constFind(line);
    if (command == commands().constEnd()) {
        append(QStringLiteral("Błąd nie wiem jak wykonać:") + line);
        clearInput();
        return;
    }
    (this->*command.value())(line);
}

const QHash<QString, TForm1::Command>& TForm1::commands()
{
    static const QHash<QString, Command> table {
        { QStringLiteral("wideo"), &TForm1::commandVideo },
        { QStringLiteral("pw"), &TForm1::commandTurnRight },
        { QStringLiteral("lw"), &TForm1::commandTurnLeft },
        { QStringLiteral("kąt"), &TForm1::commandShowHeading },
        { QStringLiteral("skieruj"), &TForm1::commandSetHeading },
        { QStringLiteral("zmieńżółwia"), &TForm1::commandChangeTurtle },
        { QStringLiteral("kursor"), &TForm1::commandCursor },
        { QStringLiteral("tekst"), &TForm1::commandTextEditor },
        { QStringLiteral("grajplik"), &TForm1::commandPlaySound },
        { QStringLiteral("pisztekst"), &TForm1::commandCanvasText },
        { QStringLiteral("pż"), &TForm1::commandShowTurtle },
        { QStringLiteral("pod"), &TForm1::commandPenUp },
        { QStringLiteral("opu"), &TForm1::commandPenDown },
        { QStringLiteral("pisz"), &TForm1::commandWrite },
        { QStringLiteral("uptż"), &TForm1::commandTextFont },
        { QStringLiteral("beep"), &TForm1::commandBeep },
        { QStringLiteral("sż"), &TForm1::commandHideTurtle },
        { QStringLiteral("spis"), &TForm1::commandReference },
        { QStringLiteral("wychodz"), &TForm1::commandLogOff },
        { QStringLiteral("data"), &TForm1::commandDate },
        { QStringLiteral("czas"), &TForm1::commandTime },
        { QStringLiteral("czyśćtekstczasowo"), &TForm1::commandTimedClearing },
        { QStringLiteral("sprawdzfolder"), &TForm1::commandCheckFolder },
        { QStringLiteral("czyśćtekst"), &TForm1::commandClearText },
        { QStringLiteral("pozx"), &TForm1::commandShowX },
        { QStringLiteral("nowexy"), &TForm1::commandNewPosition },
        { QStringLiteral("pozy"), &TForm1::commandShowY },
        { QStringLiteral("poz myszy"), &TForm1::commandMousePosition },
        { QStringLiteral("usuń folder"), &TForm1::commandRemoveFolder },
        { QStringLiteral("cs"), &TForm1::commandClearScreen },
        { QStringLiteral("np"), &TForm1::commandForward },
        { QStringLiteral("ładek"), &TForm1::commandLoadScreen },
        { QStringLiteral("tło"), &TForm1::commandBackground },
        { QStringLiteral("QW"), &TForm1::commandAbout },
        { QStringLiteral("nowy folder"), &TForm1::commandNewFolder },
        { QStringLiteral("nowexymysz"), &TForm1::commandMoveToMouse },
        { QStringLiteral("drukuj"), &TForm1::commandPrint },
        { QStringLiteral("dość"), &TForm1::commandQuit },
    };
    return table;
}

void TForm1::commandVideo(const QString&)
{
    clearInput();
    append(QStringLiteral("Podaj nazwę pliku:"));
    PendingState = 8;
}

void TForm1::commandTurnRight(const QString&)
{
    append(QStringLiteral("Podaj kąt:"));
    clearInput();
    PendingState = 15;
}

void TForm1::commandTurnLeft(const QString&)
{
    append(QStringLiteral("Podaj kąt:"));
    clearInput();
    PendingState = 14;
}

void TForm1::commandShowHeading(const QString&)
{
    append(QStringLiteral("Aktualny kąt żółwia to:") + QString::number(Zolw1->Kat()));
    clearInput();
}

void TForm1::commandSetHeading(const QString& line)
{
    append(line);
    clearInput();
    append(QStringLiteral("Podaj kąt:"));
    PendingState = 18;
}

void TForm1::commandChangeTurtle(const QString& line)
{
    if (OpenPictureDialog1->execute()) {
        const QString fileName = OpenPictureDialog1->fileName();
        for (platform::PictureControl* image : { Image2, Image3, Image4, Image5 })
            image->loadFromFile(fileName);
        append(QStringLiteral("Zmieniono postać żółwia na plik:") + fileName);
    }
    append(line);
    clearInput();
}

void TForm1::commandCursor(const QString&)
{
    append(QStringLiteral("Podaj parametr:"));
    append(QStringLiteral("1 - 22"));
    clearInput();
    PendingState = 10;
}

void TForm1::commandTextEditor(const QString&)
{
    platform::showForm(Form4);
    clearInput();
}

void TForm1::commandPlaySound(const QString&)
{
    append(QStringLiteral("Podaj ścieżkę:"));
    clearInput();
    PendingState = 9;
}

void TForm1::commandCanvasText(const QString& line)
{
    append(line);
    clearInput();
    append(QStringLiteral("Jaki tekst mam wypisać ?"));
    PendingState = 17;
}

void TForm1::commandShowTurtle(const QString& line)
{
    TurtleHidden = false;
    append(line);
    append(QStringLiteral("Żółw został pokazany."));
    clearInput();
}

void TForm1::commandPenUp(const QString& line)
{
    Zolw1->setPisak(false);
    append(line);
    append(QStringLiteral("Pisak został podniesiony."));
    clearInput();
}

void TForm1::commandPenDown(const QString& line)
{
    Zolw1->setPisak(true);
    append(line);
    append(QStringLiteral("Pisak został opuszczony."));
    clearInput();
}

void TForm1::commandWrite(const QString& line)
{
    append(line);
    clearInput();
    append(QStringLiteral("Jaki tekst mam wypisać ?"));
    PendingState = 16;
}

void TForm1::commandTextFont(const QString& line)
{
    append(line);
    if (FontDialog1->execute()) {
        const platform::FontChoice& chosen = FontDialog1->font();
        Label6->setFont(chosen.font);
        Label6->setTextColor(chosen.color);
        Label6->adjustSize();
    }
    clearInput();
}

void TForm1::commandBeep(const QString& line)
{
    append(line);
    platform::beep();
    clearInput();
}

void TForm1::commandHideTurtle(const QString& line)
{
    TurtleHidden = true;
    append(line);
    append(QStringLiteral("Żółw został schowany."));
    clearInput();
    for (platform::PictureControl* image : { Image2, Image3, Image4, Image5 })
        image->hide();
}

void TForm1::commandReference(const QString&)
{
    platform::showForm(Form3);
    clearInput();
}

void TForm1::commandLogOff(const QString&)
{
    clearInput();
    append(QStringLiteral("Zamykanie systemu..."));
    platform::session().requestLogOff(); // a refusal is the session's answer, not an error
}

void TForm1::commandDate(const QString&)
{
    append(platform::todayText());
    clearInput();
}

void TForm1::commandTime(const QString&)
{
    append(platform::timeOfDayText());
    clearInput();
}

void TForm1::commandTimedClearing(const QString&)
{
    append(QStringLiteral("Czy chcesz uruchomić funkcję czyszczenia czasowego ?"));
    append(QStringLiteral("1 - tak  2 - nie"));
    clearInput();
    PendingState = 3;
}

void TForm1::commandCheckFolder(const QString&)
{
    clearInput();
    append(QStringLiteral("Podaj ścieżkę:"));
    PendingState = 5;
}

void TForm1::commandClearText(const QString&)
{
    ListBox1->clear();
    append(QStringLiteral("Ekran tekstowy został wyczyszczony!"));
    clearInput();
}

void TForm1::commandShowX(const QString&)
{
    append(QStringLiteral("Pozycja X żółwia:"));
    append(QString::number(Zolw1->X()));
    clearInput();
}

void TForm1::commandNewPosition(const QString&)
{
    append(QStringLiteral("Podaj współrzędną X:"));
    clearInput();
    PendingState = 11;
}

void TForm1::commandShowY(const QString&)
{
    append(QStringLiteral("Pozycja Y żółwia:"));
    append(QString::number(Zolw1->Y()));
    clearInput();
}

void TForm1::commandMousePosition(const QString&)
{
    append(QStringLiteral("Pozycja myszy na ekranie:"));
    append(QStringLiteral("X:"));
    append(QString::number(FormMouseX));
    append(QStringLiteral("Y:"));
    append(QString::number(FormMouseY));
    clearInput();
}

void TForm1::commandRemoveFolder(const QString&)
{
    append(QStringLiteral("Podaj parametr:"));
    clearInput();
    PendingState = 2;
}

void TForm1::commandClearScreen(const QString&)
{
    clearInput();
    append(QStringLiteral("Ekran graficzny został wyczyszczony."));
    Zolw1->clearPicture();
    Label6->hide();
    Zolw1->setX(0);
    Zolw1->setY(0);
    Zolw1->setKat(180);
    Zolw1->setKrok(0);
}

void TForm1::commandForward(const QString&)
{
    clearInput();
    append(QStringLiteral("Podaj parametr:"));
    PendingState = 13;
}

void TForm1::commandLoadScreen(const QString&)
{
    if (OpenPictureDialog1->execute())
        Zolw1->loadFromFile(OpenPictureDialog1->fileName());
    clearInput();
}

void TForm1::commandBackground(const QString&)
{
    ColorDialog1->execute(); // the timer applies whatever colour the dialog now holds
    clearInput();
}

void TForm1::commandAbout(const QString&)
{
    platform::showForm(AboutBox);
    clearInput();
}

void TForm1::commandNewFolder(const QString&)
{
    append(QStringLiteral("Podaj parametr:"));
    clearInput();
    PendingState = 1;
}

void TForm1::commandMoveToMouse(const QString& line)
{
    append(line);
    clearInput();
    Zolw1->setX(CanvasMouseX);
    Zolw1->setY(CanvasMouseY);
}

void TForm1::commandPrint(const QString& line)
{
    platform::showForm(OKBottomDlg);
    append(line);
    clearInput();
    if (PrintDialog1->execute()) {
        PrintRect = QRect(0, 0, 800, 600);
        printCanvas();
    }
}

void TForm1::commandQuit(const QString&)
{
    platform::Application::terminate();
    clearInput();
}
