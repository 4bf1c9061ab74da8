// Several copies of ztr_search adding discs to one shared catalogue at once: four processes of
// 100 discs with 100 programs each, beside one process adding all 400 discs in the same run as
// the baseline. Each disc goes in through the engine's table appends in one transaction, its id
// one above the highest, and a writer that loses the race for an id tries again. The processes
// are this program itself, started with --writer.
#include "platform/Errors.h"
#include "platform/database/Database.h"
#include "support/PostgresServer.h"
#include "ztr_search/WielkieLitery.h"
#include "ztr_search/formBazaDanych.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

namespace {

constexpr int programsPerDisc = 100;
constexpr int totalDiscs = 400;
constexpr int attemptsPerDisc = 50;

// One writer process: adds `discs` discs; returns how many times it lost the race for an id, or
// -1 when a disc could not be added at all.
int addDiscs(const QString& writer, int discs)
{
    platform::registerDefaultAlias({ QStringLiteral("Zintra Search"), QStringLiteral("bazadanych.sqlite"),
        TfrmBazaDanych::catalogueSchema(), TfrmBazaDanych::catalogueSearchedColumns() });
    platform::Database database;
    database.setAliasName(QStringLiteral("Zintra Search"));
    database.setUpperCase(&wielkieLiteryMapping());
    platform::Table discTable(&database);
    discTable.setTableName(QStringLiteral("t_plyty.db"));
    platform::Table programTable(&database);
    programTable.setTableName(QStringLiteral("t_programy.db"));
    platform::Query query(&database);
    int lost = 0;
    for (int disc = 0; disc < discs; ++disc) {
        for (int attempt = 1;; ++attempt) {
            try {
                discTable.open();
                programTable.open();
                // The id is one above the highest, so writers take turns from reading it to
                // committing: SQLite by taking its write lock at the start, a server by a lock of
                // the transaction. Without that they collide on nearly every disc.
                const bool server = database.connection().driverName() == u"QPSQL";
                QSqlQuery begin(database.connection());
                if (!begin.exec(server ? QStringLiteral("begin") : QStringLiteral("begin immediate")))
                    database.fail(begin.lastError());
                if (server && !begin.exec(QStringLiteral("select pg_advisory_xact_lock(7305110111)")))
                    database.fail(begin.lastError());
                query.close();
                query.clearSql();
                query.addSql(QStringLiteral("select max(id_plyty) as id from t_plyty"));
                query.open();
                const int id = query.field(0).asInteger() + 1;
                query.close();
                discTable.append();
                discTable.setFieldValue(QStringLiteral("id_plyty"), id);
                discTable.setFieldValue(
                    QStringLiteral("nazwa_plyty"), QStringLiteral("Płyta %1 nr %2").arg(writer).arg(disc));
                discTable.setFieldValue(
                    QStringLiteral("numer_seryjny"), QStringLiteral("%1%2").arg(writer).arg(disc, 6, 10, QChar(u'0')));
                discTable.post();
                for (int program = 0; program < programsPerDisc; ++program) {
                    programTable.append();
                    programTable.setFieldValue(QStringLiteral("id_plyty"), id);
                    programTable.setFieldValue(
                        QStringLiteral("nazwa_programu"), QStringLiteral("Program %1").arg(program));
                    programTable.setFieldValue(
                        QStringLiteral("opis_programu"), QStringLiteral("Gra logiczna, żółw i źródło"));
                    programTable.setFieldValue(
                        QStringLiteral("instalacja"), QStringLiteral("P%1\\SETUP.EXE").arg(program));
                    programTable.setFieldValue(QStringLiteral("wymagania"), QStringLiteral("."));
                }
                programTable.post();
                QSqlQuery commit(database.connection());
                if (!commit.exec(QStringLiteral("commit")))
                    database.fail(commit.lastError());
                break;
            } catch (const platform::DatabaseError& error) {
                discTable.cancel();
                programTable.cancel();
                if (database.connected())
                    QSqlQuery(database.connection()).exec(QStringLiteral("rollback"));
                ++lost;
                if (attempt == attemptsPerDisc) {
                    std::fprintf(stderr, "writer %s: %s\n", qPrintable(writer), qPrintable(error.message()));
                    return -1;
                }
                // Writers that collided at once would collide again: each waits a while of its own.
                QThread::msleep(QRandomGenerator::global()->bounded(5, 50));
            }
        }
    }
    return lost;
}

class Catalogue {
public:
    Catalogue()
    {
        qputenv("PLATFORM_DB_ALIASES", dir.filePath(QStringLiteral("aliases.conf")).toLocal8Bit());
        qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toLocal8Bit());
    }

