#include "ztr_search/formSzukaj.h"

#include "platform/Application.h"
#include "platform/Cursor.h"
#include "platform/Dialogs.h"
#include "platform/ErrorReport.h"
#include "platform/Fonts.h"
#include "platform/Help.h"
#include "platform/drives/Drives.h"
#include "ztr_search/CatalogueText.h"
#include "ztr_search/FmxUtils.h"
#include "ztr_search/LineList.h"
#include "ztr_search/RadioGroup.h"
#include "ztr_search/WielkieLitery.h"
#include "ztr_search/formBazaDanych.h"
#include "ztr_search/formDodaj.h"
#include "ztr_search/formInformacje.h"

#include <QCollator>
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTimer>
#include <algorithm>
#include <memory>

TfrmSzukaj* frmSzukaj = nullptr;

namespace {

constexpr int minimumOuterWidth = 370;
constexpr int minimumClientHeight = 360;

QLabel* label(const QString& text, QWidget* parent, int left, int top)
{
    auto* result = new QLabel(text, parent);
    result->move(left, top);
    result->adjustSize();
    return result;
}

QPushButton* button(const QString& text, const QString& hint, QWidget* parent, QRect geometry)
{
    auto* result = new QPushButton(text, parent);
    result->setGeometry(geometry);
    result->setToolTip(hint);
    return result;
}

// "." stands for an empty value in the catalogue, and a missing one shows the same.
QString fieldText(const QVariant& value)
{
    return value.isNull() ? QStringLiteral(".") : value.toString();
}

} // namespace

TfrmSzukaj::TfrmSzukaj(QWidget* parent)
    : QMainWindow(parent)
{
    frmSzukaj = this;
    setWindowTitle(QStringLiteral("Zintra Search"));
    setFont(platform::defaultWindowFont());
    buildMenu();
    buildControls();
    connectHandlers();
    // The outer size of 524 by 414 is the client area with the menu bar and a window frame.
    resize(516, 365 + MainMenu1->sizeHint().height());
    FormCreate();
}

TfrmSzukaj::~TfrmSzukaj()
{
    if (frmSzukaj == this)
        frmSzukaj = nullptr;
}

void TfrmSzukaj::buildMenu()
{
    MainMenu1 = menuBar();
    Plik1 = MainMenu1->addMenu(QStringLiteral("Plik"));
    Dodajpyt1 = Plik1->addAction(QStringLiteral("Dodaj płytę"));
    Dodajpytzpengr1 = Plik1->addAction(QStringLiteral("Dodaj płytę z pełną grą"));
    Wyjd1 = Plik1->addAction(QStringLiteral("Zamknij"));
    Pomoc1 = MainMenu1->addMenu(QStringLiteral("Pomoc"));
    Pomoc2 = Pomoc1->addAction(QStringLiteral("Pomoc"));
    Oprogramie1 = Pomoc1->addAction(QStringLiteral("O programie"));
}

