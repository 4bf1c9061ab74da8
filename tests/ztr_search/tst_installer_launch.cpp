#include "platform/Application.h"
#include "support/RecordingServices.h"
#include "support/ScriptedDialogs.h"
#include "support/TemporaryDesktop.h"
#include "ztr_search/FmxUtils.h"
#include "ztr_search/LineList.h"
#include "ztr_search/ProgramStart.h"
#include "ztr_search/formBazaDanych.h"
#include "ztr_search/formSzukaj.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

// Folder names long enough that no path handed on fits in 79 characters.
const QString discFolder = QStringLiteral("płyty w napędach komputera, każda w swoim folderze o długiej nazwie");

// One disc, "Płyta 5", with one program "Gra", in a temporary alias; drives C, D and E in
// folders of their own, listed in a drive map.
class Catalogue {
public:
    Catalogue()
    {
        qputenv("PLATFORM_DB_ALIASES", dir.filePath(QStringLiteral("aliases.conf")).toLocal8Bit());
        qputenv("PLATFORM_DRIVE_MAP", dir.filePath(QStringLiteral("drives.map")).toLocal8Bit());
        for (const QString letter : { "C", "D", "E" })
            QDir().mkpath(drive(letter));
    }
    ~Catalogue()
    {
        qunsetenv("PLATFORM_DB_ALIASES");
        qunsetenv("PLATFORM_DRIVE_MAP");
    }

    QString drive(const QString& letter) const { return dir.filePath(discFolder + u'/' + letter); }
    // "D/GRY/SETUP.EXE" as a path in drive D's folder.
    QString onDrive(const QString& path) const { return drive(path.left(1)) + path.mid(1); }

    void mapDrives(const QString& cdRoms)
    {
        QString map = QStringLiteral("C: fixed %1\n").arg(drive(QStringLiteral("C")));
        for (const QChar letter : cdRoms)
            map += QStringLiteral("%1: cdrom %2\n").arg(letter).arg(drive(letter));
        write(QStringLiteral("drives.map"), map.toUtf8());
    }

    // "D/GRY/SETUP.EXE" makes a file there, "D/GRY/SETUP.EXE/" a folder.
    void put(const QString& path)
    {
        const QString full = onDrive(path);
        if (path.endsWith(u'/')) {
            QVERIFY(QDir().mkpath(full));
            return;
        }
        QVERIFY(QDir().mkpath(QFileInfo(full).path()));
        QFile file(full);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("MZ installer");
    }

    void fill(const QString& description, const QString& installPath)
    {
        const QString database = dir.filePath(QStringLiteral("catalogue.sqlite"));
        write(QStringLiteral("aliases.conf"),
            QStringLiteral("[Zintra Search]\nDRIVER=SQLITE\nPATH=%1\n").arg(database).toUtf8());
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fixture"));
            db.setDatabaseName(database);
            QVERIFY(db.open());
            QSqlQuery query(db);
            for (const QString& statement : TfrmBazaDanych::catalogueSchema())
                QVERIFY2(query.exec(statement), qPrintable(query.lastError().text()));
            QVERIFY(query.exec(QStringLiteral("insert into t_plyty values (1, 'Płyta 5', '00000001')")));
            query.prepare(QStringLiteral("insert into t_programy values (1, 'Gra', ?, ?, '.')"));
            query.addBindValue(description);
            query.addBindValue(installPath);
            QVERIFY(query.exec());
        }
        QSqlDatabase::removeDatabase(QStringLiteral("fixture"));
    }

    QTemporaryDir dir;

private:
    void write(const QString& name, const QByteArray& content)
    {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
};

const QString longFolder = QString(45, u'A') + QStringLiteral("\\") + QString(45, u'B');

} // namespace

class TestInstallerLaunch : public QObject {
    Q_OBJECT

    std::unique_ptr<testing::TemporaryDesktop> desktop;
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

    // Lists every program and selects the one line of "Gra".
    void selectTheProgram()
    {
        QTest::keyClick(frmSzukaj->Edit_tytul, Qt::Key_Return);
        LineList* list = frmSzukaj->ListBox1;
        QCOMPARE(list->count(), 2);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(1, 0)).center());
        QVERIFY(frmSzukaj->Button_instaluj->isEnabled());
    }

    void pressInstall() { QTest::mouseClick(frmSzukaj->Button_instaluj, Qt::LeftButton); }

