#include "platform/Errors.h"
#include "platform/database/CaseMapping.h"
#include "platform/database/Database.h"
#include "platform/database/DatabaseAliases.h"
#include "support/PostgresServer.h"

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace platform;
using testing::PostgresServer;

namespace {

// The ASCII letters and the nine Polish ones, as the catalogue program maps them.
const CaseMapping polishMapping { { u'a', u'A' }, { u'b', u'B' }, { u'c', u'C' }, { u'd', u'D' }, { u'e', u'E' },
    { u'f', u'F' }, { u'g', u'G' }, { u'h', u'H' }, { u'i', u'I' }, { u'j', u'J' }, { u'k', u'K' }, { u'l', u'L' },
    { u'm', u'M' }, { u'n', u'N' }, { u'o', u'O' }, { u'p', u'P' }, { u'q', u'Q' }, { u'r', u'R' }, { u's', u'S' },
    { u't', u'T' }, { u'u', u'U' }, { u'v', u'V' }, { u'w', u'W' }, { u'x', u'X' }, { u'y', u'Y' }, { u'z', u'Z' },
    { u'ą', u'Ą' }, { u'ć', u'Ć' }, { u'ę', u'Ę' }, { u'ł', u'Ł' }, { u'ń', u'Ń' }, { u'ó', u'Ó' }, { u'ś', u'Ś' },
    { u'ź', u'Ź' }, { u'ż', u'Ż' } };
// A mapping that leaves most ASCII letters alone: LIKE must still fold them as SQLite's does.
const CaseMapping partialMapping { { u'a', u'A' }, { u'g', u'G' }, { u'ź', u'Ź' }, { u'ó', u'Ó' }, { u'ł', u'Ł' },
    { u'ą', u'Ą' } };
// One that maps an ASCII letter elsewhere, which the server cannot leave to upper().
const CaseMapping oddMapping { { u'a', u'Ą' }, { u'x', u'€' }, { u'ł', u'Ł' }, { u'%', u'_' } };
const CaseMapping* const mappings[] { &polishMapping, &partialMapping, &oddMapping };
const char* const mappingNames[] { "polish", "partial", "odd" };

const QStringList schema { QStringLiteral("create table t (id integer not null unique, a text, b text)"),
    QStringLiteral("create index t_id on t (id)") };
const std::vector<SearchedColumn> searched { { QStringLiteral("t"), QStringLiteral("a") },
    { QStringLiteral("t"), QStringLiteral("b") } };

const QList<std::pair<QVariant, QVariant>> rows { { "Gra", "." }, { "źródło", "x" }, { "AXB", "axb" }, { "Ab", "łódź" },
    { QVariant(), "gra" }, { QVariant(), QVariant() }, { "ä", "Ą" }, { "", "" }, { "GRY\\SETUP.EXE", "\"q\"" },
    { "x€", "€" }, { "O'Neil", "o" }, { "ĄĄ", "a%b" }, { "a_b", "a\\_b" }, { "Żółw", "ŻÓŁW" },
    { "zażółć gęślą jaźń", "ZAŻÓŁĆ GĘŚLĄ JAŹŃ" }, { "Ä", "é" }, { "100% RAM", "Windows 95" }, { "😀 emoji", "smile" } };

} // namespace

class TestDatabasePostgres : public QObject {
    Q_OBJECT

    PostgresServer server;
    QTemporaryDir dir;
    int databaseCount = 0;
    // Opened once for all the patterns of a mapping, one of `mappings` each.
    std::unique_ptr<Database> sqlite[3];
    std::unique_ptr<Database> postgres[3];

    QString newDatabase(const QString& owner = QString())
    {
        const QString name = QStringLiteral("db%1").arg(++databaseCount);
        server.createDatabase(name, owner);
        return name;
    }

    void writeAliases(const QString& text)
    {
        QFile file(dir.filePath(QStringLiteral("aliases.conf")));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.toUtf8());
    }

    // A database of rows through the engine's own appends, on an alias named `alias`.
    void fill(Database& database)
    {
        Table table(&database);
        table.setTableName(QStringLiteral("t.db"));
        table.open();
        for (int id = 0; id < rows.size(); ++id) {
            table.append();
            table.setFieldValue(QStringLiteral("id"), id);
            table.setFieldValue(QStringLiteral("a"), rows[id].first);
            table.setFieldValue(QStringLiteral("b"), rows[id].second);
        }
        table.post();
    }

    static QList<int> matching(Database& database, const QString& pattern)
    {
        Query query(&database);
        query.addSql(QStringLiteral("select id from t where %1 order by id")
                         .arg(database.anyUpperCaseLike({ QStringLiteral("a"), QStringLiteral("b") })));
        query.addBindValue(pattern);
        query.open();
        QList<int> found;
        for (; !query.eof(); query.next())
            found << query.field(0).asInteger();
        return found;
    }

