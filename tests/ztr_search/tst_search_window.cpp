#include "platform/Application.h"
#include "platform/Cursor.h"
#include "platform/Help.h"
#include "support/DamageSqliteFile.h"
#include "support/ScriptedDialogs.h"
#include "ztr_search/LineList.h"
#include "ztr_search/ProgramStart.h"
#include "ztr_search/RadioGroup.h"
#include "ztr_search/formBazaDanych.h"
#include "ztr_search/formSzukaj.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <memory>

namespace {

struct Program {
    int disc;
    QString name, description, installPath, requirements;
};

// A catalogue in a temporary alias, with its own data folder and an empty drive map.
class Catalogue {
public:
    Catalogue()
    {
        qputenv("PLATFORM_DB_ALIASES", dir.filePath(QStringLiteral("aliases.conf")).toLocal8Bit());
        qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toLocal8Bit());
        qputenv("PLATFORM_DRIVE_MAP", dir.filePath(QStringLiteral("drives.map")).toLocal8Bit());
    }
    ~Catalogue()
    {
        qunsetenv("PLATFORM_DB_ALIASES");
        qunsetenv("XDG_DATA_HOME");
        qunsetenv("PLATFORM_DRIVE_MAP");
    }

    QString databasePath() const { return dir.filePath(QStringLiteral("catalogue.sqlite")); }

    void pointAliasAt(const QString& path)
    {
        QFile file(dir.filePath(QStringLiteral("aliases.conf")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("[Zintra Search]\nDRIVER=SQLITE\nPATH=%1\n").arg(path).toUtf8());
    }

    // Creates the catalogue with its tables and these rows.
    void fill(const QList<std::pair<int, QString>>& discs, const QList<Program>& programs)
    {
        pointAliasAt(databasePath());
        run([&](QSqlDatabase& db) {
            QVERIFY(db.transaction()); // one write for all rows
            QSqlQuery query(db);
            for (const QString& statement : TfrmBazaDanych::catalogueSchema())
                QVERIFY2(query.exec(statement), qPrintable(query.lastError().text()));
            for (const auto& [id, name] : discs) {
                query.prepare(QStringLiteral("insert into t_plyty values (?, ?, ?)"));
                query.addBindValue(id);
                query.addBindValue(name);
                query.addBindValue(QStringLiteral("0000000%1").arg(id).right(8));
                QVERIFY(query.exec());
            }
            for (const Program& p : programs) {
                query.prepare(QStringLiteral("insert into t_programy values (?, ?, ?, ?, ?)"));
                query.addBindValue(p.disc);
                query.addBindValue(p.name);
                query.addBindValue(p.description);
                query.addBindValue(p.installPath);
                query.addBindValue(p.requirements);
                QVERIFY(query.exec());
            }
            QVERIFY(db.commit());
        });
    }

    void execute(const QString& statement)
    {
        run([&](QSqlDatabase& db) { QVERIFY(QSqlQuery(db).exec(statement)); });
    }

    QTemporaryDir dir;

private:
    template <typename Work> void run(Work work)
    {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fixture"));
            db.setDatabaseName(databasePath());
            QVERIFY(db.open());
            work(db);
        }
        QSqlDatabase::removeDatabase(QStringLiteral("fixture"));
    }
};

const QList<std::pair<int, QString>> discs {
    { 1, QStringLiteral("Zintra 5/1999") },
    { 2, QStringLiteral("Łódzka płyta") },
    { 3, QStringLiteral("lublin") },
    { 4, QStringLiteral("Mazury") },
    { 5, QStringLiteral("Pusta płyta") },
};

const QList<Program> programs {
    { 1, QStringLiteral("Szachy"), QStringLiteral("Gra logiczna"), QStringLiteral("GRY\\SZACHY\\SETUP.EXE"),
        QStringLiteral(".") },
    { 1, QStringLiteral("Edytor"), QStringLiteral("źródło tekstu"), QStringLiteral("EDYTOR\\SETUP.EXE"),
        QStringLiteral("Windows 95") },
    { 2, QStringLiteral("AXB Commander"), QStringLiteral("."), QStringLiteral("AXB\\AXB.EXE"), QStringLiteral(".") },
    { 3, QStringLiteral("Cytat"), QStringLiteral("Program \"w cudzysłowie\""), QStringLiteral("CYTAT\\C.EXE"),
        QStringLiteral("100% RAM") },
    { 4, QStringLiteral("Znaleziono skarb"), QStringLiteral("Przygodówka"), QStringLiteral("SKARB\\S.EXE"),
        QStringLiteral(".") },
};

} // namespace

class TestSearchWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<Catalogue> catalogue;
    std::unique_ptr<testing::ScriptedDialogs> dialogs;
    std::unique_ptr<platform::Application> application;

    void start()
    {
        application = std::make_unique<platform::Application>();
        platform::Application::setTitle(QStringLiteral("Zintra Search"));
        createZintraSearchForms(*application);
        frmSzukaj->show();
        QVERIFY(QTest::qWaitForWindowExposed(frmSzukaj));
    }

    void search(const QString& word)
    {
        frmSzukaj->Edit_tytul->clear();
        // keyClicks knows Latin-1 only; Polish letters arrive as key events carrying their text.
        for (const QChar c : word) {
            if (c.unicode() < 0x80) {
                QTest::keyClick(frmSzukaj->Edit_tytul, c.toLatin1());
            } else {
                QTest::sendKeyEvent(QTest::Press, frmSzukaj->Edit_tytul, Qt::Key_unknown, QString(c), {});
                QTest::sendKeyEvent(QTest::Release, frmSzukaj->Edit_tytul, Qt::Key_unknown, QString(c), {});
            }
        }
        QTest::keyClick(frmSzukaj->Edit_tytul, Qt::Key_Return);
    }

    QStringList lines() const { return frmSzukaj->ListBox1->lines(); }

    int lineStarting(const QString& prefix) const
    {
        const QStringList all = lines();
        for (qsizetype i = 0; i < all.size(); ++i)
            if (all.at(i).startsWith(prefix))
                return static_cast<int>(i);
        return -1;
    }

    void selectLine(int index)
    {
        LineList* list = frmSzukaj->ListBox1;
        const QRect line = list->visualRect(list->model()->index(index, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, line.center());
    }

    void chooseDisc(const QString& name)
    {
        QComboBox* box = frmSzukaj->cmbListaPlyt;
        const int index = box->findText(name);
        QVERIFY(index >= 0);
        box->setCurrentIndex(index);
        emit box->activated(index);
    }

private slots:
    void init()
    {
        catalogue = std::make_unique<Catalogue>();
        dialogs = std::make_unique<testing::ScriptedDialogs>();
    }
    void cleanup()
    {
        application.reset();
        dialogs.reset();
        catalogue.reset();
    }

    void freshMachineGetsAnEmptyCatalogue()
    {
        start();
        QVERIFY(dialogs->messages().isEmpty());
        QVERIFY(QFile::exists(catalogue->dir.filePath(QStringLiteral("data/Zintra Search/bazadanych.sqlite"))));
        QCOMPARE(frmSzukaj->cmbListaPlyt->count(), 0);
        QCOMPARE(frmSzukaj->windowTitle(), QStringLiteral("Zintra Search"));
        QVERIFY(frmSzukaj->Edit_tytul->hasFocus());
        search(QString());
        QCOMPARE(lines(), QStringList { QStringLiteral("Znaleziono 0 programów") });
    }

    void catalogueThatCannotOpenShowsBladBde_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("missing folder") << "folder";
        QTest::newRow("damaged file") << "damaged";
        QTest::newRow("missing table") << "table";
    }
    void catalogueThatCannotOpenShowsBladBde()
    {
        QFETCH(QString, fault);
        if (fault == u"folder") {
            catalogue->pointAliasAt(catalogue->dir.filePath(QStringLiteral("none/catalogue.sqlite")));
        } else if (fault == u"damaged") {
            catalogue->pointAliasAt(catalogue->databasePath());
            QFile file(catalogue->databasePath());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(8192, 'x'));
        } else {
            catalogue->fill(discs, programs);
            catalogue->execute(QStringLiteral("drop table t_plyty"));
        }
        start();
        QCOMPARE(dialogs->messages(), QStringList { QStringLiteral("Błąd BDE") });
        QCOMPARE(frmSzukaj->cmbListaPlyt->count(), 0);
        // Later uses meet the engine's own error, and the cursor comes back.
        dialogs->clear();
        search(QStringLiteral("x"));
        QCOMPARE(dialogs->errors().size(), 1);
        QCOMPARE(platform::screenCursor(), platform::cursorDefault);
    }

    void searchFindsTheWordInAnyField_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("empty word lists every program")
            << "" << QStringList { "Szachy", "Edytor", "AXB Commander", "Cytat", "Znaleziono skarb" };
        QTest::newRow("lower case finds capitals") << "gra" << QStringList { "Szachy", "Cytat" };
        QTest::newRow("polish lower case") << "źródło" << QStringList { "Edytor" };
        QTest::newRow("polish mixed case") << "Źródło" << QStringList { "Edytor" };
        QTest::newRow("polish capitals") << "ŹRÓDŁO" << QStringList { "Edytor" };
        QTest::newRow("underscore is one character") << "A_B" << QStringList { "AXB Commander", "Znaleziono skarb" };
        QTest::newRow("percent is any text") << "gr%logi" << QStringList { "Szachy" };
        QTest::newRow("install path") << "szachy\\setup" << QStringList { "Szachy" };
        QTest::newRow("requirements") << "windows 9" << QStringList { "Edytor" };
        QTest::newRow("disc name") << "łódzka" << QStringList { "AXB Commander" };
        QTest::newRow("double quote is a character") << "\"w cudz" << QStringList { "Cytat" };
        QTest::newRow("quote and parenthesis cannot escape") << "\")) or 1=1 --" << QStringList {};
        QTest::newRow("no hits") << "nic takiego" << QStringList {};
    }
    void searchFindsTheWordInAnyField()
    {
        QFETCH(QString, word);
        QFETCH(QStringList, names);
        catalogue->fill(discs, programs);
        start();
        search(word);
        QVERIFY(dialogs->errors().isEmpty());
        const QStringList found = lines();
        QCOMPARE(found.first(), QStringLiteral("Znaleziono %1 programów").arg(names.size()));
        QStringList foundNames;
        for (qsizetype i = 1; i < found.size(); ++i)
            foundNames << found.at(i).section(QStringLiteral(" - "), 0, 0);
        foundNames.sort();
        names.sort();
        QCOMPARE(foundNames, names);
        // The whole word is selected so that typing replaces it.
        QCOMPARE(frmSzukaj->Edit_tytul->selectedText(), word);
    }

    void resultLinesShowPlaceholders()
    {
        catalogue->fill(discs, programs);
        start();
        search(QStringLiteral("axb"));
        QCOMPARE(lines(),
            (QStringList { QStringLiteral("Znaleziono 1 programów"),
                QStringLiteral("AXB Commander - .. Instalacja: AXB\\AXB.EXE. Płyta: Łódzka płyta") }));
    }

    void buttonAndEnterGiveTheSameResult()
    {
        catalogue->fill(discs, programs);
        start();
        search(QStringLiteral("gra"));
        const QStringList byEnter = lines();
        frmSzukaj->ListBox1->setLines({});
        QTest::mouseClick(frmSzukaj->button_szukaj, Qt::LeftButton);
        QCOMPARE(lines(), byEnter);
        // Enter still reaches the field, and a click there selects the whole word.
        frmSzukaj->Edit_tytul->deselect();
        QTest::mouseClick(frmSzukaj->Edit_tytul, Qt::LeftButton);
        QCOMPARE(frmSzukaj->Edit_tytul->selectedText(), QStringLiteral("gra"));
    }

    void selectingLinesFillsTheDescriptionAndInstall()
    {
        catalogue->fill(discs, programs);
        start();
        QVERIFY(!frmSzukaj->Button_instaluj->isEnabled());
        search(QString());
        QCOMPARE(lines().size(), 6);
        const int program = lineStarting(QStringLiteral("Szachy"));
        selectLine(program);
        QCOMPARE(frmSzukaj->memo1->toPlainText(), lines().at(program));
        QVERIFY(frmSzukaj->Button_instaluj->isEnabled());

        selectLine(0);
        QVERIFY(frmSzukaj->memo1->toPlainText().isEmpty());
        QVERIFY(!frmSzukaj->Button_instaluj->isEnabled());

        // A program whose own line begins like the summary has no description either.
        const int lookalike = lineStarting(QStringLiteral("Znaleziono skarb"));
        selectLine(program);
        selectLine(lookalike);
        QVERIFY(frmSzukaj->memo1->toPlainText().isEmpty());

        // Keys select as the mouse does.
        QTest::keyClick(frmSzukaj->ListBox1, Qt::Key_Home);
        QTest::keyClick(frmSzukaj->ListBox1, Qt::Key_Down);
        QCOMPARE(frmSzukaj->memo1->toPlainText(), lines().at(1));

        // A new search drops the description of a line that is gone.
        search(QStringLiteral("nic takiego"));
        QVERIFY(frmSzukaj->memo1->toPlainText().isEmpty());
        QVERIFY(!frmSzukaj->Button_instaluj->isEnabled());
    }

    void modeSwitchSwapsControlsAndKeepsTheList()
    {
        catalogue->fill(discs, programs);
        start();
        search(QStringLiteral("gra"));
        selectLine(1);
        QVERIFY(frmSzukaj->Button_instaluj->isEnabled());
        const QStringList before = lines();

        QTest::mouseClick(frmSzukaj->RadioGroup_operacja->button(1), Qt::LeftButton);
        QVERIFY(frmSzukaj->cmbListaPlyt->isVisible());
        QVERIFY(frmSzukaj->Label_wyswietl->isVisible());
        QVERIFY(!frmSzukaj->Edit_tytul->isVisible());
        QVERIFY(!frmSzukaj->button_szukaj->isVisible());
        QCOMPARE(frmSzukaj->cmbListaPlyt->pos(), frmSzukaj->Edit_tytul->pos());
        QCOMPARE(frmSzukaj->Label_wyswietl->pos(), frmSzukaj->Label_szukany->pos());
        QCOMPARE(lines(), before);
        QVERIFY(frmSzukaj->memo1->toPlainText().isEmpty());
        QVERIFY(!frmSzukaj->Button_instaluj->isEnabled());

        QTest::mouseClick(frmSzukaj->RadioGroup_operacja->button(0), Qt::LeftButton);
        QVERIFY(frmSzukaj->Edit_tytul->isVisible());
        QVERIFY(!frmSzukaj->cmbListaPlyt->isVisible());
    }

    void discBoxIsSortedForPolishAndListsOneDisc()
    {
        catalogue->fill(discs, programs);
        start();
        QComboBox* box = frmSzukaj->cmbListaPlyt;
        QStringList names;
        for (int i = 0; i < box->count(); ++i)
            names << box->itemText(i);
        QCOMPARE(names, (QStringList { "lublin", "Łódzka płyta", "Mazury", "Pusta płyta", "Zintra 5/1999" }));
        QCOMPARE(box->currentIndex(), -1);
        QCOMPARE(box->itemData(box->findText(QStringLiteral("Mazury"))).toInt(), 4);

        QTest::mouseClick(frmSzukaj->RadioGroup_operacja->button(1), Qt::LeftButton);
        chooseDisc(QStringLiteral("Zintra 5/1999"));
        QCOMPARE(lines().size(), 3);
        QCOMPARE(lines().first(), QStringLiteral("Znaleziono 2 programów"));
        QVERIFY(lines().contains(
            QStringLiteral("Szachy - Gra logiczna. Instalacja: GRY\\SZACHY\\SETUP.EXE. Płyta: Zintra 5/1999")));
        selectLine(1);
        QVERIFY(frmSzukaj->Button_instaluj->isEnabled());

        chooseDisc(QStringLiteral("Pusta płyta"));
        QCOMPARE(lines(), QStringList { QStringLiteral("Znaleziono 0 programów") });
        QVERIFY(!frmSzukaj->Button_instaluj->isEnabled());
        QCOMPARE(platform::screenCursor(), platform::cursorDefault);
    }

    void refillShowsANewDiscInItsPlace()
    {
        catalogue->fill(discs, programs);
        start();
        search(QStringLiteral("gra"));
        const QStringList before = lines();
        frmBazaDanych->OtworzBaze();
        platform::Table& table = *frmBazaDanych->tblplyty;
        table.append();
        table.setFieldValue(QStringLiteral("id_plyty"), 6);
        table.setFieldValue(QStringLiteral("nazwa_plyty"), QStringLiteral("Ładna płyta"));
        table.setFieldValue(QStringLiteral("numer_seryjny"), QStringLiteral("01234567"));
        table.post();
        frmSzukaj->WypelnijListePlyt();
        QComboBox* box = frmSzukaj->cmbListaPlyt;
        QCOMPARE(box->itemText(1), QStringLiteral("Ładna płyta"));
        QCOMPARE(box->currentIndex(), -1);
        QCOMPARE(lines(), before);
    }

    void failingSearchKeepsTheListAndRestoresTheCursor()
    {
        catalogue->fill(discs, programs);
        start();
        search(QStringLiteral("gra"));
        const QStringList before = lines();
        catalogue->execute(QStringLiteral("drop table t_programy"));
        search(QStringLiteral("edytor"));
        QCOMPARE(dialogs->errors().size(), 1);
        QCOMPARE(lines(), before);
        QCOMPARE(platform::screenCursor(), platform::cursorDefault);
    }

    // A catalogue whose data pages are damaged: the search says what the engine says, and lists
    // nothing as if it were the whole result.
    void damagedCatalogueGivesAnErrorNotAShortList()
    {
        QList<Program> many;
        for (int i = 0; i < 2000; ++i)
            many.append({ 1 + i % 5, QStringLiteral("Program %1").arg(i),
                QStringLiteral("Gra logiczna dla całej rodziny numer %1. ").arg(i).repeated(7),
                QStringLiteral("P%1\\SETUP.EXE").arg(i), QStringLiteral(".") });
        catalogue->fill(discs, many);
        QVERIFY(testing::damageSecondHalf(catalogue->databasePath()));
        start();
        QVERIFY(dialogs->messages().isEmpty());
        QCOMPARE(frmSzukaj->cmbListaPlyt->count(), discs.size());
        search(QString());
        QCOMPARE(dialogs->errors(), QStringList { QStringLiteral("database disk image is malformed.") });
        QCOMPARE(lines(), QStringList());
        QCOMPARE(platform::screenCursor(), platform::cursorDefault);
    }

    void resizeKeepsItsBounds()
    {
        catalogue->fill(discs, programs);
        start();
        frmSzukaj->resize(300, 200);
        QTRY_COMPARE(frmSzukaj->frameGeometry().width(), 370);
        QCOMPARE(frmSzukaj->client->height(), 360);
        QCOMPARE(frmSzukaj->ListBox1->height(), 110);
        const int cw = frmSzukaj->client->width();
        QCOMPARE(frmSzukaj->ListBox1->width(), cw - 18);
        QCOMPARE(frmSzukaj->Button_wyjdz->pos(), QPoint(cw - 83, 325));
        QCOMPARE(frmSzukaj->memo1->y(), 265);
        QCOMPARE(frmSzukaj->Label3->y(), 245);

        frmSzukaj->resize(800, 600 + frmSzukaj->MainMenu1->height());
        QTRY_COMPARE(frmSzukaj->client->height(), 600);
        QCOMPARE(frmSzukaj->ListBox1->height(), 350);
        QCOMPARE(frmSzukaj->Bevel1->width(), 800);
        QCOMPARE(frmSzukaj->Button_instaluj->y(), 565);
    }

    void listLinesAreFifteenPixelsHigh()
    {
        catalogue->fill(discs, programs);
        start();
        search(QString());
        LineList* list = frmSzukaj->ListBox1;
        QCOMPARE(list->visualRect(list->model()->index(1, 0)).height(), 15);
        QCOMPARE(
            list->visualRect(list->model()->index(2, 0)).top() - list->visualRect(list->model()->index(1, 0)).top(),
            15);
    }

    void cdRomDrivesComeFromTheDriveMap()
    {
        QFile map(catalogue->dir.filePath(QStringLiteral("drives.map")));
        QVERIFY(map.open(QIODevice::WriteOnly));
        map.write("C: fixed /\nB: cdrom /b\nF: cdrom /mnt/f\nE: cdrom\nG: removable /mnt/g\n");
        map.close();
        catalogue->fill(discs, programs);
        start();
        QCOMPARE(frmSzukaj->NapedyCD(), QStringLiteral("EF"));
    }

    void helpShowsTheHelpFileOrSaysItIsMissing()
    {
        catalogue->fill(discs, programs);
        start();
        platform::Application::setHelpFile(QStringLiteral("Zintra Search.hlp"));
        frmSzukaj->Pomoc2->trigger();
        QCOMPARE(dialogs->errors().size(), 1);
        QVERIFY(dialogs->errors().first().contains(QStringLiteral("Zintra Search.hlp")));

        const QString helpFile = catalogue->dir.filePath(QStringLiteral("Zintra Search.hlp"));
        QVERIFY(QFile::copy(QStringLiteral(ZTR_HELP_FILE), helpFile));
        platform::Application::setHelpFile(helpFile);
        frmSzukaj->Pomoc2->trigger();
        QTextBrowser* help = platform::helpWindow(frmSzukaj);
        QVERIFY(help);
        QVERIFY(help->isVisible());
        QVERIFY(help->toPlainText().contains(QStringLiteral("Szukanie programu według nazwy")));
        QCOMPARE(dialogs->errors().size(), 1);
    }
};

QTEST_MAIN(TestSearchWindow)
#include "tst_search_window.moc"