    // A new, empty catalogue for each run: on the server, or in a new SQLite file.
    bool renew(bool onServer)
    {
        QFile aliases(dir.filePath(QStringLiteral("aliases.conf")));
        aliases.open(QIODevice::WriteOnly | QIODevice::Truncate);
        if (!onServer) {
            aliases.write(QStringLiteral("[Zintra Search]\nDRIVER=SQLITE\nPATH=%1\n")
                              .arg(dir.filePath(QStringLiteral("catalogue%1.sqlite").arg(++runs)))
                              .toUtf8());
            aliases.close();
            // The engine makes the tables of a default catalogue only; this one is made here.
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("maker"));
            db.setDatabaseName(dir.filePath(QStringLiteral("catalogue%1.sqlite").arg(runs)));
            db.open();
            for (const QString& statement : TfrmBazaDanych::catalogueSchema())
                QSqlQuery(db).exec(statement);
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(QStringLiteral("maker"));
            return true;
        }
        if (!server.running() && !server.start())
            return false;
        const QString name = QStringLiteral("katalog%1").arg(++runs);
        server.createDatabase(name);
        aliases.write(server.aliasEntry(QStringLiteral("Zintra Search"), name).toUtf8());
        return true;
    }

    QString problem() const { return server.reason(); }
    void shutDown() { server.stop(); }

    // Distinct disc ids and programs in the catalogue now.
    std::pair<int, int> counts()
    {
        platform::Database database;
        database.setAliasName(QStringLiteral("Zintra Search"));
        platform::Query query(&database);
        query.addSql(QStringLiteral("select (select count(distinct id_plyty) from t_plyty), (select count(*) from "
                                    "t_programy p join t_plyty d on d.id_plyty = p.id_plyty)"));
        query.open();
        return { query.field(0).asInteger(), query.field(1).asInteger() };
    }

private:
    QTemporaryDir dir;
    testing::PostgresServer server;
    int runs = 0;
};

Catalogue& catalogue()
{
    static Catalogue made;
    return made;
}

void writersAtOnce(benchmark::State& state, bool onServer)
{
    const int writers = static_cast<int>(state.range(0));
    double lost = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (!catalogue().renew(onServer)) {
            state.SkipWithError(catalogue().problem().toLocal8Bit().constData());
            return;
        }
        std::vector<std::unique_ptr<QProcess>> processes;
        state.ResumeTiming();
        for (int w = 0; w < writers; ++w) {
            processes.push_back(std::make_unique<QProcess>());
            processes.back()->start(QCoreApplication::applicationFilePath(),
                { QStringLiteral("--writer"), QString::number(w + 1), QString::number(totalDiscs / writers) });
        }
        bool failed = false;
        for (auto& process : processes) {
            process->waitForFinished(-1);
            const int code = process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
            failed = failed || code < 0 || code == 255;
            lost += code == 255 ? 0 : code;
            std::fputs(process->readAllStandardError().constData(), stderr);
        }
        state.PauseTiming();
        const auto [discs, programs] = catalogue().counts();
        state.ResumeTiming();
        if (failed || discs != totalDiscs || programs != totalDiscs * programsPerDisc) {
            state.SkipWithError(QStringLiteral("discs %1, programs %2 after the run")
                                    .arg(discs)
                                    .arg(programs)
                                    .toLocal8Bit()
                                    .constData());
            return;
        }
    }
    state.counters["discs_per_second"] = benchmark::Counter(
        static_cast<double>(totalDiscs) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["lost_races"] = lost / static_cast<double>(state.iterations());
}

void BM_AddDiscsPostgres(benchmark::State& state)
{
    writersAtOnce(state, true);
}
BENCHMARK(BM_AddDiscsPostgres)->Arg(1)->Arg(4)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_AddDiscsSqlite(benchmark::State& state)
{
    writersAtOnce(state, false);
}
BENCHMARK(BM_AddDiscsSqlite)->Arg(1)->Arg(4)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "--writer") == 0) {
        const int lost = addDiscs(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]).toInt());
        // The exit code carries the number of lost races, 255 a writer that gave up.
        return lost < 0 ? 255 : std::min(lost, 254);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    catalogue().shutDown();
    benchmark::Shutdown();
    return 0;
}
