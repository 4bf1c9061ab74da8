#include "ztr_search/formDodaj.h"

#include "platform/Dialogs.h"
#include "platform/ErrorReport.h"
#include "platform/Fonts.h"
#include "platform/Forms.h"
#include "platform/TextFile.h"
#include "platform/drives/Drives.h"
#include "platform/drives/VolumeSerial.h"
#include "ztr_search/MenuReader.h"
#include "ztr_search/formSzukaj.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>

TfrmDodaj* frmDodaj = nullptr;

namespace {

const QStringList menuFileNames { QStringLiteral("ztr_menu\\ztr_menu.inw"), QStringLiteral("ztr_menu\\ztr_menu.ini"),
    QStringLiteral("ztr_menu\\data\\menu.ini") };

QLabel* label(const QString& text, QWidget* parent, int left, int top)
{
    auto* result = new QLabel(text, parent);
    result->move(left, top);
    result->adjustSize();
    return result;
}

void paintLikeAButton(QWidget* control)
{
    QPalette colours = control->palette();
    colours.setBrush(QPalette::Base, colours.button());
    control->setPalette(colours);
}

void fillGrid(StringGrid& grid, const std::vector<MenuEntry>& entries)
{
    grid.setRowCount(static_cast<int>(entries.size()));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int row = static_cast<int>(i);
        grid.setCell(0, row, entries[i].title);
        grid.setCell(1, row, entries[i].description);
        grid.setCell(2, row, entries[i].installer);
        grid.setCell(3, row, entries[i].requirements);
    }
}

} // namespace

TfrmDodaj::TfrmDodaj(QWidget* parent)
    : QDialog(parent,
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    frmDodaj = this;
    setWindowTitle(QStringLiteral("Dodawanie płyty"));
    setFont(platform::defaultWindowFont());
    setFixedSize(618, 335);

    Label2 = label(QStringLiteral("Numer seryjny"), this, 330, 10);
    EditNumer = new QLineEdit(this);
    EditNumer->setGeometry(420, 10, 121, 21);
    EditNumer->setToolTip(QStringLiteral("Numer seryjny odczytany z płyty"));
    EditNumer->setReadOnly(true);
    EditNumer->setFocusPolicy(Qt::ClickFocus);
    paintLikeAButton(EditNumer);

    Label3 = label(QStringLiteral("Programy na płycie"), this, 10, 50);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setGeometry(8, 72, 601, 209);
    Memo1->setToolTip(QStringLiteral("Lista odczytanych programów"));
    Memo1->setReadOnly(true);
    Memo1->setFocusPolicy(Qt::ClickFocus);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    ButtonOdczytaj = new QPushButton(QStringLiteral("Odczytaj"), this);
    ButtonOdczytaj->setGeometry(132, 298, 75, 25);
    ButtonOdczytaj->setToolTip(QStringLiteral("Odczytuje informacje o programach z płyty"));
    // Enter in a field of the window presses no button, as on a plain form.
    ButtonOdczytaj->setAutoDefault(false);

    platform::connectGuarded(ButtonOdczytaj, &QPushButton::clicked, this, &TfrmDodaj::ButtonOdczytajClick);
}

TfrmDodaj::~TfrmDodaj()
{
    if (frmDodaj == this)
        frmDodaj = nullptr;
}

void TfrmDodaj::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        platform::centreOnScreen(this);
    platform::runGuarded([this] { FormShow(); });
}

void TfrmDodaj::FormShow()
{
    sgznalezioneprogramy.setCell(0, 0, QStringLiteral("Tytul programu"));
    sgznalezioneprogramy.setCell(1, 0, QStringLiteral("Opis programu"));
    sgznalezioneprogramy.setCell(2, 0, QStringLiteral("Program instalacyjny"));
    sgznalezioneprogramy.setCell(3, 0, QStringLiteral("Wymagania systemowe"));
}

std::optional<TfrmDodaj::MenuFile> TfrmDodaj::findMenuFile() const
{
    const QString letters = frmSzukaj ? frmSzukaj->NapedyCD() : QString();
    if (letters.isEmpty())
        return std::nullopt;
    const platform::DriveMap drives = platform::DriveMap::current();
    for (const QChar letter : letters) {
        for (const QString& name : menuFileNames) {
            const QString windowsPath = QString(letter) + QStringLiteral(":\\") + name;
            const std::optional<QString> local = drives.resolve(windowsPath);
            if (local && QFileInfo(*local).isFile())
                return MenuFile { windowsPath, *local };
        }
    }
    return std::nullopt;
}

std::optional<QString> TfrmDodaj::ZnajdzPlikMenu() const
{
    const std::optional<MenuFile> found = findMenuFile();
    if (!found)
        return std::nullopt;
    return found->windowsPath;
}

int TfrmDodaj::ZnajdzLinie(const QStringList& lines, const QString& key)
{
    return findLine(lines, key);
}

QString TfrmDodaj::WytnijKlamry(QString& text)
{
    return cutBracedValue(text);
}

bool TfrmDodaj::CzytajFormatNazwa(QStringList& lines, StringGrid& grid)
{
    const std::vector<MenuEntry> entries = readBracedFormat(lines);
    fillGrid(grid, entries);
    return entries.size() >= minimumMenuEntries;
}

bool TfrmDodaj::CzytajFormatExecute(QStringList& lines, StringGrid& grid)
{
    const std::vector<MenuEntry> entries = readSectionFormat(lines);
    fillGrid(grid, entries);
    return entries.size() >= minimumMenuEntries;
}

QString TfrmDodaj::NumerSeryjnyDysku(const QString& path)
{
    const std::optional<quint32> serial = platform::volumeSerial(platform::DriveMap::current(), path);
    if (!serial)
        return QStringLiteral("01234567");
    return QStringLiteral("%1").arg(*serial, 8, 16, QChar(u'0')).toUpper();
}

void TfrmDodaj::ButtonOdczytajClick()
{
    QString fileName;
    if (const std::optional<MenuFile> found = findMenuFile()) {
        sciezkaMenu = found->windowsPath;
        fileName = found->localPath;
    } else {
        platform::showMessage(QStringLiteral("Nie mogę znaleźć płyty Zintra. Proszę wybrać pliki"));
        platform::FileDialogOptions options;
        options.filter = QStringLiteral("Wszystkie pliki (*.*)|*.*");
        const std::optional<QString> chosen = platform::dialogs().openFile(options);
        if (!chosen)
            return;
        fileName = *chosen;
        // The window later checks the drive by the path's first three characters.
        sciezkaMenu = platform::DriveMap::current().windowsPath(fileName);
    }

    const MenuText file(platform::readTextFile(fileName));
    QStringList bracedLines = file.lines();
    QStringList sectionLines = file.lines();
    StringGrid read(4, 0);
    if (!CzytajFormatNazwa(bracedLines, read) && !CzytajFormatExecute(sectionLines, read)) {
        platform::showMessage(QStringLiteral("To nie jest plik z płyty Zintra"));
        return;
    }

    EditNumer->setText(NumerSeryjnyDysku(sciezkaMenu));
    const int count = read.rowCount();
    sgznalezioneprogramy.setRowCount(count + 1);
    QString list;
    for (int row = 0; row < count; ++row) {
        for (int col = 0; col < 4; ++col)
            sgznalezioneprogramy.setCell(col, row + 1, read.cell(col, row));
        list += read.cell(0, row) + QStringLiteral(" - ") + read.cell(1, row) + read.cell(3, row) + u'\n';
    }
    list.chop(1);
    // One text set at once: a disc may list thousands of programs.
    Memo1->setPlainText(list);
}