private slots:
    void initTestCase()
    {
        // Before anything asks QMimeDatabase, which reads the XDG folders at its first use.
        desktop = std::make_unique<testing::TemporaryDesktop>();
        desktop->addMimeType(QStringLiteral("application/x-ztr-test"), QStringLiteral("*.ztrtest"));
        desktop->addMimeType(QStringLiteral("application/x-ztr-unclaimed"), QStringLiteral("*.ztrnone"));
        desktop->addMimeType(QStringLiteral("application/x-ztr-missing"), QStringLiteral("*.ztrmissing"));
        desktop->addMimeType(QStringLiteral("application/x-ztr-unrunnable"), QStringLiteral("*.ztrnoexec"));
        desktop->addMimeType(QStringLiteral("application/x-ztr-broken"), QStringLiteral("*.ztrbroken"));
        QCOMPARE(QMimeDatabase().mimeTypeForFile(QStringLiteral("a.ztrtest"), QMimeDatabase::MatchExtension).name(),
            QStringLiteral("application/x-ztr-test"));

        const QString entry = QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2\nMimeType=%3;\n");
        desktop->addApplication(QStringLiteral("recorder.desktop"),
            entry.arg(
                "Recorder", "\"" + desktop->recordingProgram("opened") + "\" --opened %f", "application/x-ztr-test"));
        desktop->addApplication(QStringLiteral("missing.desktop"),
            entry.arg("Missing", "/no/such/folder/program %f", "application/x-ztr-missing"));
        const QString unrunnable = desktop->recordingProgram(QStringLiteral("unrunnable"));
        QFile::setPermissions(unrunnable, QFile::ReadOwner | QFile::WriteOwner);
        desktop->addApplication(QStringLiteral("unrunnable.desktop"),
            entry.arg("Unrunnable", unrunnable + " %f", "application/x-ztr-unrunnable"));
        const QString broken = desktop->path(QStringLiteral("programs/broken"));
        QFile script(broken);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/no/such/interpreter\n");
        script.close();
        QFile::setPermissions(broken, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        desktop->addApplication(
            QStringLiteral("broken.desktop"), entry.arg("Broken", broken + " %f", "application/x-ztr-broken"));
    }
    void cleanupTestCase() { desktop.reset(); }

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

    void installStartsFromTheFirstDriveHoldingIt_data()
    {
        QTest::addColumn<QString>("cdRoms");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("installPath");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("started"); // the file handed on, on its drive; or nothing
        QTest::addColumn<QString>("message");
        const QString insert = QStringLiteral("Proszę włożyć płytę: Płyta 5");
        QTest::newRow("both drives hold it: the first")
            << "DE"
            << "Gra logiczna"
            << "GRY\\SETUP.EXE" << QStringList { "D/GRY/SETUP.EXE", "E/GRY/SETUP.EXE" } << "D/GRY/SETUP.EXE"
            << "";
        QTest::newRow("only the second, names in another case")
            << "DE"
            << "Gra logiczna"
            << "GRY\\SETUP.EXE" << QStringList { "C/GRY/SETUP.EXE", "E/gry/Setup.exe" } << "E/gry/Setup.exe"
            << "";
        QTest::newRow("path from the root")
            << "DE"
            << "Gra logiczna"
            << "\\GRY\\SETUP.EXE" << QStringList { "E/GRY/SETUP.EXE" } << "E/GRY/SETUP.EXE"
            << "";
        QTest::newRow("a folder of the name is no installer")
            << "DE"
            << "Gra logiczna"
            << "GRY\\SETUP.EXE" << QStringList { "D/GRY/SETUP.EXE/", "E/GRY/SETUP.EXE" } << "E/GRY/SETUP.EXE"
            << "";
        QTest::newRow("path longer than 79 characters")
            << "DE"
            << "Gra logiczna" << longFolder + "\\SETUP.EXE"
            << QStringList { "D/" + QString(longFolder).replace(u'\\', u'/') + "/SETUP.EXE" }
            << "D/" + QString(longFolder).replace(u'\\', u'/') + "/SETUP.EXE"
            << "";
        QTest::newRow("Instalacja in the description: its first occurrence")
            << "DE"
            << "Instalacja: ALT"
            << "GRY\\SETUP.EXE" << QStringList { "D/GRY/SETUP.EXE", "E/ALT. Instalacja: GRY/SETUP.EXE" }
            << "E/ALT. Instalacja: GRY/SETUP.EXE"
            << "";
        QTest::newRow("Płyta in the description: its first occurrence")
            << "DE"
            << "Instalacja: ALT.EXE. Płyta: Stara"
            << "GRY\\SETUP.EXE" << QStringList { "D/GRY/SETUP.EXE" } << ""
            << "Proszę włożyć płytę: Stara. Instalacja: GRY\\SETUP.EXE. Płyta: Płyta 5";
        QTest::newRow("Płyta before any Instalacja cannot be cut")
            << "DE"
            << "Opis. Płyta: Stara"
            << "GRY\\SETUP.EXE" << QStringList { "D/GRY/SETUP.EXE" } << ""
            << "Wybrany wiersz nie zawiera ścieżki instalacji i nazwy płyty.";
        QTest::newRow("full stop path") << "DE"
                                        << "Gra logiczna"
                                        << "." << QStringList { "D/GRY/SETUP.EXE" } << "" << insert;
        QTest::newRow("on no CD-ROM drive") << "DE"
                                            << "Gra logiczna"
                                            << "GRY\\SETUP.EXE" << QStringList { "C/GRY/SETUP.EXE" } << "" << insert;
        QTest::newRow("no CD-ROM drives") << ""
                                          << "Gra logiczna"
                                          << "GRY\\SETUP.EXE" << QStringList { "D/GRY/SETUP.EXE" } << "" << insert;
    }
    void installStartsFromTheFirstDriveHoldingIt()
    {
        QFETCH(QString, cdRoms);
        QFETCH(QString, description);
        QFETCH(QString, installPath);
        QFETCH(QStringList, files);
        QFETCH(QString, started);
        QFETCH(QString, message);
        testing::RecordingShellStart shell;
        catalogue->fill(description, installPath);
        catalogue->mapDrives(cdRoms);
        for (const QString& file : files)
            catalogue->put(file);
        start();
        selectTheProgram();
        pressInstall();
        QCOMPARE(dialogs->messages(), message.isEmpty() ? QStringList() : QStringList { message });
        if (started.isEmpty()) {
            QVERIFY(shell.started.isEmpty());
            return;
        }
        QCOMPARE(shell.started.size(), 1);
        QCOMPARE(shell.started[0].file, catalogue->onDrive(started));
        // The drive's root, not the installer's folder.
        QCOMPARE(shell.started[0].directory, catalogue->drive(started.left(1)));
        QCOMPARE(shell.started[0].parameters, QString());
        QCOMPARE(shell.started[0].showCommand, 5);
    }

    void failedStartNamesTheFile()
    {
        testing::RecordingShellStart shell;
        shell.succeeds = false;
        catalogue->fill(QStringLiteral("Gra logiczna"), QStringLiteral("GRY\\SETUP.EXE"));
        catalogue->mapDrives(QStringLiteral("D"));
        catalogue->put(QStringLiteral("D/GRY/SETUP.EXE"));
        start();
        selectTheProgram();
        pressInstall();
        QCOMPARE(shell.started.size(), 1);
        QCOMPARE(dialogs->messages(),
            QStringList { "Nie udało się uruchomić pliku: " + catalogue->onDrive(QStringLiteral("D/GRY/SETUP.EXE")) });
    }

    void withNoLineSelectedTheShownLineCounts()
    {
        testing::RecordingShellStart shell;
        catalogue->fill(QStringLiteral("Gra logiczna"), QStringLiteral("GRY\\SETUP.EXE"));
        catalogue->mapDrives(QStringLiteral("D"));
        catalogue->put(QStringLiteral("D/GRY/SETUP.EXE"));
        start();
        selectTheProgram();
        // The list refilled under the description: no line is selected, and the line shown is the one chosen.
        frmSzukaj->ListBox1->setLines(frmSzukaj->ListBox1->lines());
        QCOMPARE(frmSzukaj->ListBox1->itemIndex(), -1);
        pressInstall();
        QCOMPARE(shell.started.size(), 1);
        QCOMPARE(shell.started[0].file, catalogue->onDrive(QStringLiteral("D/GRY/SETUP.EXE")));

        // Nothing selected and nothing shown: the button is off, and the handler itself says so.
        frmSzukaj->memo1->clear();
        QVERIFY(!frmSzukaj->Button_instaluj->isEnabled());
        frmSzukaj->Button_instalujClick();
        QCOMPARE(dialogs->messages(), QStringList { "Nie wybrano programu." });
        QCOMPARE(shell.started.size(), 1);
    }

    void lineWithoutInstallPathGetsAClearMessage()
    {
        testing::RecordingShellStart shell;
        catalogue->fill(QStringLiteral("Gra logiczna"), QStringLiteral("GRY\\SETUP.EXE"));
        catalogue->mapDrives(QStringLiteral("D"));
        start();
        frmSzukaj->ListBox1->setLines({ QStringLiteral("Znaleziono 1 programów"), QStringLiteral("Płyta 5") });
        LineList* list = frmSzukaj->ListBox1;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(1, 0)).center());
        pressInstall();
        QCOMPARE(dialogs->messages(), QStringList { "Wybrany wiersz nie zawiera ścieżki instalacji i nazwy płyty." });
        QVERIFY(shell.started.isEmpty());
    }

    // The desktop's own mechanism, with the handler this test registered for Windows executables.
    void desktopHandlerStartsTheInstallerInTheDiscRoot()
    {
        const QString type
            = QMimeDatabase().mimeTypeForFile(QStringLiteral("SETUP.EXE"), QMimeDatabase::MatchExtension).name();
        QVERIFY2(!type.isEmpty() && type != u"application/octet-stream", "the system's MIME database is missing");
        desktop->addApplication(QStringLiteral("windows-installer.desktop"),
            QStringLiteral("[Desktop Entry]\nType=Application\nName=Windows\nExec=\"%1\" --install %f\nMimeType=%2;\n")
                .arg(desktop->recordingProgram(QStringLiteral("installer")), type));
        catalogue->fill(QStringLiteral("Gra logiczna"), QStringLiteral("GRY\\SZACHY\\SETUP.EXE"));
        catalogue->mapDrives(QStringLiteral("DE"));
        catalogue->put(QStringLiteral("E/gry/szachy/setup.exe"));
        start();
        selectTheProgram();
        pressInstall();
        QVERIFY(dialogs->messages().isEmpty());
        const std::optional<QStringList> record = desktop->waitForRecord(QStringLiteral("installer"));
        QVERIFY2(record, "the handler did not run");
        QCOMPARE(*record,
            (QStringList { QFileInfo(catalogue->drive(QStringLiteral("E"))).canonicalFilePath(), "--install",
                catalogue->onDrive(QStringLiteral("E/gry/szachy/setup.exe")) }));
    }

    void shellStartFileRunsTheHandlerOfTheType()
    {
        const QString folder = catalogue->drive(QStringLiteral("D")) + QStringLiteral("/folder roboczy");
        QVERIFY(QDir().mkpath(folder));
        const QString file = catalogue->onDrive(QStringLiteral("D/") + QString(90, u'x') + QStringLiteral(".ztrtest"));
        catalogue->put(QStringLiteral("D/") + QString(90, u'x') + QStringLiteral(".ztrtest"));
        QVERIFY(ShellStartFile(file, QStringLiteral("/S \"dwa słowa\""), folder, SW_SHOW));
        const std::optional<QStringList> record = desktop->waitForRecord(QStringLiteral("opened"));
        QVERIFY2(record, "the handler did not run");
        QCOMPARE(*record, (QStringList { QFileInfo(folder).canonicalFilePath(), "--opened", file, "/S", "dwa słowa" }));
    }

    void shellStartFileSaysWhenNothingStarts_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("folder");
        QTest::newRow("no handler for the type") << "a.ztrnone"
                                                 << "";
        QTest::newRow("handler's program missing") << "a.ztrmissing"
                                                   << "";
        QTest::newRow("handler's program not runnable") << "a.ztrnoexec"
                                                        << "";
        QTest::newRow("handler's program cannot start") << "a.ztrbroken"
                                                        << "";
        QTest::newRow("missing file") << "absent.ztrtest"
                                      << "";
        QTest::newRow("missing working folder") << "a.ztrtest"
                                                << "no such folder";
    }
    void shellStartFileSaysWhenNothingStarts()
    {
        QFETCH(QString, file);
        QFETCH(QString, folder);
        for (const QString name : { "a.ztrnone", "a.ztrmissing", "a.ztrnoexec", "a.ztrbroken", "a.ztrtest" })
            catalogue->put(QStringLiteral("D/") + name);
        const QString root = catalogue->drive(QStringLiteral("D"));
        QVERIFY(
            !ShellStartFile(root + u'/' + file, QString(), folder.isEmpty() ? root : root + u'/' + folder, SW_SHOW));
    }
};

QTEST_MAIN(TestInstallerLaunch)
#include "tst_installer_launch.moc"
