#include "platform/Errors.h"
#include "platform/database/Database.h"
#include "support/PostgresServer.h"
#include "ztr_search/CatalogueImport.h"
#include "ztr_search/CatalogueText.h"
#include "ztr_search/WielkieLitery.h"
#include "ztr_search/formBazaDanych.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
// pxlib's header declares C functions without saying so.
extern "C" {
#include <paradox.h>
}
#include <cstring>

using testing::PostgresServer;

namespace {

struct FieldDefinition {
    const char* name;
    char type;
    int length;
};

// Writes a Paradox table as the old engine kept it, through pxlib: text in Windows-1250, an
// empty value as a field of zero bytes.
void writeParadox(
    const QString& fileName, const std::vector<FieldDefinition>& fields, const std::vector<QVariantList>& records)
{
    pxdoc_t* document = PX_new();
    QVERIFY(document);
    // pxlib frees the field list itself, so it comes from pxlib's own allocator.
    auto* definitions
        = static_cast<pxfield_t*>(document->malloc(document, sizeof(pxfield_t) * fields.size(), "field definitions"));
    int recordSize = 0;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        definitions[i].px_fname = PX_strdup(document, fields[i].name);
        definitions[i].px_ftype = fields[i].type;
        definitions[i].px_flen = fields[i].length;
        definitions[i].px_fdc = 0;
        recordSize += fields[i].length;
    }
    QCOMPARE(PX_create_file(document, definitions, static_cast<int>(fields.size()),
                 QFile::encodeName(fileName).constData(), pxfFileTypNonIndexDB),
        0);
    QStringEncoder windows1250("windows-1250");
    std::vector<char> data(static_cast<std::size_t>(recordSize));
    for (const QVariantList& record : records) {
        std::fill(data.begin(), data.end(), '\0');
        int offset = 0;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            char* at = data.data() + offset;
            offset += fields[i].length;
            const QVariant& value = record.at(static_cast<qsizetype>(i));
            if (value.isNull())
                continue;
            if (fields[i].type == pxfAlpha) {
                QByteArray bytes = windows1250(value.toString());
                QVERIFY(bytes.size() <= fields[i].length);
                PX_put_data_alpha(document, at, fields[i].length, bytes.data());
            } else if (fields[i].type == pxfShort) {
                PX_put_data_short(document, at, fields[i].length, static_cast<short>(value.toInt()));
            } else if (fields[i].type == pxfNumber) {
                PX_put_data_double(document, at, fields[i].length, value.toDouble());
            } else {
                PX_put_data_long(document, at, fields[i].length, value.toInt());
            }
        }
        QVERIFY(PX_put_record(document, data.data()) >= 0);
    }
    PX_close(document);
    PX_delete(document);
}

const std::vector<FieldDefinition> discFields { { "id_plyty", pxfLong, 4 }, { "nazwa_plyty", pxfAlpha, 60 },
    { "numer_seryjny", pxfAlpha, 8 } };
const std::vector<FieldDefinition> programFields { { "id_plyty", pxfLong, 4 }, { "nazwa_programu", pxfAlpha, 80 },
    { "opis_programu", pxfAlpha, 255 }, { "instalacja", pxfAlpha, 120 }, { "wymagania", pxfAlpha, 120 } };

const std::vector<QVariantList> oldDiscs { { 3, "Zintra 5/1999 – świąteczna", "0A1B2C3D" },
    { 7, "Łódzka płyta", "01234567" }, { 65535, "ŻÓŁTA „ostatnia”", "FFFFFFFF" } };

std::vector<QVariantList> oldPrograms()
{
    return { { 3, "Szachy", "Gra logiczna", "GRY\\SZACHY\\SETUP.EXE", "." },
        { 3, "Edytor", "źródło tekstu, zażółć gęślą jaźń", "EDYTOR\\SETUP.EXE", "Windows 95" },
        { 7, "Cytat", "Program \"w cudzysłowie\" i 'apostrofach'", "CYTAT\\C.EXE", "100% RAM" },
        { 7, "Pusty opis", QVariant(), "PUSTY\\P.EXE", QVariant() },
        { 65535, "Długi", QString(255, u'ś'), "D\\D.EXE", "Pentium" } };
}

