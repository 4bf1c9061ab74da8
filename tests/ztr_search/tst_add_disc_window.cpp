#include "platform/Application.h"
#include "support/DiscImages.h"
#include "support/ScriptedDialogs.h"
#include "ztr_search/RadioGroup.h"
#include "ztr_search/formDodaj.h"
#include "ztr_search/formSzukaj.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

using testing::ShownDialog;

namespace {

const QString notFound = QStringLiteral("Nie mogę znaleźć płyty Zintra. Proszę wybrać pliki");
const QString notAMenu = QStringLiteral("To nie jest plik z płyty Zintra");

QByteArray fixture(const QString& name)
{
    QFile file(QFINDTESTDATA(QStringLiteral("data/") + name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return file.readAll();
}

// A computer of temporary folders: each drive letter's disc is a folder, and the drive map says
// which letters are CD-ROM drives and where their discs are.
class Computer {
public:
    Computer() { qputenv("PLATFORM_DRIVE_MAP", dir.filePath(QStringLiteral("drives.map")).toLocal8Bit()); }
    ~Computer() { qunsetenv("PLATFORM_DRIVE_MAP"); }

    QString path(const QString& relative) const { return dir.filePath(relative); }

    // "@" in the text stands for the computer's folder.
    void map(QString text)
    {
        QFile file(path(QStringLiteral("drives.map")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text.replace(u'@', dir.path()).toUtf8());
    }

    QString put(const QString& relative, const QByteArray& bytes)
    {
        const QString target = path(relative);
        QDir().mkpath(QFileInfo(target).path());
        QFile file(target);
        if (!file.open(QIODevice::WriteOnly))
            return {};
        file.write(bytes);
        return target;
    }

    QTemporaryDir dir;
};

QString hex(quint32 serial)
{
    return QStringLiteral("%1").arg(serial, 8, 16, QChar(u'0')).toUpper();
}

} // namespace

class TestAddDiscWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<Computer> computer;
    std::unique_ptr<testing::ScriptedDialogs> dialogs;
    std::unique_ptr<TfrmSzukaj> search;

    // The search window finds its CD-ROM drives when created, so the map comes first.
    TfrmDodaj* open()
    {
        search = std::make_unique<TfrmSzukaj>();
        auto* window = new TfrmDodaj(search.get());
        window->show();
        return window;
    }

    void press() { QTest::mouseClick(frmDodaj->ButtonOdczytaj, Qt::LeftButton); }

    // Through the window system, which holds input back from windows a modal window blocks.
    void clickSecondOperation()
    {
        QWidget* button = search->RadioGroup_operacja->button(1);
        const QPoint at = button->mapTo(search.get(), QPoint(8, button->height() / 2));
        QTest::mouseClick(search->windowHandle(), Qt::LeftButton, {}, at);
    }

    QStringList gridRows() const
    {
        QStringList rows;
        for (int row = 0; row < frmDodaj->sgznalezioneprogramy.rowCount(); ++row) {
            QStringList cells;
            for (int col = 0; col < 4; ++col)
                cells << frmDodaj->sgznalezioneprogramy.cell(col, row);
            rows << cells.join(u'|');
        }
        return rows;
    }

    struct Shown {
        QString path, serial, list;
        QStringList grid;
        bool operator==(const Shown&) const = default;
    };
    Shown shown() const
    {
        return { frmDodaj->sciezkaMenu, frmDodaj->EditNumer->text(), frmDodaj->Memo1->toPlainText(), gridRows() };
    }

private slots:
    void initTestCase() { platform::Application::setTitle(QStringLiteral("Zintra Search")); }
    void init()
    {
        computer = std::make_unique<Computer>();
        dialogs = std::make_unique<testing::ScriptedDialogs>();
    }
    void cleanup()
    {
        search.reset();
        dialogs.reset();
        computer.reset();
    }

    void menuFileIsLookedForDriveByDrive_data()
    {
        QTest::addColumn<QStringList>("files"); // path=fixture
        QTest::addColumn<QString>("found");
        QTest::addColumn<QString>("firstTitle");
        const QString inw = QStringLiteral("=ztr_menu.inw");
        const QString ini = QStringLiteral("=ztr_menu.ini");
        QTest::newRow("braced menu on D")
            << QStringList { "D/ztr_menu/ztr_menu.inw" + inw } << "D:\\ztr_menu\\ztr_menu.inw"
            << "Szachy mistrzowskie";
        QTest::newRow("every name on D before any on E")
            << QStringList { "D/ztr_menu/data/menu.ini" + ini, "E/ztr_menu/ztr_menu.inw" + inw }
            << "D:\\ztr_menu\\data\\menu.ini"
            << "Gra w kości";
        QTest::newRow(".inw before .ini")
            << QStringList { "D/ztr_menu/ztr_menu.ini" + ini, "D/ztr_menu/ztr_menu.inw" + inw }
            << "D:\\ztr_menu\\ztr_menu.inw"
            << "Szachy mistrzowskie";
        QTest::newRow(".ini before data\\menu.ini")
            << QStringList { "D/ztr_menu/data/menu.ini" + inw, "D/ztr_menu/ztr_menu.ini" + ini }
            << "D:\\ztr_menu\\ztr_menu.ini"
            << "Gra w kości";
        QTest::newRow("names in capitals on the disc")
            << QStringList { "E/ZTR_MENU/Ztr_Menu.INW" + inw } << "E:\\ztr_menu\\ztr_menu.inw"
            << "Szachy mistrzowskie";
        QTest::newRow("a hard disc is not searched")
            << QStringList { "F/ztr_menu/ztr_menu.inw" + inw, "E/ztr_menu/ztr_menu.ini" + ini }
            << "E:\\ztr_menu\\ztr_menu.ini"
            << "Gra w kości";
        QTest::newRow("a folder named like the file is no file")
            << QStringList { "D/ztr_menu/ztr_menu.inw/x" + inw, "D/ztr_menu/ztr_menu.ini" + ini }
            << "D:\\ztr_menu\\ztr_menu.ini"
            << "Gra w kości";
    }
    void menuFileIsLookedForDriveByDrive()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, found);
        QFETCH(QString, firstTitle);
        computer->map(QStringLiteral("C: fixed /\nD: cdrom @/D\nE: cdrom @/E\nF: fixed @/F\nG: cdrom\n"));
        for (const QString& file : files)
            QVERIFY(!computer->put(file.section(u'=', 0, 0), fixture(file.section(u'=', 1))).isEmpty());
        TfrmDodaj* window = open();
        QCOMPARE(window->ZnajdzPlikMenu(), std::optional<QString>(found));
        press();
        QCOMPARE(dialogs->shown().size(), 0);
        QCOMPARE(window->sciezkaMenu, found);
        QCOMPARE(window->sgznalezioneprogramy.cell(0, 1), firstTitle);
    }