private slots:
    void initTestCase()
    {
        qputenv("PLATFORM_DB_ALIASES", dir.filePath(QStringLiteral("aliases.conf")).toLocal8Bit());
        qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toLocal8Bit());
        qputenv("PGPASSFILE", dir.filePath(QStringLiteral("no-such-pgpass")).toLocal8Bit());
    }
    void cleanupTestCase()
    {
        for (auto& database : sqlite)
            database.reset();
        for (auto& database : postgres)
            database.reset();
    }

    void aliasEntryKeepsTheServerKeys()
    {
        writeAliases(QStringLiteral("; club\n[Klub]\nDRIVER=postgresql\nHOST=/run/pg sock\nPORT=6543\n"
                                    "DATABASE=katalog\nUSER=ania\n"));
        const AliasFile aliases(dir.filePath(QStringLiteral("aliases.conf")));
        const DatabaseAlias club = *aliases.find(QStringLiteral("klub"));
        QCOMPARE(club.driver, QStringLiteral("POSTGRESQL"));
        QCOMPARE(club.host, QStringLiteral("/run/pg sock"));
        QCOMPARE(club.port, 6543);
        QCOMPARE(club.database, QStringLiteral("katalog"));
        QCOMPARE(club.user, QStringLiteral("ania"));

        DatabaseAlias moved = club;
        moved.host = QStringLiteral("serwer.szkola.pl");
        moved.port = 0;
        aliases.store(moved);
        const DatabaseAlias stored = *aliases.find(QStringLiteral("Klub"));
        QCOMPARE(stored.host, QStringLiteral("serwer.szkola.pl"));
        QCOMPARE(stored.port, 0);
        QCOMPARE(stored.database, QStringLiteral("katalog"));
        QCOMPARE(stored.user, QStringLiteral("ania"));
        QFile file(aliases.fileName());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(text.startsWith("; club\n"));
        QVERIFY(!text.contains("PATH="));
        QVERIFY(!text.contains("PORT="));
    }

    void emptyDatabaseGetsTheTablesWithSearchIndexes()
    {
        REQUIRE_POSTGRES(server);
        const QString name = newDatabase();
        writeAliases(server.aliasEntry(QStringLiteral("Fresh"), name));
        registerDefaultAlias({ QStringLiteral("Fresh"), QStringLiteral("fresh.sqlite"), schema, searched });
        {
            Database database;
            database.setAliasName(QStringLiteral("Fresh"));
            database.setUpperCase(&polishMapping);
            database.open();
            fill(database);
        }
        QCOMPARE(server.psql(name, QStringLiteral("select count(*) from t")), QString::number(rows.size()));
        QCOMPARE(server.psql(name,
                     QStringLiteral("select string_agg(indexname, ',' order by indexname) from pg_indexes "
                                    "where tablename = 't'")),
            QStringLiteral("t_a_search,t_b_search,t_id,t_id_key"));
        // Opening again finds the tables and adds nothing.
        Database again;
        again.setAliasName(QStringLiteral("Fresh"));
        again.setUpperCase(&polishMapping);
        again.open();
        QCOMPARE(server.psql(name, QStringLiteral("select count(*) from t")), QString::number(rows.size()));
        QCOMPARE(server.psql(name, QStringLiteral("select count(*) from pg_indexes where tablename = 't'")),
            QStringLiteral("4"));
    }

    void databaseWithTablesIsUsedAsItIs()
    {
        REQUIRE_POSTGRES(server);
        const QString name = newDatabase();
        server.psql(name, QStringLiteral("create table t (id integer, a text); insert into t values (7, 'stary')"));
        writeAliases(server.aliasEntry(QStringLiteral("Old"), name));
        registerDefaultAlias({ QStringLiteral("Old"), QStringLiteral("old.sqlite"), schema, searched });
        Database database;
        database.setAliasName(QStringLiteral("Old"));
        database.setUpperCase(&polishMapping);
        database.open();
        Table table(&database);
        table.setTableName(QStringLiteral("t"));
        table.open();
        QCOMPARE(table.recordCount(), 1);
        QCOMPARE(table.fieldByName(QStringLiteral("a")).asString(), QStringLiteral("stary"));
        QCOMPARE(table.fieldIndex(QStringLiteral("b")), -1);
        QCOMPARE(server.psql(name, QStringLiteral("select count(*) from pg_indexes where tablename = 't'")),
            QStringLiteral("0"));
    }

    void failedCreationLeavesNothingBehind()
    {
        REQUIRE_POSTGRES(server);
        const QString name = newDatabase();
        writeAliases(server.aliasEntry(QStringLiteral("Broken"), name));
        registerDefaultAlias({ QStringLiteral("Broken"), QStringLiteral("broken.sqlite"),
            { schema.first(), QStringLiteral("create table u (x no_such_type)") }, searched });
        Database database;
        database.setAliasName(QStringLiteral("Broken"));
        database.setUpperCase(&polishMapping);
        QVERIFY_THROWS_EXCEPTION(DatabaseError, database.open());
        QVERIFY(!database.connected());
        QCOMPARE(server.psql(name, QStringLiteral("select count(*) from pg_tables where schemaname = 'public'")),
            QStringLiteral("0"));
        QCOMPARE(server.psql(name, QStringLiteral("select count(*) from pg_extension where extname = 'pg_trgm'")),
            QStringLiteral("0"));
    }

    // The same rows, the same patterns: both drivers pick the same rows, whatever the letters.
    void searchPicksTheSameRowsAsSqlite_data()
    {
        QTest::addColumn<int>("mapping");
        QTest::addColumn<QString>("pattern");
        for (int mapping = 0; mapping < 3; ++mapping) {
            for (const char* pattern : { "%", "", "%%", "%GRA%", "%gra%", "%gRa%", "%ŹRÓDŁO%", "%źródło%", "%A_B%",
                     "%_%", "_", "__", "%ŁÓ%", "_RA%", "%O", "Ą%", "%ą%", "%ä%", "%Ä%", "%É%", "%\\SETUP%", "%\\%",
                     "%\\_%", "%\"%", "%'%", "%A%B%", "%__%", "%%%ÓD%%", "GRA", "%€%", "%X€%", "%.%", "%\\%%",
                     "%100\\%%", "%ŻÓŁW%", "%żółw%", "%GĘŚLĄ%", "%😀%", "_ EMOJI", "%ZAŻÓŁĆ%JAŹŃ" })
                QTest::addRow("%s %s", mappingNames[mapping], pattern) << mapping << QString::fromUtf8(pattern);
        }
    }
    void searchPicksTheSameRowsAsSqlite()
    {
        QFETCH(int, mapping);
        QFETCH(QString, pattern);
        REQUIRE_POSTGRES(server);
        const int which = mapping;
        if (!sqlite[which]) {
            const QString suffix = QString::fromLatin1(mappingNames[which]);
            registerDefaultAlias(
                { QStringLiteral("Sqlite") + suffix, QStringLiteral("same.sqlite"), schema, searched });
            registerDefaultAlias({ QStringLiteral("Postgres") + suffix, QString(), schema, searched });
            const QString name = newDatabase();
            QFile aliases(dir.filePath(QStringLiteral("aliases.conf")));
            QVERIFY(aliases.open(QIODevice::Append));
            aliases.write(server.aliasEntry(QStringLiteral("Postgres") + suffix, name).toUtf8());
            aliases.close();
            for (auto* slot : { &sqlite[which], &postgres[which] }) {
                *slot = std::make_unique<Database>();
                (*slot)->setAliasName(
                    (slot == &sqlite[which] ? QStringLiteral("Sqlite") : QStringLiteral("Postgres")) + suffix);
                (*slot)->setUpperCase(mappings[which]);
                (*slot)->open();
                fill(**slot);
            }
        }
        const QList<int> onSqlite = matching(*sqlite[which], pattern);
        const QList<int> onPostgres = matching(*postgres[which], pattern);
        QCOMPARE(onPostgres, onSqlite);
    }

    void trigramIndexServesTheSearch()
    {
        REQUIRE_POSTGRES(server);
        const QString name = newDatabase();
        writeAliases(server.aliasEntry(QStringLiteral("Big"), name));
        registerDefaultAlias({ QStringLiteral("Big"), QStringLiteral("big.sqlite"), schema, searched });
        Database database;
        database.setAliasName(QStringLiteral("Big"));
        database.setUpperCase(&polishMapping);
        database.open();
        server.psql(name,
            QStringLiteral("insert into t select g, 'Program numer ' || g, 'Opis zażółć ' || (g * 7) "
                           "from generate_series(1, 20000) g; analyze t"));
        const QString condition = database.anyUpperCaseLike({ QStringLiteral("a"), QStringLiteral("b") });
        const QString plan = server.psql(name,
            // Whether the index can serve the condition at all: the planner prefers a plain scan of
            // a table this small.
            QStringLiteral("set enable_seqscan = off; prepare search(text) as select id from t where %1; "
                           "explain execute search('%ŻÓŁĆ 7028%')")
                .arg(condition));
        QVERIFY2(plan.contains(QStringLiteral("Bitmap Index Scan on t_a_search"))
                && plan.contains(QStringLiteral("Bitmap Index Scan on t_b_search")),
            qPrintable(plan));
        QCOMPARE(matching(database, QStringLiteral("%ŻÓŁĆ 7028%")), (QList<int> { 1004, 10040, 10041 }));
    }

    void passwordComesFromThePasswordFileOnly()
    {
        REQUIRE_POSTGRES(server);
        server.createRole(QStringLiteral("katalog"), QStringLiteral("tajne: hasło"));
        const QString name = newDatabase(QStringLiteral("katalog"));
        writeAliases(QStringLiteral("[Club]\nDRIVER=POSTGRESQL\nHOST=127.0.0.1\nPORT=%1\nDATABASE=%2\nUSER=katalog\n")
                         .arg(server.port())
                         .arg(name));
        registerDefaultAlias({ QStringLiteral("Club"), QStringLiteral("club.sqlite"), schema, searched });
        Database database;
        database.setAliasName(QStringLiteral("Club"));
        database.setUpperCase(&polishMapping);
        try {
            database.open();
            QFAIL("opened without a password");
        } catch (const DatabaseError& error) {
            QVERIFY2(error.message().contains(QStringLiteral("password")), qPrintable(error.message()));
        }

        const QString passwords = dir.filePath(QStringLiteral("pgpass"));
        QFile file(passwords);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("127.0.0.1:%1:%2:katalog:tajne\\: hasło\n").arg(server.port()).arg(name).toUtf8());
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        const QByteArray before = qgetenv("PGPASSFILE");
        qputenv("PGPASSFILE", passwords.toLocal8Bit());
        database.open();
        qputenv("PGPASSFILE", before);
        // The owner of the database, no superuser, made the tables, the function and the indexes.
        fill(database);
        QCOMPARE(matching(database, QStringLiteral("%ŻÓŁW%")), QList<int> { 13 });
    }

    void lostConnectionIsDroppedAndTheNextUseConnectsAgain()
    {
        REQUIRE_POSTGRES(server);
        const QString name = newDatabase();
        writeAliases(server.aliasEntry(QStringLiteral("Lost"), name));
        registerDefaultAlias({ QStringLiteral("Lost"), QStringLiteral("lost.sqlite"), schema, searched });
        Database database;
        database.setAliasName(QStringLiteral("Lost"));
        database.setUpperCase(&polishMapping);
        database.open();
        fill(database);
        Table table(&database);
        table.setTableName(QStringLiteral("t"));
        table.open();
        QVERIFY(table.active());

        server.stop();
        QVERIFY(server.start());
        QVERIFY_THROWS_EXCEPTION(DatabaseError, matching(database, QStringLiteral("%GRA%")));
        QVERIFY(!database.connected());
        QVERIFY(!table.active());
        QCOMPARE(matching(database, QStringLiteral("%GRA%")), (QList<int> { 0, 4 }));
        QVERIFY(database.connected());

        // A server that is down is the engine's error too, and coming back is enough.
        server.stop();
        QVERIFY_THROWS_EXCEPTION(DatabaseError, matching(database, QStringLiteral("%GRA%")));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, table.open());
        QVERIFY(server.start());
        table.open();
        QCOMPARE(table.recordCount(), rows.size());
    }
};

QTEST_GUILESS_MAIN(TestDatabasePostgres)
#include "tst_database_postgres.moc"