void TfrmSzukaj::buildControls()
{
    client = new QWidget(this);
    setCentralWidget(client);
    client->installEventFilter(this);

    Bevel1 = new QFrame(client);
    Bevel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    Bevel1->setGeometry(0, 0, 511, 11);

    RadioGroup_operacja = new RadioGroup(QStringLiteral("Operacja"),
        { QStringLiteral("Szukaj programu według nazwy"), QStringLiteral("Wyświetl informacje o płycie") }, 2, client);
    RadioGroup_operacja->setGeometry(10, 10, 491, 41);
    RadioGroup_operacja->setItemIndex(0);
    RadioGroup_operacja->setToolTip(
        QStringLiteral("Wyszukiwanie programu według nazwy lub oglądanie zawartości całej płyty"));

    Label_szukany = label(QStringLiteral("Podaj nazwę"), client, 10, 70);
    Edit_tytul = new QLineEdit(client);
    Edit_tytul->setGeometry(110, 70, 120, 21);
    Edit_tytul->setToolTip(QStringLiteral("Szukany wyraz. Po wpisaniu naciśnij klawisz Enter lub przycisk Szukaj"));
    Edit_tytul->installEventFilter(this);
    button_szukaj = button(
        QStringLiteral("Szukaj"), QStringLiteral("Naciśnij by znaleźć programy"), client, { 250, 68, 100, 25 });

    Label_wyswietl = label(QStringLiteral("Wybierz płytę"), client, 10, 70);
    Label_wyswietl->hide();
    cmbListaPlyt = new QComboBox(client);
    cmbListaPlyt->setEditable(false);
    cmbListaPlyt->setGeometry(110, 70, 241, 21);
    cmbListaPlyt->setToolTip(QStringLiteral("Wybór całej płyty"));
    cmbListaPlyt->hide();

    Label2 = label(QStringLiteral("Znalezione programy"), client, 10, 100);
    ListBox1 = new LineList(client);
    ListBox1->setGeometry(10, 120, 491, 121);
    ListBox1->setItemHeight(15);
    ListBox1->setToolTip(QStringLiteral("Lista znalezionych programów"));

    Label3 = label(QStringLiteral("Opis wybranego programu"), client, 10, 250);
    memo1 = new QPlainTextEdit(client);
    memo1->setGeometry(10, 270, 491, 50);
    memo1->setReadOnly(true);
    memo1->setFocusPolicy(Qt::NoFocus);
    memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    QPalette memoColours = memo1->palette();
    memoColours.setBrush(QPalette::Base, memoColours.button());
    memo1->setPalette(memoColours);
    memo1->setToolTip(QStringLiteral("Dokładny opis wybranego programu"));

    Button_instaluj = button(QStringLiteral("Instaluj program"), QStringLiteral("Instalacja wybranego programu"),
        client, { 10, 330, 101, 25 });
    Button_instaluj->setEnabled(false);
    Button_wyjdz = button(
        QStringLiteral("Zamknij"), QStringLiteral("Powrót do systemu operacyjnego"), client, { 430, 330, 75, 25 });

    setTabOrder(Edit_tytul, button_szukaj);
    setTabOrder(button_szukaj, cmbListaPlyt);
    setTabOrder(cmbListaPlyt, ListBox1);
    setTabOrder(ListBox1, Button_instaluj);
    setTabOrder(Button_instaluj, Button_wyjdz);
    setTabOrder(Button_wyjdz, RadioGroup_operacja);
}

void TfrmSzukaj::connectHandlers()
{
    using platform::connectGuarded;
    connectGuarded(button_szukaj, &QPushButton::clicked, this, &TfrmSzukaj::button_szukajClick);
    connectGuarded(cmbListaPlyt, &QComboBox::activated, this, &TfrmSzukaj::cmbListaPlytChange);
    connectGuarded(ListBox1, &LineList::lineClicked, this, &TfrmSzukaj::ListBox1Click);
    connectGuarded(memo1, &QPlainTextEdit::textChanged, this, &TfrmSzukaj::memo1Change);
    connectGuarded(RadioGroup_operacja, &RadioGroup::Click, this, &TfrmSzukaj::RadioGroup_operacjaClick);
    connectGuarded(Dodajpyt1, &QAction::triggered, this, &TfrmSzukaj::Dodajpyt1Click);
    connectGuarded(Dodajpytzpengr1, &QAction::triggered, this, &TfrmSzukaj::Dodajpytzpengr1Click);
    connectGuarded(Wyjd1, &QAction::triggered, this, &TfrmSzukaj::Wyjd1Click);
    connectGuarded(Pomoc2, &QAction::triggered, this, &TfrmSzukaj::Pomoc2Click);
    connectGuarded(Oprogramie1, &QAction::triggered, this, &TfrmSzukaj::Oprogramie1Click);
    connectGuarded(Button_wyjdz, &QPushButton::clicked, this, &TfrmSzukaj::Button_wyjdzClick);
    connectGuarded(Button_instaluj, &QPushButton::clicked, this, &TfrmSzukaj::Button_instalujClick);
}

bool TfrmSzukaj::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == client && event->type() == QEvent::Resize) {
        platform::runGuarded([this] { FormResize(); });
    } else if (watched == Edit_tytul && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter || !key->text().isEmpty()) {
            const QChar typed = enter ? QChar(13) : key->text().at(0);
            platform::runGuarded([this, typed] { Edit_tytulKeyPress(typed); });
        }
    } else if (watched == Edit_tytul && event->type() == QEvent::MouseButtonRelease) {
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            platform::runGuarded([this] { Edit_tytulClick(); });
    }
    // The field still gets every key and click it is sent.
    return QMainWindow::eventFilter(watched, event);
}

void TfrmSzukaj::FormCreate()
{
    Label_wyswietl->move(10, 70);
    cmbListaPlyt->move(110, 70);
    ZnajdzNapedyCD();
}