// What a catalogue holds after the takeover: every field of every disc and program, in id order.
QStringList catalogueRows(platform::Database& database)
{
    platform::Query query(&database);
    query.addSql(
        QStringLiteral("select d.id_plyty, nazwa_plyty, numer_seryjny, nazwa_programu, opis_programu, "
                       "instalacja, wymagania from t_plyty d left join t_programy p on p.id_plyty = d.id_plyty "
                       "order by d.id_plyty, nazwa_programu"));
    query.open();
    QStringList rows;
    for (; !query.eof(); query.next()) {
        QStringList fields;
        for (int i = 0; i < 7; ++i)
            fields << query.field(i).asString();
        rows << fields.join(u'|');
    }
    return rows;
}

QStringList expectedRows()
{
    QStringList rows;
    for (const QVariantList& disc : oldDiscs) {
        QList<QVariantList> programs;
        for (const QVariantList& program : oldPrograms())
            if (program.at(0) == disc.at(0))
                programs << program;
        std::sort(programs.begin(), programs.end(),
            [](const QVariantList& a, const QVariantList& b) { return a.at(1).toString() < b.at(1).toString(); });
        for (const QVariantList& program : programs) {
            QStringList fields { disc.at(0).toString(), disc.at(1).toString(), disc.at(2).toString() };
            for (int i = 1; i < 5; ++i)
                fields << (program.at(i).isNull() ? QStringLiteral(".") : program.at(i).toString());
            rows << fields.join(u'|');
        }
    }
    return rows;
}

} // namespace

class TestCatalogueImport : public QObject {
    Q_OBJECT

    PostgresServer server;
    std::unique_ptr<QTemporaryDir> dir;
    int databases = 0;

    QString oldFolder() const { return dir->filePath(QStringLiteral("stary")); }

    void writeOldCatalogue(const std::vector<QVariantList>& discs, const std::vector<QVariantList>& programs)
    {
        QDir().mkpath(oldFolder());
        // Tables copied from Windows keep their upper-case names.
        writeParadox(oldFolder() + QStringLiteral("/T_PLYTY.DB"), discFields, discs);
        writeParadox(oldFolder() + QStringLiteral("/t_programy.db"), programFields, programs);
    }

    // Points the alias "Zintra Search" at `driver`: SQLite through the engine's default, or a new
    // PostgreSQL database.
    bool useDriver(const QString& driver)
    {
        if (driver == u"sqlite")
            return true;
        if (!server.running() && !server.start())
            return false;
        const QString name = QStringLiteral("import%1").arg(++databases);
        server.createDatabase(name);
        QFile aliases(dir->filePath(QStringLiteral("aliases.conf")));
        aliases.open(QIODevice::WriteOnly | QIODevice::Truncate);
        aliases.write(server.aliasEntry(QStringLiteral("Zintra Search"), name).toUtf8());
        return true;
    }

    // The catalogue as the program opens it.
    std::unique_ptr<platform::Database> catalogue()
    {
        platform::registerDefaultAlias({ QStringLiteral("Zintra Search"), QStringLiteral("bazadanych.sqlite"),
            TfrmBazaDanych::catalogueSchema(), TfrmBazaDanych::catalogueSearchedColumns() });
        auto database = std::make_unique<platform::Database>();
        database->setAliasName(QStringLiteral("Zintra Search"));
        database->setUpperCase(&wielkieLiteryMapping());
        return database;
    }

