#include "platform/database/CaseMapping.h"
#include "platform/database/Database.h"
#include "platform/database/DatabaseAliases.h"
#include "platform/database/DatabaseDriver.h"
#include "platform/database/LikeMatching.h"
#include "platform/Errors.h"
#include "support/DamageSqliteFile.h"
#include "support/FilePermissionsApply.h"
#include "support/FileSizeLimit.h"

#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QThread>
#include <memory>

using namespace platform;

namespace {

const QStringList schema { QStringLiteral("create table t_rows (id integer, name text)") };

// A fresh alias file and data folder for each test.
class Sandbox {
public:
    Sandbox()
    {
        qputenv("PLATFORM_DB_ALIASES", aliasFile().toLocal8Bit());
        qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toLocal8Bit());
    }
    ~Sandbox()
    {
        qunsetenv("PLATFORM_DB_ALIASES");
        qunsetenv("XDG_DATA_HOME");
    }
    QString aliasFile() const { return dir.filePath(QStringLiteral("aliases.conf")); }
    QString path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

QByteArray bytesOf(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

bool writeBytes(const QString& fileName, const QByteArray& bytes)
{
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Everything in a folder, its subfolders included, as paths relative to it.
QStringList filesUnder(const QString& folder)
{
    QStringList found;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        found << QDir(folder).relativeFilePath(it.next());
    found.sort();
    return found;
}

} // namespace

class TestDatabase : public QObject {
    Q_OBJECT
private slots:
    void aliasFileKeepsOtherEntriesWhenStoring()
    {
        Sandbox sandbox;
        QFile file(sandbox.aliasFile());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("; mine\n[Other]\nDRIVER=sqlite\nPATH=/x/other.db\n\n[Zintra Search]\nPATH=/old.db\n");
        file.close();

        const AliasFile aliases(sandbox.aliasFile());
        QCOMPARE(aliases.find(QStringLiteral("zintra search"))->path, QStringLiteral("/old.db"));
        QCOMPARE(aliases.find(QStringLiteral("Zintra Search"))->driver, QStringLiteral("SQLITE"));
        aliases.store({ QStringLiteral("Zintra Search"), QStringLiteral("SQLITE"), QStringLiteral("/new ą.db") });
        aliases.store({ QStringLiteral("Third"), QStringLiteral("SQLITE"), QStringLiteral("/third.db") });

        QCOMPARE(aliases.aliases().size(), std::size_t(3));
        QCOMPARE(aliases.find(QStringLiteral("Other"))->path, QStringLiteral("/x/other.db"));
        QCOMPARE(aliases.find(QStringLiteral("Zintra Search"))->path, QStringLiteral("/new ą.db"));
        QCOMPARE(aliases.find(QStringLiteral("Third"))->path, QStringLiteral("/third.db"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().startsWith("; mine\n"));
    }

    // Lines the engine does not change are written back as the bytes they were: another program's
    // Windows-1250 path, CRLF and lone CR line breaks, a last line without a break.
    void aliasFileChangesOnlyTheEntryItStores()
    {
        Sandbox sandbox;
        const QByteArray before = "; moje aliasy\r\n[Stara]\r\nPATH=C:\\Gry\\\xB3\xF3\x64\xBF.db\r\n\r\n"
                                  "[Zintra Search]\r\n; komentarz\r\nDRIVER=paradox\r\nPATH=/old.db\r\nX=1\r\n\r\n"
                                  "[Mac]\rPATH=/mac.db\r[Last]\nPATH=/last.db";
        QVERIFY(writeBytes(sandbox.aliasFile(), before));
        const AliasFile aliases(sandbox.aliasFile());
        QCOMPARE(aliases.find(QStringLiteral("stara"))->path, QStringLiteral("C:\\Gry\\łódż.db"));
        QCOMPARE(aliases.find(QStringLiteral("Mac"))->path, QStringLiteral("/mac.db"));
        QCOMPARE(aliases.find(QStringLiteral("Zintra Search"))->driver, QStringLiteral("PARADOX"));

        aliases.store({ QStringLiteral("Zintra Search"), QStringLiteral("SQLITE"), QStringLiteral("/nowy ą.db") });
        const QByteArray replaced
            = "; moje aliasy\r\n[Stara]\r\nPATH=C:\\Gry\\\xB3\xF3\x64\xBF.db\r\n\r\n"
              "[Zintra Search]\r\nDRIVER=SQLITE\r\nPATH=/nowy \xC4\x85.db\r\n; komentarz\r\nX=1\r\n\r\n"
              "[Mac]\rPATH=/mac.db\r[Last]\nPATH=/last.db";
        QCOMPARE(bytesOf(sandbox.aliasFile()), replaced);

        aliases.store({ QStringLiteral("Nowy"), QStringLiteral("SQLITE"), QStringLiteral("/n.db") });
        QCOMPARE(bytesOf(sandbox.aliasFile()), replaced + "\r\n\r\n[Nowy]\r\nDRIVER=SQLITE\r\nPATH=/n.db\r\n");
        QCOMPARE(aliases.aliases().size(), std::size_t(5));
        QVERIFY(!QFile::exists(sandbox.aliasFile() + QStringLiteral(".lock")));
    }

    // A write that fails half-way (a full disc) keeps the old file whole and says so.
    void aliasFileThatCannotBeWrittenStaysAsItWas()
    {
        Sandbox sandbox;
        QByteArray before = "; sixty aliases\n";
        for (int i = 0; i < 60; ++i)
            before += QStringLiteral("[Alias %1]\nDRIVER=SQLITE\nPATH=/home/user/catalogues/alias-number-%1.sqlite\n\n")
                          .arg(i)
                          .toUtf8();
        QVERIFY(writeBytes(sandbox.aliasFile(), before));
        // The catalogue is there already: only the alias is missing.
        registerDefaultAlias({ QStringLiteral("Full"), QStringLiteral("full.sqlite"), schema });
        const QString catalogue = sandbox.path(QStringLiteral("data/Full/full.sqlite"));
        sqliteDriver().create({ QStringLiteral("Full"), QStringLiteral("SQLITE"), catalogue }, schema);
        QString storeError;
        QString openError;
        {
            const testing::FileSizeLimit fullDisc(2048);
            try {
                AliasFile(sandbox.aliasFile())
                    .store({ QStringLiteral("New"), QStringLiteral("SQLITE"), QStringLiteral("/new.sqlite") });
            } catch (const DatabaseError& error) {
                storeError = error.message();
            }
            Database database;
            database.setAliasName(QStringLiteral("Full"));
            try {
                database.open();
            } catch (const DatabaseError& error) {
                openError = error.message();
            }
        }
        const QString expected = QStringLiteral("Cannot create file \"%1\". File too large").arg(sandbox.aliasFile());
        QCOMPARE(storeError, expected);
        QCOMPARE(openError, expected);
        QCOMPARE(bytesOf(sandbox.aliasFile()), before);
        QCOMPARE(filesUnder(sandbox.dir.path()).filter(QStringLiteral("aliases")), { QStringLiteral("aliases.conf") });

        // With room again, the catalogue is adopted.
        Database database;
        database.setAliasName(QStringLiteral("Full"));
        database.open();
        QVERIFY(database.connection().tables().contains(QStringLiteral("t_rows")));
        QVERIFY(bytesOf(sandbox.aliasFile()).startsWith(before));
    }

    // An alias file that is there but cannot be read is an error; it is never taken for an empty
    // one and written over.
    void unreadableAliasFileIsNeverRewritten()
    {
        Sandbox sandbox;
        const QByteArray before = "[Mine]\nPATH=/mine.db\n";
        QVERIFY(writeBytes(sandbox.aliasFile(), before));
        QVERIFY(QFile::setPermissions(sandbox.aliasFile(), QFileDevice::WriteOwner));
        const testing::FilePermissionsApply permissions;
        QFile probe(sandbox.aliasFile());
        if (probe.open(QIODevice::ReadOnly))
            QSKIP("this user can read any file");
        registerDefaultAlias({ QStringLiteral("Fresh"), QStringLiteral("fresh.sqlite"), schema });
        const AliasFile aliases(sandbox.aliasFile());
        QVERIFY_THROWS_EXCEPTION(DatabaseError, aliases.find(QStringLiteral("Mine")));
        QVERIFY_THROWS_EXCEPTION(
            DatabaseError, aliases.store({ QStringLiteral("Other"), QStringLiteral("SQLITE"), QStringLiteral("/o") }));
        Database database;
        database.setAliasName(QStringLiteral("Fresh"));
        try {
            database.open();
            QFAIL("no error raised");
        } catch (const DatabaseError& error) {
            QCOMPARE(
                error.message(), QStringLiteral("Cannot open file \"%1\". Permission denied").arg(sandbox.aliasFile()));
        }
        QVERIFY(QFile::setPermissions(sandbox.aliasFile(), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QCOMPARE(bytesOf(sandbox.aliasFile()), before);
    }

    // A first start on a full disc reports why and leaves nothing that a later start would adopt.
    void creationThatFailsLeavesNothingBehind()
    {
        Sandbox sandbox;
        registerDefaultAlias({ QStringLiteral("Cramped"), QStringLiteral("cramped.sqlite"), schema });
        {
            const testing::FileSizeLimit fullDisc(1024);
            Database database;
            database.setAliasName(QStringLiteral("Cramped"));
            try {
                database.open();
                QFAIL("no error raised");
            } catch (const DatabaseError& error) {
                const QString path = sandbox.path(QStringLiteral("data/Cramped/cramped.sqlite"));
                QCOMPARE(error.message(),
                    QStringLiteral("Cannot create database \"%1\": disk I/O error (File too large)").arg(path));
            }
        }
        QCOMPARE(filesUnder(sandbox.path(QStringLiteral("data"))), QStringList());
        QVERIFY(!QFile::exists(sandbox.aliasFile()));

        Database database;
        database.setAliasName(QStringLiteral("Cramped"));
        database.open();
        QVERIFY(database.connection().tables().contains(QStringLiteral("t_rows")));
        QCOMPARE(filesUnder(sandbox.path(QStringLiteral("data"))), { QStringLiteral("Cramped/cramped.sqlite") });
    }

    // Several programs starting at once on a fresh machine: each one opens the same catalogue,
    // which is whole, and the alias file keeps every alias each of them added.
    void firstStartsAtOnceShareOneGoodCatalogue()
    {
        Sandbox sandbox;
        const QByteArray other = "; \xB3\xF3\x64\xBF\r\n[Other]\r\nPATH=/other.db\r\n";
        QVERIFY(writeBytes(sandbox.aliasFile(), other));
        const QString gate = sandbox.path(QStringLiteral("gate"));
        constexpr int programs = 8;
        std::vector<std::unique_ptr<QProcess>> started;
        for (int i = 0; i < programs; ++i) {
            auto& process = started.emplace_back(std::make_unique<QProcess>());
            process->start(QCoreApplication::applicationFilePath(),
                { QStringLiteral("--open-at-once"), QString::number(i), gate });
        }
        // All are ready before any goes on, so that they meet the fresh machine together.
        for (auto& process : started)
            QVERIFY(process->waitForReadyRead(30'000));
        QVERIFY(writeBytes(gate, "go"));
        for (auto& process : started) {
            QVERIFY(process->waitForFinished(60'000));
            QVERIFY2(process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0,
                qPrintable(QString::fromUtf8(process->readAllStandardError())));
        }

        const AliasFile aliases(sandbox.aliasFile());
        const QString catalogue = sandbox.path(QStringLiteral("data/Shared/shared.sqlite"));
        QCOMPARE(aliases.find(QStringLiteral("Shared"))->path, catalogue);
        for (int i = 0; i < programs; ++i)
            QVERIFY2(aliases.find(QStringLiteral("Own %1").arg(i)), qPrintable(QString::number(i)));
        QCOMPARE(aliases.aliases().size(), std::size_t(programs + 2));
        QVERIFY(bytesOf(sandbox.aliasFile()).startsWith(other));
        QStringList expected { QStringLiteral("Shared/shared.sqlite") };
        for (int i = 0; i < programs; ++i)
            expected << QStringLiteral("Own %1/own.sqlite").arg(i);
        expected.sort();
        QCOMPARE(filesUnder(sandbox.path(QStringLiteral("data"))), expected);
    }

    void missingAliasIsCreatedWithItsDatabase()
    {
        Sandbox sandbox;
        registerDefaultAlias({ QStringLiteral("Fresh"), QStringLiteral("fresh.sqlite"), schema });
        Database database;
        database.setAliasName(QStringLiteral("Fresh"));
        database.open();
        QVERIFY(database.connected());
        const QString expected = sandbox.path(QStringLiteral("data/Fresh/fresh.sqlite"));
        QCOMPARE(AliasFile(sandbox.aliasFile()).find(QStringLiteral("Fresh"))->path, expected);
        QVERIFY(QFile::exists(expected));
        QVERIFY(database.connection().tables().contains(QStringLiteral("t_rows")));
    }

    void unknownAliasAndUnreadableDatabasesFail_data()
    {
        QTest::addColumn<QString>("aliasText");
        QTest::addColumn<QByteArray>("fileContents"); // written to db.sqlite when not empty
        QTest::newRow("no such alias") << QString() << QByteArray();
        QTest::newRow("missing folder") << "[Broken]\nPATH=%1/none/db.sqlite\n" << QByteArray();
        QTest::newRow("missing file") << "[Broken]\nPATH=%1/db.sqlite\n" << QByteArray();
        QTest::newRow("damaged file") << "[Broken]\nPATH=%1/db.sqlite\n" << QByteArray(4096, 'x');
        QTest::newRow("unknown driver") << "[Broken]\nDRIVER=PARADOX\nPATH=%1/db.sqlite\n" << QByteArray("x");
    }
    void unknownAliasAndUnreadableDatabasesFail()
    {
        QFETCH(QString, aliasText);
        QFETCH(QByteArray, fileContents);
        Sandbox sandbox;
        QFile aliases(sandbox.aliasFile());
        QVERIFY(aliases.open(QIODevice::WriteOnly));
        aliases.write(QString(aliasText).replace(QStringLiteral("%1"), sandbox.dir.path()).toUtf8());
        aliases.close();
        if (!fileContents.isEmpty()) {
            QFile file(sandbox.path(QStringLiteral("db.sqlite")));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(fileContents);
        }
        Database database;
        database.setAliasName(QStringLiteral("Broken"));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, database.open());
        QVERIFY(!database.connected());
        // Nothing was created in place of the missing database.
        QCOMPARE(QFile::exists(sandbox.path(QStringLiteral("db.sqlite"))), !fileContents.isEmpty());
    }

    void tablesAndQueriesReadAppendAndBind()
    {
        Sandbox sandbox;
        registerDefaultAlias({ QStringLiteral("Rows"), QStringLiteral("rows.sqlite"), schema });
        Database database;
        database.setAliasName(QStringLiteral("Rows"));
        Table table(&database);
        table.setTableName(QStringLiteral("t_rows.db"));
        table.open();
        QVERIFY(table.eof());
        QCOMPARE(table.recordCount(), 0);
        table.append();
        table.setFieldValue(QStringLiteral("id"), 1);
        table.setFieldValue(QStringLiteral("name"), QStringLiteral("pierwszy \"cytat\""));
        table.append(); // posts the row before
        table.setFieldValue(QStringLiteral("id"), 7);
        table.setFieldValue(QStringLiteral("name"), QStringLiteral("siódmy"));
        table.post();
        table.first();
        QCOMPARE(table.recordCount(), 2);
        QCOMPARE(table.fieldByName(QStringLiteral("ID")).asInteger(), 1);
        table.next();
        QCOMPARE(table.fieldByName(QStringLiteral("name")).asString(), QStringLiteral("siódmy"));
        table.next();
        QVERIFY(table.eof());
        QVERIFY_THROWS_EXCEPTION(DatabaseError, table.fieldByName(QStringLiteral("nope")));

        Query query(&database);
        query.clearSql();
        query.addSql(QStringLiteral("select * from t_rows"));
        query.addSql(QStringLiteral("where name = ?"));
        query.addBindValue(QStringLiteral("pierwszy \"cytat\""));
        query.open();
        QCOMPARE(query.recordCount(), 1);
        QCOMPARE(query.fieldByName(QStringLiteral("id")).asInteger(), 1);

        // An empty table's max() is null, which reads as 0.
        query.close();
        query.clearSql();
        query.addSql(QStringLiteral("select max(id) as id from t_rows where id > 100"));
        query.open();
        QVERIFY(query.field(0).isNull());
        QCOMPARE(query.field(0).asInteger(), 0);

        query.close();
        query.clearSql();
        query.addSql(QStringLiteral("select * from t_none"));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, query.open());
        QVERIFY(!query.active());

        Table missing(&database);
        missing.setTableName(QStringLiteral("t_none.db"));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, missing.open());
    }

    // Rows that cannot be read are an error with the engine's text, never a shorter result.
    void damagedRowsAreAnError()
    {
        Sandbox sandbox;
        registerDefaultAlias({ QStringLiteral("Damaged"), QStringLiteral("damaged.sqlite"), schema });
        const QString path = sandbox.path(QStringLiteral("data/Damaged/damaged.sqlite"));
        {
            Database database;
            database.setAliasName(QStringLiteral("Damaged"));
            database.open();
            QSqlQuery insert(database.connection());
            QVERIFY(database.connection().transaction());
            insert.prepare(QStringLiteral("insert into t_rows values (?, ?)"));
            for (int id = 0; id < 2000; ++id) {
                insert.addBindValue(id);
                insert.addBindValue(QStringLiteral("Opis programu numer %1. ").arg(id).repeated(12));
                QVERIFY(insert.exec());
            }
            QVERIFY(database.connection().commit());
        }
        QVERIFY(testing::damageSecondHalf(path));

        Database database;
        database.setAliasName(QStringLiteral("Damaged"));
        Query query(&database);
        query.addSql(QStringLiteral("select * from t_rows"));
        int rows = 0;
        try {
            for (query.open(); !query.eof(); query.next())
                ++rows;
            QFAIL(qPrintable(QStringLiteral("%1 of 2000 rows read, and no error").arg(rows)));
        } catch (const DatabaseError& error) {
            QCOMPARE(error.message(), QStringLiteral("database disk image is malformed"));
        }
        QVERIFY(query.eof());
        QVERIFY_THROWS_EXCEPTION(DatabaseError, query.recordCount());

        Table table(&database);
        table.setTableName(QStringLiteral("t_rows"));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, table.open());
    }

    void upperUsesTheConnectionsMapping_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("upper");
        QTest::newRow("ascii") << "Gra"
                               << "GRA";
        QTest::newRow("mapped two-byte letters") << "źródło"
                                                 << "ŹRÓDŁO";
        QTest::newRow("unlisted letters stay") << "äé"
                                               << "äé";
        QTest::newRow("three-byte letter") << "a€b"
                                           << "A€b";
        QTest::newRow("empty") << ""
                               << "";
    }
    void upperUsesTheConnectionsMapping()
    {
        QFETCH(QString, stored);
        QFETCH(QString, upper);
        Sandbox sandbox;
        static const CaseMapping mapping { { u'a', u'A' }, { u'G', u'G' }, { u'r', u'R' }, { u'ź', u'Ź' },
            { u'ó', u'Ó' }, { u'd', u'D' }, { u'ł', u'Ł' }, { u'o', u'O' } };
        registerDefaultAlias({ QStringLiteral("Upper"), QStringLiteral("upper.sqlite"), schema });
        Database database;
        database.setAliasName(QStringLiteral("Upper"));
        database.setUpperCase(&mapping);
        Query query(&database);
        query.addSql(QStringLiteral("select upper(?)"));
        query.addBindValue(stored);
        query.open();
        QCOMPARE(query.field(0).asString(), upper);
    }

    // The engine's one-call condition must pick exactly the rows that an "upper(c) like ?" per
    // column picks, whatever the pattern.
    void anyUpperCaseLikeMatchesSeparateClauses_data()
    {
        QTest::addColumn<QString>("pattern");
        for (const char* pattern : { "%", "%%", "%GRA%", "%gra%", "%ŹRÓDŁO%", "%źródło%", "%A_B%", "%_%", "%ŁÓ%",
                 "_RA%", "%O", "Ą%", "%ä%", "%Ä%", "%\\SETUP%", "%\"%", "%A%B%", "%__%", "%%%ÓD%%", "", "GRA",
                 "%€%", "%X€%", "%.%" })
            QTest::newRow(pattern) << QString::fromUtf8(pattern);
    }
    void anyUpperCaseLikeMatchesSeparateClauses()
    {
        QFETCH(QString, pattern);
        Sandbox sandbox;
        static const CaseMapping mapping { { u'a', u'A' }, { u'b', u'B' }, { u'g', u'G' }, { u'r', u'R' },
            { u'o', u'O' }, { u'd', u'D' }, { u'x', u'X' }, { u'ź', u'Ź' }, { u'ó', u'Ó' }, { u'ł', u'Ł' },
            { u'ą', u'Ą' } };
        registerDefaultAlias({ QStringLiteral("Fused"), QStringLiteral("fused.sqlite"),
            { QStringLiteral("create table t (id integer, a text, b text)") } });
        Database database;
        database.setAliasName(QStringLiteral("Fused"));
        database.setUpperCase(&mapping);
        database.open();
        QSqlQuery insert(database.connection());
        insert.prepare(QStringLiteral("insert into t values (?, ?, ?)"));
        const QList<std::pair<QVariant, QVariant>> rows { { "Gra", "." }, { "źródło", "x" }, { "AXB", "axb" },
            { "Ab", "łódź" }, { QVariant(), "gra" }, { QVariant(), QVariant() }, { "ä", "Ą" }, { "", "" },
            { "GRY\\SETUP.EXE", "\"q\"" }, { "x€", "€" }, { 42, "o" }, { "ĄĄ", "a%b" } };
        for (int id = 0; id < rows.size(); ++id) {
            insert.addBindValue(id);
            insert.addBindValue(rows[id].first);
            insert.addBindValue(rows[id].second);
            QVERIFY(insert.exec());
        }

        const auto ids = [&](const QString& condition, int bindings) {
            QSqlQuery select(database.connection());
            select.prepare(QStringLiteral("select id from t where %1 order by id").arg(condition));
            for (int i = 0; i < bindings; ++i)
                select.addBindValue(pattern);
            if (!select.exec())
                return QList<int> { -1 };
            QList<int> found;
            while (select.next())
                found << select.value(0).toInt();
            return found;
        };
        const QList<int> fused = ids(database.anyUpperCaseLike({ QStringLiteral("a"), QStringLiteral("b") }), 1);
        const QList<int> separate = ids(QStringLiteral("(upper(a) like ?) or (upper(b) like ?)"), 2);
        QCOMPARE(fused, separate);
    }
    // The engine's own matcher against SQLite's LIKE, on ASCII text made of the characters that
    // matter to LIKE: row by row, and as the engine's one-call condition over the same rows.
    void likeMatchesSqlitesOwnLikeOnAscii()
    {
        Sandbox sandbox;
        static const CaseMapping mapping { { u'a', u'A' }, { u'b', u'B' }, { u'x', u'X' } };
        registerDefaultAlias({ QStringLiteral("Like"), QStringLiteral("like.sqlite"),
            { QStringLiteral("create table t (id integer, a text, b text)") } });
        Database database;
        database.setAliasName(QStringLiteral("Like"));
        database.setUpperCase(&mapping);
        database.open();

        QRandomGenerator random(15);
        const auto randomText = [&](const char* alphabet, int longest) {
            QString text = QStringLiteral(""); // empty, not null: null would be bound as SQL null
            const int length = random.bounded(longest + 1);
            for (int i = 0; i < length; ++i)
                text += QChar::fromLatin1(alphabet[random.bounded(static_cast<int>(qstrlen(alphabet)))]);
            return text;
        };
        QSqlQuery insert(database.connection());
        insert.prepare(QStringLiteral("insert into t values (?, ?, ?)"));
        QList<QString> values;
        for (int id = 0; id < 60; ++id) {
            values << randomText("aAbBx_% ", 12);
            insert.addBindValue(id);
            insert.addBindValue(values.constLast());
            insert.addBindValue(randomText("abx", 4));
            QVERIFY(insert.exec());
        }

        for (int round = 0; round < 400; ++round) {
            const QString pattern = randomText("aAbB%%%_x", 9);
            QSqlQuery like(database.connection());
            like.setForwardOnly(true);
            QVERIFY(like.prepare(QStringLiteral("select id, a like ? from t order by id")));
            like.addBindValue(pattern);
            QVERIFY(like.exec());
            while (like.next()) {
                const QString& value = values.at(like.value(0).toInt());
                QVERIFY2(
                    likeMatches(pattern.toUtf8().toStdString(), value.toUtf8().toStdString()) == like.value(1).toBool(),
                    qPrintable(QStringLiteral("'%1' like '%2'").arg(value, pattern)));
            }

            const auto ids = [&](const QString& condition, int bindings) {
                QSqlQuery select(database.connection());
                select.prepare(QStringLiteral("select id from t where %1 order by id").arg(condition));
                for (int i = 0; i < bindings; ++i)
                    select.addBindValue(pattern);
                QList<int> found;
                if (!select.exec())
                    return QList<int> { -1 };
                while (select.next())
                    found << select.value(0).toInt();
                return found;
            };
            QCOMPARE(ids(database.anyUpperCaseLike({ QStringLiteral("a"), QStringLiteral("b") }), 1),
                ids(QStringLiteral("(upper(a) like ?) or (upper(b) like ?)"), 2));
        }
    }
};

// One of several programs that the test starts at once: it waits at the gate, then opens the
// shared default alias and one of its own, and checks the shared catalogue's table.
int openAtOnce(const QString& index, const QString& gate)
{
    registerDefaultAlias({ QStringLiteral("Shared"), QStringLiteral("shared.sqlite"), schema });
    registerDefaultAlias({ QStringLiteral("Own %1").arg(index), QStringLiteral("own.sqlite"), schema });
    QTextStream(stdout) << "ready" << Qt::endl;
    while (!QFile::exists(gate))
        QThread::usleep(200);
    try {
        Database shared;
        shared.setAliasName(QStringLiteral("Shared"));
        shared.open();
        if (!shared.connection().tables().contains(QStringLiteral("t_rows"))) {
            QTextStream(stderr) << "the shared catalogue has no table" << Qt::endl;
            return 1;
        }
        Database own;
        own.setAliasName(QStringLiteral("Own %1").arg(index));
        own.open();
    } catch (const Error& error) {
        QTextStream(stderr) << error.message() << Qt::endl;
        return 1;
    }
    return 0;
}

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "--open-at-once") == 0)
        return openAtOnce(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    TestDatabase test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_database.moc"