void TfrmSzukaj::ZnajdzNapedyCD()
{
    napedyCD_.clear();
    const platform::DriveMap drives = platform::DriveMap::current();
    for (char16_t letter = u'C'; letter <= u'Z'; ++letter)
        if (drives.type(QChar(letter)) == platform::DriveType::CdRom)
            napedyCD_ += QChar(letter);
}

void TfrmSzukaj::FormResize()
{
    // The lower bound on width is on the outer width, the one on height on the client height.
    // The window springs back once the resize under way has finished laying out the client area.
    QSize wanted = size();
    if (frameGeometry().width() < minimumOuterWidth)
        wanted.setWidth(minimumOuterWidth - (frameGeometry().width() - width()));
    if (client->height() < minimumClientHeight)
        wanted.setHeight(height() + minimumClientHeight - client->height());
    if (wanted != size())
        QTimer::singleShot(0, this, [this, wanted] { resize(wanted); });

    const int cw = client->width();
    const int ch = client->height();
    Bevel1->resize(cw, Bevel1->height());
    RadioGroup_operacja->resize(cw - 18, RadioGroup_operacja->height());
    ListBox1->resize(cw - 18, ch - 250);
    memo1->resize(cw - 18, memo1->height());
    Label3->move(Label3->x(), ch - 115);
    memo1->move(memo1->x(), ch - 95);
    Button_instaluj->move(Button_instaluj->x(), ch - 35);
    Button_wyjdz->move(cw - 83, ch - 35);
}

QString TfrmSzukaj::WielkieLitery(const QString& text)
{
    return ::WielkieLitery(text);
}

QStringList TfrmSzukaj::resultLines(platform::Query& query)
{
    const auto column = [&](const QString& name) {
        const int index = query.fieldIndex(name);
        if (index < 0)
            query.fieldByName(name); // throws the engine's "not found"
        return index;
    };
    const int name = column(QStringLiteral("nazwa_programu"));
    const int description = column(QStringLiteral("opis_programu"));
    const int requirements = column(QStringLiteral("wymagania"));
    const int installPath = column(QStringLiteral("instalacja"));
    const int disc = column(QStringLiteral("nazwa_plyty"));
    QStringList lines { QString() };
    for (; !query.eof(); query.next()) {
        lines << resultLine(fieldText(query.value(name)), fieldText(query.value(description)),
            fieldText(query.value(requirements)), fieldText(query.value(installPath)), fieldText(query.value(disc)));
    }
    lines.first() = summaryLine(lines.size() - 1);
    return lines;
}

void TfrmSzukaj::button_szukajClick()
{
    const platform::BusyCursor busy;
    const QString word = WielkieLitery(Edit_tytul->text());
    platform::Query& query = *frmBazaDanych->qryztr;
    query.close();
    query.clearSql();
    for (const QString& line : searchStatement(frmBazaDanych->DatabaseZtr->anyUpperCaseLike(searchedColumns())))
        query.addSql(line);
    // Bound, not spliced: a quote in the word is searched for like any other character.
    query.addBindValue(searchPattern(word));
    query.open();
    const QStringList lines = resultLines(query);
    // The description of a line from the previous result must not outlive that result.
    memo1->clear();
    ListBox1->setLines(lines);
    Edit_tytul->setSelection(0, static_cast<int>(Edit_tytul->text().size()));
}

void TfrmSzukaj::Edit_tytulKeyPress(QChar key)
{
    if (key == QChar(13))
        button_szukajClick();
}

void TfrmSzukaj::Edit_tytulClick()
{
    Edit_tytul->selectAll();
}

void TfrmSzukaj::cmbListaPlytChange()
{
    const int chosen = cmbListaPlyt->currentIndex();
    if (chosen < 0)
        return;
    const int discId = cmbListaPlyt->itemData(chosen).toInt();
    const platform::BusyCursor busy;
    platform::Query& query = *frmBazaDanych->qryztr;
    query.close();
    query.clearSql();
    for (const QString& line : discStatement())
        query.addSql(line);
    query.addBindValue(discId);
    query.open();
    const QStringList lines = resultLines(query);
    ListBox1->setLines(QStringList());
    memo1->clear();
    ListBox1->setLines(lines);
}

