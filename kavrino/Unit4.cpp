#include "kavrino/Unit4.h"

#include "kavrino/TextPrintout.h"
#include "platform/ErrorReport.h"
#include "platform/Fonts.h"
#include "platform/IntegerConversion.h"
#include "platform/Printer.h"
#include "platform/TextFile.h"
#include "platform/Timer.h"

#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdint>

TForm4* Form4 = nullptr;

namespace {

// The designed window is 433 by 408 pixels with its frame, title bar and menu bar.
constexpr QSize clientSize{425, 354};

// Beyond this a single letter no longer fits the text area, and far beyond it the glyphs alone
// would take gigabytes.
constexpr std::int64_t largestPoints = 1000;

// A negative size is taken by its magnitude, as the original platform took it.
int pointsFromBox(std::int32_t value)
{
    const std::int64_t magnitude = value < 0 ? -std::int64_t{value} : std::int64_t{value};
    return static_cast<int>(std::clamp<std::int64_t>(magnitude, 1, largestPoints));
}

platform::FileDialogOptions textFileDialog(const QString& title)
{
    return {title, QStringLiteral("*.txt|*.txt"), QStringLiteral("txt"), QStringLiteral("*.txt")};
}

} // namespace

TForm4::TForm4(QWidget* parent)
    : QWidget(parent)
{
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Edytor tekstu dla Kavrino"));
    setFont(platform::defaultWindowFont());

    MainMenu1 = new QMenuBar(this);
    Plik1 = MainMenu1->addMenu(QStringLiteral("Plik"));
    Nowy1 = Plik1->addAction(QStringLiteral("Nowy"));
    Otwrz1 = Plik1->addAction(QStringLiteral("Otwórz"));
    Zapisz1 = Plik1->addAction(QStringLiteral("Zapisz"));
    N1 = Plik1->addAction(QStringLiteral("Drukuj"));
    Plik1->addSeparator();
    Wyjcie2 = Plik1->addAction(QStringLiteral("Wyjście"));

    // Controls sit at fixed pixels in the area below the menu bar.
    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(MainMenu1);
    layout->addWidget(client);

    // Created first: the text area comes first in the tab order and takes the focus.
    Memo1 = new QPlainTextEdit(client);
    Memo1->setGeometry(8, 40, 409, 289);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setPlainText(QStringLiteral("\n"));

    Label2 = new QLabel(QStringLiteral("Wielkość czczionki:"), client);
    Label2->move(8, 0);
    Label2->adjustSize();

    ComboBox1 = new QComboBox(client);
    ComboBox1->setGeometry(16, 16, 89, 21);
    ComboBox1->setEditable(true);
    // Typed text stays as typed: no completion from the list and no new list entries.
    ComboBox1->setCompleter(nullptr);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->addItems({QStringLiteral("5"), QStringLiteral("7"), QStringLiteral("9"), QStringLiteral("10"),
        QStringLiteral("12"), QStringLiteral("14"), QStringLiteral("16"), QStringLiteral("18"), QStringLiteral("20")});
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setEditText(QStringLiteral("Wybierz"));

    Button1 = new QPushButton(QStringLiteral("Zmień czcionkę"), client);
    Button1->setGeometry(128, 8, 105, 25);

    Label1 = new QLabel(QStringLiteral("by QW"), client);
    Label1->move(0, 336);
    Label1->adjustSize();

    setTabOrder(Memo1, ComboBox1);
    setTabOrder(ComboBox1, Button1);

    Timer1 = new platform::Timer(this, 1, false);

    OpenDialog1 = textFileDialog(QStringLiteral("Otwórz"));
    SaveDialog1 = textFileDialog(QStringLiteral("Zapisz"));
    FontDialog1 = {platform::defaultWindowFont(), Qt::black};
    setMemoFont(FontDialog1);

    move(200, 114);
    resize(clientSize.width(), clientSize.height() + MainMenu1->sizeHint().height());

    // Connected once the size box holds its starting text, which is no size.
    platform::connectGuarded(ComboBox1, &QComboBox::editTextChanged, this, &TForm4::ComboBox1Change);
    platform::connectGuarded(Button1, &QPushButton::clicked, this, &TForm4::Button1Click);
    platform::connectGuarded(Timer1, &platform::Timer::tick, this, &TForm4::Timer1Timer);
    platform::connectGuarded(Nowy1, &QAction::triggered, this, &TForm4::Nowy1Click);
    platform::connectGuarded(Otwrz1, &QAction::triggered, this, &TForm4::Otwrz1Click);
    platform::connectGuarded(Zapisz1, &QAction::triggered, this, &TForm4::Zapisz1Click);
    platform::connectGuarded(N1, &QAction::triggered, this, &TForm4::N1Click);
    platform::connectGuarded(Wyjcie2, &QAction::triggered, this, &TForm4::Wyjcie2Click);
}

platform::FontChoice TForm4::memoFont() const
{
    return {Memo1->font(), Memo1->palette().color(QPalette::Text)};
}

void TForm4::setMemoFont(const platform::FontChoice& choice)
{
    Memo1->setFont(choice.font);
    QPalette palette = Memo1->palette();
    palette.setColor(QPalette::Text, choice.color);
    Memo1->setPalette(palette);
}

void TForm4::ComboBox1Change()
{
    const int points = pointsFromBox(platform::parseInteger(ComboBox1->currentText()));
    QFont font = Memo1->font();
    font.setPixelSize(platform::pixelsForPoints(points));
    Memo1->setFont(font);
}

void TForm4::Button1Click()
{
    if (const auto chosen = platform::dialogs().chooseFont(FontDialog1)) {
        FontDialog1 = *chosen;
        // Every confirmation is copied, so that "OK" also undoes a size set in the size box.
        Timer1->setEnabled(true);
    }
}

void TForm4::Timer1Timer()
{
    Timer1->setEnabled(false);
    if (memoFont() != FontDialog1)
        setMemoFont(FontDialog1);
}

void TForm4::Nowy1Click()
{
    Memo1->clear();
}

void TForm4::Otwrz1Click()
{
    const auto fileName = platform::dialogs().openFile(OpenDialog1);
    if (!fileName)
        return;
    OpenDialog1.fileName = *fileName;
    Memo1->setPlainText(platform::readTextFile(*fileName));
}

void TForm4::Zapisz1Click()
{
    const auto fileName = platform::dialogs().saveFile(SaveDialog1);
    if (!fileName)
        return;
    SaveDialog1.fileName = *fileName;
    platform::writeTextFile(*fileName, Memo1->toPlainText());
}

void TForm4::N1Click()
{
    platform::Printer& printer = platform::printer();
    if (!platform::dialogs().choosePrinter(printer))
        return;
    const platform::FontChoice font = memoFont();
    kavrino::printPlainText(printer, windowTitle(), Memo1->toPlainText(), font.font, font.color);
}

void TForm4::Wyjcie2Click()
{
    close();
}
