#include "platform/Application.h"
#include "platform/Cursor.h"
#include "support/PostgresServer.h"
#include "support/ScriptedDialogs.h"
#include "ztr_search/LineList.h"
#include "ztr_search/ProgramStart.h"
#include "ztr_search/formBazaDanych.h"
#include "ztr_search/formSzukaj.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using testing::PostgresServer;

namespace {

struct Program {
    int disc;
    QString name, description, installPath, requirements;
};

const QList<std::pair<int, QString>> discs {
    { 1, QStringLiteral("Zintra 5/1999") },
    { 2, QStringLiteral("Łódzka płyta") },
    { 3, QStringLiteral("lublin") },
    { 4, QStringLiteral("ŻÓŁTA PŁYTA") },
    { 5, QStringLiteral("Pusta płyta") },
};

const QList<Program> programs {
    { 1, "Szachy", "Gra logiczna", "GRY\\SZACHY\\SETUP.EXE", "." },
    { 1, "Edytor", "źródło tekstu", "EDYTOR\\SETUP.EXE", "Windows 95" },
    { 2, "AXB Commander", ".", "AXB\\AXB.EXE", "." },
    { 3, "Cytat", "Program \"w cudzysłowie\" i 'apostrof'", "CYTAT\\C.EXE", "100% RAM" },
    { 4, "Znaleziono skarb", "Przygodówka", "SKARB\\S.EXE", "." },
    { 4, "Żółw", "ZAŻÓŁĆ GĘŚLĄ JAŹŃ", "ZOLW\\Z.EXE", "DOS 6.22" },
    { 2, "Ärger", "Gra z Niemiec, äöü", "ARGER\\A.EXE", "." },
    { 3, "Pod_kreślnik", "a_b i a%b", "POD\\P.EXE", "." },
};

void insertRows(QSqlDatabase& db)
{
    QSqlQuery query(db);
    for (const auto& [id, name] : discs) {
        query.prepare(QStringLiteral("insert into t_plyty values (?, ?, ?)"));
        query.addBindValue(id);
        query.addBindValue(name);
        query.addBindValue(QStringLiteral("0000000%1").arg(id).right(8));
        QVERIFY2(query.exec(), qPrintable(query.lastError().text()));
    }
    for (const Program& p : programs) {
        query.prepare(QStringLiteral("insert into t_programy values (?, ?, ?, ?, ?)"));
        query.addBindValue(p.disc);
        query.addBindValue(p.name);
        query.addBindValue(p.description);
        query.addBindValue(p.installPath);
        query.addBindValue(p.requirements);
        QVERIFY2(query.exec(), qPrintable(query.lastError().text()));
    }
}

} // namespace

class TestSearchPostgres : public QObject {
    Q_OBJECT

    PostgresServer server;
    QTemporaryDir dir;
    QString sqliteAliases;
    QString postgresAliases;
    std::unique_ptr<testing::ScriptedDialogs> dialogs;
    std::unique_ptr<platform::Application> application;

    void start(const QString& aliases)
    {
        application.reset();
        qputenv("PLATFORM_DB_ALIASES", aliases.toLocal8Bit());
        application = std::make_unique<platform::Application>();
        platform::Application::setTitle(QStringLiteral("Zintra Search"));
        createZintraSearchForms(*application);
        frmSzukaj->show();
        QVERIFY(QTest::qWaitForWindowExposed(frmSzukaj));
    }

    QStringList search(const QString& word)
    {
        frmSzukaj->Edit_tytul->setText(word);
        QTest::keyClick(frmSzukaj->Edit_tytul, Qt::Key_Return);
        return frmSzukaj->ListBox1->lines();
    }

private slots:
    void initTestCase()
    {
        REQUIRE_POSTGRES(server);
        qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toLocal8Bit());
        qputenv("PLATFORM_DRIVE_MAP", dir.filePath(QStringLiteral("drives.map")).toLocal8Bit());
        dialogs = std::make_unique<testing::ScriptedDialogs>();