void TfrmSzukaj::WypelnijListePlyt()
{
    platform::Table& discs = *frmBazaDanych->tblplyty;
    // Opening reads the table from its first row; a table open already is read again.
    if (discs.active())
        discs.first();
    else
        discs.open();
    cmbListaPlyt->clear();

    struct Entry {
        QString name;
        int id;
    };
    std::vector<Entry> entries;
    entries.reserve(static_cast<std::size_t>(std::max(discs.recordCount(), 0)));
    const int name = discs.fieldIndex(QStringLiteral("nazwa_plyty"));
    const int id = discs.fieldIndex(QStringLiteral("id_plyty"));
    if (name < 0 || id < 0)
        discs.fieldByName(name < 0 ? QStringLiteral("nazwa_plyty") : QStringLiteral("id_plyty"));
    for (int row = 0; row < discs.recordCount() && !discs.eof(); ++row, discs.next())
        entries.push_back({ discs.value(name).toString(), discs.value(id).toInt() });

    QCollator polish { QLocale(QLocale::Polish, QLocale::Poland) };
    polish.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(entries.begin(), entries.end(),
        [&](const Entry& a, const Entry& b) { return polish.compare(a.name, b.name) < 0; });

    // One model built whole is far quicker than adding tens of thousands of entries one by one.
    auto* model = new QStandardItemModel(static_cast<int>(entries.size()), 1, cmbListaPlyt);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        auto* item = new QStandardItem(entries[i].name);
        item->setData(entries[i].id, Qt::UserRole);
        model->setItem(static_cast<int>(i), item);
    }
    cmbListaPlyt->setModel(model);
    cmbListaPlyt->setCurrentIndex(-1);
}

void TfrmSzukaj::ListBox1Click()
{
    memo1->clear();
    const int selected = ListBox1->itemIndex();
    if (selected < 0)
        return;
    const QString line = ListBox1->line(selected);
    if (isSummaryLine(line))
        return;
    memo1->setPlainText(line);
}

void TfrmSzukaj::memo1Change()
{
    Button_instaluj->setEnabled(!memo1->document()->isEmpty());
}

void TfrmSzukaj::RadioGroup_operacjaClick()
{
    memo1->clear();
    const bool byName = RadioGroup_operacja->itemIndex() == 0;
    Label_wyswietl->setVisible(!byName);
    cmbListaPlyt->setVisible(!byName);
    Label_szukany->setVisible(byName);
    Edit_tytul->setVisible(byName);
    button_szukaj->setVisible(byName);
}

void TfrmSzukaj::Dodajpyt1Click()
{
    // A fresh window each time, released as soon as it has closed.
    const auto window = std::make_unique<TfrmDodaj>(this);
    window->exec();
}

void TfrmSzukaj::Dodajpytzpengr1Click()
{
}

void TfrmSzukaj::Wyjd1Click()
{
    platform::Application::terminate();
}

void TfrmSzukaj::Pomoc2Click()
{
    platform::showHelpContents(this, platform::Application::helpFile());
}

void TfrmSzukaj::Oprogramie1Click()
{
    auto* window = new TfrmInformacje(this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->exec();
}

void TfrmSzukaj::Button_wyjdzClick()
{
    platform::Application::terminate();
}

void TfrmSzukaj::Button_instalujClick()
{
    // With no line selected, the line whose description is shown is the one the user chose.
    const int selected = ListBox1->itemIndex();
    const QString line = selected >= 0 ? ListBox1->line(selected) : memo1->toPlainText();
    if (line.isEmpty()) {
        platform::showMessage(QStringLiteral("Nie wybrano programu."));
        return;
    }
    const std::optional<QString> installPath = installPathOfLine(line);
    const std::optional<QString> discName = discNameOfLine(line);
    if (!installPath || !discName) {
        platform::showMessage(QStringLiteral("Wybrany wiersz nie zawiera ścieżki instalacji i nazwy płyty."));
        return;
    }
    // Read at each press: a disc put in since the start has its folder now.
    const platform::DriveMap drives = platform::DriveMap::current();
    for (const QChar letter : NapedyCD()) {
        // No backslash after the colon: a path without one is taken from the drive's root.
        const std::optional<QString> file = drives.resolve(letter + QStringLiteral(":") + *installPath);
        if (!file || !QFileInfo(*file).isFile())
            continue;
        const QString root = drives.resolve(letter + QStringLiteral(":\\")).value_or(QString());
        if (!ShellStartFile(*file, QString(), root, SW_SHOW))
            platform::showMessage(QStringLiteral("Nie udało się uruchomić pliku: %1").arg(*file));
        return;
    }
    platform::showMessage(QStringLiteral("Proszę włożyć płytę: ") + *discName);
}
