#include "platform/database/CaseMapping.h"
#include "platform/database/Database.h"
#include "platform/database/DatabaseAliases.h"
#include "platform/database/LikeMatching.h"
#include "platform/Errors.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

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

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