        // The same rows in a SQLite file and on the server; the program makes the server's tables.
        const QString file = dir.filePath(QStringLiteral("catalogue.sqlite"));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fixture"));
            db.setDatabaseName(file);
            QVERIFY(db.open());
            for (const QString& statement : TfrmBazaDanych::catalogueSchema())
                QVERIFY(QSqlQuery(db).exec(statement));
            insertRows(db);
        }
        QSqlDatabase::removeDatabase(QStringLiteral("fixture"));
        sqliteAliases = dir.filePath(QStringLiteral("sqlite.conf"));
        QFile sqlite(sqliteAliases);
        QVERIFY(sqlite.open(QIODevice::WriteOnly));
        sqlite.write(QStringLiteral("[Zintra Search]\nDRIVER=SQLITE\nPATH=%1\n").arg(file).toUtf8());
        sqlite.close();

        server.createDatabase(QStringLiteral("katalog"));
        postgresAliases = dir.filePath(QStringLiteral("postgres.conf"));
        QFile postgres(postgresAliases);
        QVERIFY(postgres.open(QIODevice::WriteOnly));
        postgres.write(server.aliasEntry(QStringLiteral("Zintra Search"), QStringLiteral("katalog")).toUtf8());
        postgres.close();
        start(postgresAliases);
        QVERIFY(dialogs->messages().isEmpty());
        QCOMPARE(frmSzukaj->cmbListaPlyt->count(), 0);
        insertRows(frmBazaDanych->DatabaseZtr->connection());
        application.reset();
    }
    void cleanupTestCase()
    {
        application.reset();
        dialogs.reset();
    }

    void sameWordsGiveTheSameLinesOnBothDrivers_data()
    {
        QTest::addColumn<QString>("word");
        for (const char* word :
            { "", "gra", "GRA", "gRA", "źródło", "ŹRÓDŁO", "Źródło", "a_b", "A_B", "gr%logi", "szachy\\setup", "\\",
                "windows 9", "łódzka", "ŁÓDZKA", "\"w cudz", "'", "\")) or 1=1 --", "nic takiego", "%", "_", "__",
                "100%", "ó", "Ó", "ä", "Ä", "äöü", "żółw", "zażółć gęślą jaźń", "ŻÓŁTA", "płyta", "a%b", "_ó_" })
            QTest::newRow(word) << QString::fromUtf8(word);
    }
    void sameWordsGiveTheSameLinesOnBothDrivers()
    {
        QFETCH(QString, word);
        dialogs->clear();
        start(sqliteAliases);
        QStringList onSqlite = search(word);
        start(postgresAliases);
        QStringList onPostgres = search(word);
        QVERIFY(dialogs->shown().isEmpty());
        QVERIFY(onSqlite.size() >= 1);
        // Neither statement asks for an order, so the lines are compared as sets.
        std::sort(onSqlite.begin() + 1, onSqlite.end());
        std::sort(onPostgres.begin() + 1, onPostgres.end());
        QCOMPARE(onPostgres, onSqlite);
    }

    void lostConnectionShowsTheErrorAndTheNextSearchConnects()
    {
        dialogs->clear();
        start(postgresAliases);
        const QStringList before = search(QStringLiteral("gra"));
        QCOMPARE(before.first(), QStringLiteral("Znaleziono 3 programów"));
        frmSzukaj->ListBox1->setLines({ QStringLiteral("stara linia") });

        // The server goes down under the search statement itself: the last result was let go
        // while the server was still there.
        frmBazaDanych->qryztr->close();
        server.stop();
        QVERIFY(server.start());
        search(QStringLiteral("gra"));
        QCOMPARE(dialogs->errors().size(), 1);
        QVERIFY2(dialogs->errors().first().contains(QStringLiteral("terminating connection")),
            qPrintable(dialogs->errors().first()));
        QCOMPARE(frmSzukaj->ListBox1->lines(), QStringList { QStringLiteral("stara linia") });
        QCOMPARE(platform::screenCursor(), platform::cursorDefault);

        QCOMPARE(search(QStringLiteral("gra")), before);
        QCOMPARE(dialogs->errors().size(), 1);
        // The disc list reads through the new connection too.
        frmSzukaj->WypelnijListePlyt();
        QCOMPARE(frmSzukaj->cmbListaPlyt->count(), discs.size());

        // A connection found gone while letting go of the last result is simply made anew.
        server.stop();
        QVERIFY(server.start());
        QCOMPARE(search(QStringLiteral("gra")), before);
        QCOMPARE(dialogs->errors().size(), 1);
    }

    void serverDownAtStartShowsBladBdeUntilItIsBack()
    {
        dialogs->clear();
        server.stop();
        start(postgresAliases);
        QCOMPARE(dialogs->messages(), QStringList { QStringLiteral("Błąd BDE") });
        search(QStringLiteral("gra"));
        QCOMPARE(dialogs->errors().size(), 1);
        QVERIFY(server.start());
        QCOMPARE(search(QStringLiteral("gra")).first(), QStringLiteral("Znaleziono 3 programów"));
        QCOMPARE(dialogs->errors().size(), 1);
    }
};

QTEST_MAIN(TestSearchPostgres)
#include "tst_search_postgres.moc"