    void readFillsTheGridTheListAndTheSerial()
    {
        computer->put(QStringLiteral("tree/ztr_menu/ztr_menu.inw"), fixture(QStringLiteral("ztr_menu.inw")));
        const QString image = testing::makeIsoImage(
            computer->path(QStringLiteral("tree")), computer->path(QStringLiteral("zintra.iso")), "ZINTRA", true);
        QVERIFY(!image.isEmpty());
        computer->map(QStringLiteral("C: fixed /\nD: cdrom @/tree | @/zintra.iso\n"));
        TfrmDodaj* window = open();
        QCOMPARE(window->windowTitle(), QStringLiteral("Dodawanie płyty"));
        QVERIFY(window->sciezkaMenu.isEmpty());
        QVERIFY(window->EditNumer->text().isEmpty());
        QCOMPARE(window->sgznalezioneprogramy.rowCount(), 200);

        press();
        QCOMPARE(dialogs->shown().size(), 0);
        QCOMPARE(window->sciezkaMenu, QStringLiteral("D:\\ztr_menu\\ztr_menu.inw"));
        QCOMPARE(window->EditNumer->text(), hex(testing::isoSerialOfBytes(testing::fileBytes(image))));
        const QStringList rows = gridRows();
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows[0], QStringLiteral("Tytul programu|Opis programu|Program instalacyjny|Wymagania systemowe"));
        QCOMPARE(rows[1],
            QStringLiteral("Szachy mistrzowskie|Gra logiczna dla całej rodziny. Więcej na stronie i w dziale gier. "
                           "|GRY\\SZACHY\\SETUP.EXE|Pentium 100, 16 MB RAM"));
        QCOMPARE(rows[2],
            QStringLiteral("Żółwik|Program do nauki rysowania dla najmłodszych, z polskim lektorem.|EDU\\ZOLWIK\\|"));
        QVERIFY(rows[3].startsWith(QStringLiteral("Atlas zwierząt|Encyklopedia")));
        const QStringList list = window->Memo1->toPlainText().split(u'\n');
        QCOMPARE(list.size(), 3);
        // The requirements follow the description directly.
        QCOMPARE(list[0],
            QStringLiteral("Szachy mistrzowskie - Gra logiczna dla całej rodziny. Więcej na stronie i w dziale gier. "
                           "Pentium 100, 16 MB RAM"));
        QCOMPARE(list[1], QStringLiteral("Żółwik - Program do nauki rysowania dla najmłodszych, z polskim lektorem."));
        QVERIFY(list[2].startsWith(QStringLiteral("Atlas zwierząt - Encyklopedia")));
    }

    void sectionMenuIsReadWhenTheBracedReadFails()
    {
        computer->put(QStringLiteral("D/ztr_menu/ztr_menu.ini"), fixture(QStringLiteral("ztr_menu.ini")));
        computer->map(QStringLiteral("D: cdrom @/D\n"));
        TfrmDodaj* window = open();
        press();
        QCOMPARE(dialogs->shown().size(), 0);
        QCOMPARE(gridRows().mid(1),
            (QStringList { "Gra w kości|Gra w kości dla dwóch graczy. Strona: http://www.kosci.pl|\\KOSCI\\SETUP.EXE|"
                           "Windows 95, 8 MB RAM",
                "Kalkulator|Prosty kalkulator.|\\KALK\\KALK.EXE|DOS 5.0" }));
        // A disc in a folder of the root file system has no serial to read.
        QCOMPARE(window->EditNumer->text(), QStringLiteral("01234567"));
    }

    void withoutADiscTheUserChoosesTheFile_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("windowsPath");
        QTest::newRow("outside every drive is on C") << "inne/Menu płyty.txt"
                                                     << "C:";
        QTest::newRow("on a hard disc drive") << "menus/Menu płyty.txt"
                                              << "E:\\Menu płyty.txt";
        QTest::newRow("on a CD-ROM drive") << "D/inne/menu"
                                           << "D:\\inne\\menu";
    }
    void withoutADiscTheUserChoosesTheFile()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, windowsPath);
        computer->map(QStringLiteral("C: fixed /\nD: cdrom @/D\nE: fixed @/menus\n"));
        const QString file = computer->put(chosen, fixture(QStringLiteral("ztr_menu.inw")));
        if (windowsPath == u"C:")
            windowsPath += QDir::cleanPath(file).replace(u'/', u'\\');
        TfrmDodaj* window = open();
        QCOMPARE(window->ZnajdzPlikMenu(), std::nullopt);
        dialogs->answerFile(file);
        press();
        QCOMPARE(dialogs->messages(), QStringList { notFound });
        QCOMPARE(dialogs->count(ShownDialog::Kind::OpenFile), 1);
        QCOMPARE(dialogs->shown().at(1).fileOptions.filter, QStringLiteral("Wszystkie pliki (*.*)|*.*"));
        QCOMPARE(window->sciezkaMenu, windowsPath);
        QCOMPARE(window->sgznalezioneprogramy.rowCount(), 4);
        QCOMPARE(window->sgznalezioneprogramy.cell(0, 1), QStringLiteral("Szachy mistrzowskie"));
    }

    void cancellingTheChoiceChangesNothing()
    {
        computer->map(QStringLiteral("C: fixed /\n"));
        const QString file = computer->put(QStringLiteral("ztr_menu.inw"), fixture(QStringLiteral("ztr_menu.inw")));
        open();
        dialogs->answerFile(file);
        press();
        const Shown before = shown();
        QCOMPARE(before.grid.size(), 4);

        dialogs->clear();
        dialogs->answerFile(std::nullopt);
        press();
        QCOMPARE(dialogs->messages(), QStringList { notFound });
        QCOMPARE(dialogs->count(ShownDialog::Kind::OpenFile), 1);
        QVERIFY(shown() == before);
    }

    void failedReadLeavesTheEarlierOne_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: no such file
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("error");
        QTest::newRow("one entry") << fixture(QStringLiteral("one_entry.inw")) << notAMenu << false;
        QTest::newRow("one section entry") << fixture(QStringLiteral("one_entry.ini")) << notAMenu << false;
        QTest::newRow("no menu at all") << QByteArray("[Ustawienia]\r\nJezyk=PL\r\n") << notAMenu << false;
        QTest::newRow("entry without instalacja=")
            << QByteArray("nazwa={Dobry}\r\nopis={a}\r\ninstalacja=\r\nuruchomienie={A}{B}\r\n"
                          "nazwa={Bez ko\xf1"
                          "ca}\r\nopis={b}\r\nuruchomienie={C}{D}\r\n")
            << QStringLiteral("W pozycji menu „Bez końca” brakuje linii „instalacja=”.") << true;
        QTest::newRow("unreadable file") << QByteArray() << QStringLiteral("nowhere.inw") << true;
    }
    void failedReadLeavesTheEarlierOne()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QFETCH(bool, error);
        computer->map(QStringLiteral("C: fixed /\nD: cdrom @/D\n"));
        const QString good = computer->put(QStringLiteral("D/ztr_menu.inw"), fixture(QStringLiteral("ztr_menu.inw")));
        const QString bad = content.isEmpty() ? computer->path(QStringLiteral("D/nowhere.inw"))
                                              : computer->put(QStringLiteral("D/bad.inw"), content);
        open();
        dialogs->answerFile(good);
        press();
        Shown before = shown();
        QCOMPARE(before.grid.size(), 4);

        dialogs->clear();
        dialogs->answerFile(bad);
        press();
        if (error) {
            QCOMPARE(dialogs->errors().size(), 1);
            QVERIFY2(dialogs->errors().first().contains(message), qPrintable(dialogs->errors().first()));
        } else {
            QCOMPARE(dialogs->errors().size(), 0);
            QCOMPARE(dialogs->messages().last(), message);
        }
        // The new file's path is kept; what the earlier read showed stays.
        before.path = QStringLiteral("D:\\") + QFileInfo(bad).fileName();
        QVERIFY(shown() == before);
    }

    void serialNumberOfAPath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("serial");
        QTest::newRow("FAT medium, leading zeros") << "E:\\SETUP.EXE"
                                                   << "0000BEEF";
        QTest::newRow("FAT32 medium, letters upper case") << "F:\\"
                                                          << "DEADBEEF";
        QTest::newRow("drive without a disc") << "G:\\SETUP.EXE"
                                              << "01234567";
        QTest::newRow("no drive root") << "/home/ala/setup.exe"
                                       << "01234567";
        QTest::newRow("nothing") << ""
                                 << "01234567";
    }
    void serialNumberOfAPath()
    {
        QFETCH(QString, path);
        QFETCH(QString, serial);
        const QString fat16 = testing::makeFatImage(computer->dir, 16, QStringLiteral("0000BEEF"));
        const QString fat32 = testing::makeFatImage(computer->dir, 32, QStringLiteral("deadbeef"));
        QVERIFY(!fat16.isEmpty() && !fat32.isEmpty());
        computer->map(QStringLiteral("E: removable | %1\nF: removable | %2\nG: cdrom\n").arg(fat16, fat32));
        QCOMPARE(TfrmDodaj::NumerSeryjnyDysku(path), serial);
    }

    // Under Xvfb as well (see tests/CMakeLists.txt), where modality is the window system's.
    void menuOpensAFreshModalWindowEachTime()
    {
        computer->map(QStringLiteral("C: fixed /\n"));
        search = std::make_unique<TfrmSzukaj>();
        search->show();
        QVERIFY(QTest::qWaitForWindowExposed(search.get()));

        QList<QPointer<TfrmDodaj>> windows;
        QStringList states;
        const auto inspect = [&] {
            auto* window = qobject_cast<TfrmDodaj*>(QApplication::activeModalWidget());
            windows << window;
            if (window) {
                const bool exposed = QTest::qWaitForWindowExposed(window);
                states << QStringLiteral("%1 modal=%2 main=%3 path=%4 header=%5 exposed=%6")
                              .arg(window->windowTitle())
                              .arg(window->isModal())
                              .arg(frmDodaj == window)
                              .arg(window->sciezkaMenu, window->sgznalezioneprogramy.cell(0, 0))
                              .arg(exposed);
                window->sciezkaMenu = QStringLiteral("D:\\ztr_menu\\ztr_menu.inw");
                // The search window takes no input while the window is open.
                clickSecondOperation();
            }
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<QDialog*>(top))
                    dialog->reject();
        };
        for (int opening = 0; opening < 2; ++opening) {
            QTimer::singleShot(0, this, inspect);
            search->Dodajpyt1->trigger();
            QCOMPARE(windows.size(), opening + 1);
            QVERIFY(windows.last().isNull());
            QCOMPARE(frmDodaj, nullptr);
        }
        const QString fresh = QStringLiteral("Dodawanie płyty modal=1 main=1 path= header=Tytul programu exposed=1");
        QCOMPARE(states, (QStringList { fresh, fresh }));
        QCOMPARE(search->RadioGroup_operacja->itemIndex(), 0);
        // The same click reaches it once the window has closed.
        clickSecondOperation();
        QTRY_COMPARE(search->RadioGroup_operacja->itemIndex(), 1);
    }
};

QTEST_MAIN(TestAddDiscWindow)
#include "tst_add_disc_window.moc"