    struct Run {
        int exitCode;
        QString out;
        QString err;
    };
    Run runTool(const QStringList& arguments)
    {
        QProcess tool;
        tool.start(QStringLiteral(ZTR_IMPORT_TOOL), arguments);
        if (!tool.waitForFinished(120000))
            return { -1, {}, {} };
        return { tool.exitCode(), QString::fromLocal8Bit(tool.readAllStandardOutput()),
            QString::fromLocal8Bit(tool.readAllStandardError()) };
    }

private slots:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        qputenv("PLATFORM_DB_ALIASES", dir->filePath(QStringLiteral("aliases.conf")).toLocal8Bit());
        qputenv("XDG_DATA_HOME", dir->filePath(QStringLiteral("data")).toLocal8Bit());
    }
    void cleanup() { dir.reset(); }

    void oldCatalogueIsTakenOverWhole_data()
    {
        QTest::addColumn<QString>("driver");
        QTest::newRow("SQLite") << "sqlite";
        QTest::newRow("PostgreSQL") << "postgres";
    }
    void oldCatalogueIsTakenOverWhole()
    {
        QFETCH(QString, driver);
        if (!useDriver(driver))
            REQUIRE_POSTGRES(server);
        writeOldCatalogue(oldDiscs, oldPrograms());
        const Run run = runTool({ oldFolder() });
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(run.out, QStringLiteral("Przeniesiono do katalogu „Zintra Search”: płyty: 3, programy: 5.\n"));
        // No terminal, no progress bar.
        QVERIFY(run.err.isEmpty());

        auto database = catalogue();
        QCOMPARE(catalogueRows(*database), expectedRows());
        // The text was decoded, not copied byte for byte: the search finds it by its letters.
        platform::Query search(database.get());
        for (const QString& line : searchStatement(database->anyUpperCaseLike(searchedColumns())))
            search.addSql(line);
        search.addBindValue(searchPattern(WielkieLitery(QStringLiteral("gęślą"))));
        search.open();
        QCOMPARE(search.recordCount(), 1);
        QCOMPARE(
            search.fieldByName(QStringLiteral("nazwa_plyty")).asString(), QStringLiteral("Zintra 5/1999 – świąteczna"));
    }

    void progressBarShowsOnATerminal()
    {
        const QString script = QStandardPaths::findExecutable(QStringLiteral("script"));
        if (script.isEmpty())
            QSKIP("script(1) is needed to give the tool a terminal");
        writeOldCatalogue(oldDiscs, oldPrograms());
        QProcess terminal;
        terminal.start(script,
            { QStringLiteral("-qec"), QStringLiteral("'%1' '%2'").arg(QStringLiteral(ZTR_IMPORT_TOOL), oldFolder()),
                QStringLiteral("/dev/null") });
        QVERIFY(terminal.waitForFinished(120000));
        const QString screen = QString::fromUtf8(terminal.readAllStandardOutput());
        QCOMPARE(terminal.exitCode(), 0);
        QVERIFY2(screen.contains(QStringLiteral("\r[") + QString(40, u'#') + QStringLiteral("] 100% (8/8)")),
            qPrintable(screen));
        QVERIFY(screen.contains(QStringLiteral("płyty: 3, programy: 5")));
    }

    // A catalogue holding any of the old ids, or a write that fails half-way, is left as it was.
    void clashOrFailureWritesNothing_data()
    {
        QTest::addColumn<QString>("driver");
        QTest::addColumn<QString>("fault");
        for (const char* driver : { "sqlite", "postgres" }) {
            QTest::addRow("%s: clashing disc", driver) << driver << "disc";
            QTest::addRow("%s: clashing program", driver) << driver << "program";
            QTest::addRow("%s: refused value", driver) << driver << "refused";
        }
    }
    void clashOrFailureWritesNothing()
    {
        QFETCH(QString, driver);
        QFETCH(QString, fault);
        if (!useDriver(driver))
            REQUIRE_POSTGRES(server);
        auto database = catalogue();
        database->open();
        const int present = fault == u"disc" ? 7 : 9;
        {
            platform::Table discs(database.get());
            discs.setTableName(QStringLiteral("t_plyty.db"));
            discs.open();
            discs.append();
            discs.setFieldValue(QStringLiteral("id_plyty"), present);
            discs.setFieldValue(QStringLiteral("nazwa_plyty"), QStringLiteral("Moja płyta"));
            discs.setFieldValue(QStringLiteral("numer_seryjny"), QStringLiteral("12345678"));
            discs.post();
        }
        std::vector<QVariantList> programs = oldPrograms();
        if (fault == u"program")
            programs.push_back({ 9, "Sierota", ".", "S.EXE", "." });
        if (fault == u"refused") {
            // The catalogue refuses the last program, after every disc and most programs went in.
            QSqlQuery refuse(database->connection());
            QVERIFY(refuse.exec(driver == u"sqlite"
                    ? QStringLiteral("create trigger refuse before insert on t_programy when new.nazwa_programu = "
                                     "'Zły' begin select raise(abort, 'refused'); end")
                    : QStringLiteral("create function refuse() returns trigger language plpgsql as $$ begin if "
                                     "new.nazwa_programu = 'Zły' then raise exception 'refused'; end if; return new; "
                                     "end $$; create trigger refuse before insert on t_programy for each row execute "
                                     "function refuse()")));
            programs.push_back({ 65535, "Zły", ".", "Z.EXE", "." });
        }
        database->close();
        writeOldCatalogue(oldDiscs, programs);

        const Run run = runTool({ QStringLiteral("--alias"), QStringLiteral("Zintra Search"), oldFolder() });
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.endsWith(QStringLiteral("Nic nie przeniesiono.\n")));
        if (fault != u"refused")
            QVERIFY2(run.err.startsWith(QStringLiteral("Katalog ma już płyty o numerach: %1\n").arg(present)),
                qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
        QCOMPARE(catalogueRows(*database), QStringList { QStringLiteral("%1|Moja płyta|12345678||||").arg(present) });
    }

    void badOldTablesAreRefused_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("one id for two discs") << "twice";
        QTest::newRow("disc id 0") << "zero";
        QTest::newRow("program of disc 70000") << "large";
        QTest::newRow("no program table") << "missing";
        QTest::newRow("no serial field") << "field";
        QTest::newRow("not a Paradox file") << "garbage";
    }
    void badOldTablesAreRefused()
    {
        QFETCH(QString, fault);
        std::vector<QVariantList> discs = oldDiscs;
        std::vector<QVariantList> programs = oldPrograms();
        if (fault == u"twice")
            discs.push_back({ 7, "Druga siódemka", "77777777" });
        if (fault == u"zero")
            discs.push_back({ 0, "Zero", "00000000" });
        if (fault == u"large")
            programs.push_back({ 70000, "Za daleko", ".", "X.EXE", "." });
        writeOldCatalogue(discs, programs);
        if (fault == u"missing")
            QVERIFY(QFile::remove(oldFolder() + QStringLiteral("/t_programy.db")));
        if (fault == u"field")
            writeParadox(
                oldFolder() + QStringLiteral("/T_PLYTY.DB"), { discFields[0], discFields[1] }, { { 3, "Bez numeru" } });
        if (fault == u"garbage") {
            QFile file(oldFolder() + QStringLiteral("/t_programy.db"));
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(QByteArray(4096, 'x'));
        }
        QVERIFY_THROWS_EXCEPTION(platform::DatabaseError, readOldCatalogue(oldFolder()));
        const Run run = runTool({ oldFolder() });
        QCOMPARE(run.exitCode, 1);
        // The catalogue was never touched, so the engine did not even create it.
        QVERIFY(!QFile::exists(dir->filePath(QStringLiteral("data/Zintra Search/bazadanych.sqlite"))));
    }

    void numbersOfAnyIntegerKindAreDiscIds()
    {
        // The old tables may keep ids as short, long or floating numbers.
        QDir().mkpath(oldFolder());
        writeParadox(oldFolder() + QStringLiteral("/t_plyty.db"),
            { { "ID_PLYTY", pxfNumber, 8 }, { "NAZWA_PLYTY", pxfAlpha, 20 }, { "NUMER_SERYJNY", pxfAlpha, 8 } },
            { { 12.0, "Dwunasta", "0000000C" } });
        writeParadox(oldFolder() + QStringLiteral("/t_programy.db"),
            { { "id_plyty", pxfShort, 2 }, programFields[1], programFields[2], programFields[3], programFields[4] },
            { { 12, "Jeden", "Opis", "J.EXE", "." } });
        const OldCatalogue old = readOldCatalogue(oldFolder());
        QCOMPARE(old.discs.size(), std::size_t(1));
        QCOMPARE(old.discs[0].id, 12);
        QCOMPARE(old.discs[0].name, QStringLiteral("Dwunasta"));
        QCOMPARE(old.programs[0].disc, 12);

        writeParadox(oldFolder() + QStringLiteral("/t_plyty.db"),
            { { "ID_PLYTY", pxfNumber, 8 }, { "NAZWA_PLYTY", pxfAlpha, 20 }, { "NUMER_SERYJNY", pxfAlpha, 8 } },
            { { 12.5, "Ułamek", "0000000C" } });
        QVERIFY_THROWS_EXCEPTION(platform::DatabaseError, readOldCatalogue(oldFolder()));
    }
};

QTEST_GUILESS_MAIN(TestCatalogueImport)
#include "tst_catalogue_import.moc"
