// Search, disc-list and start-up times of ztr_search over a generated catalogue of 10,000 discs
// and 500,000 programs with Polish texts. The bare count(*) over t_programy runs in the same
// process as the baseline the search is compared with. The same catalogue is also copied to a
// PostgreSQL server that the benchmark starts itself, and searched there by the same window.
#include "platform/Application.h"
#include "platform/database/Database.h"
#include "support/PostgresServer.h"
#include "ztr_search/LineList.h"
#include "ztr_search/ProgramStart.h"
#include "ztr_search/formBazaDanych.h"
#include "ztr_search/formSzukaj.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int discCount = 10'000;
constexpr int programCount = 500'000;
constexpr int largestDiscCount = 65'535;

const QStringList names { "Szachy", "Warcaby", "Kalkulator", "Edytor tekstu", "Przeglądarka zdjęć", "Menedżer plików",
    "Słownik ortograficzny", "Kurs języka angielskiego", "Atlas świata", "Zegar ścienny", "Łamigłówki",
    "Wyścigi samochodowe", "Symulator lotu", "Kompresor archiwów", "Antywirus", "Odtwarzacz muzyki", "Książka adresowa",
    "Kalendarz", "Notatnik", "Tapety na pulpit", "Gęsi i lisy", "Pogodynka", "Ciężarówki" };
const QStringList phrases { "Gra logiczna dla całej rodziny. ", "Świetny program do nauki. ", "Wersja demonstracyjna. ",
    "Pełna wersja shareware. ", "Łatwa obsługa i polskie menu. ", "Zawiera źródła w języku Pascal. ",
    "Ćwiczenia z gramatyki i ortografii. ", "Obsługuje pliki graficzne BMP i GIF. ", "Przygodówka z piękną grafiką. ",
    "Narzędzie dla administratorów sieci. ", "Wciągająca rozgrywka na długie wieczory. ",
    "Program działa także w sieci lokalnej. " };
const QStringList requirements { ".", "Windows 95, 8 MB RAM", "Windows 98, 16 MB RAM, CD-ROM x4", "DOS 6.22, 4 MB RAM",
    "Pentium 133, 32 MB RAM, DirectX 6" };
// Found in one program of each hundred, and nowhere else.
const QString hitPhrase = QStringLiteral("Żółwik Franklin uczy rysowania. ");

QString discName(int id)
{
    return QStringLiteral("Zintra %1/%2 płyta %3").arg(id % 12 + 1).arg(1996 + id % 9).arg(id);
}

void generate(const QString& path, int discs, int programs)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("generator"));
        db.setDatabaseName(path);
        db.open();
        QSqlQuery query(db);
        for (const QString& statement : TfrmBazaDanych::catalogueSchema())
            query.exec(statement);
        db.transaction();
        query.prepare(QStringLiteral("insert into t_plyty values (?, ?, ?)"));
        for (int id = 1; id <= discs; ++id) {
            query.addBindValue(id);
            query.addBindValue(discName(id));
            query.addBindValue(QStringLiteral("%1").arg(id, 8, 16, QChar(u'0')).toUpper());
            query.exec();
        }
        query.prepare(QStringLiteral("insert into t_programy values (?, ?, ?, ?, ?)"));
        for (int i = 0; i < programs; ++i) {
            const QString name = names.at(i % names.size()) + QStringLiteral(" %1.%2").arg(i % 7 + 1).arg(i % 10);
            QString description = phrases.at(i % phrases.size()) + phrases.at((i / 3 + 5) % phrases.size());
            if (i % 100 == 42)
                description += hitPhrase;
            query.addBindValue(i % discs + 1);
            query.addBindValue(name);
            query.addBindValue(description);
            query.addBindValue(QStringLiteral("PROGRAMY\\P%1\\SETUP.EXE").arg(i));
            query.addBindValue(requirements.at(i % requirements.size()));
            query.exec();
        }
        db.commit();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("generator"));
}

// Copies every row of the SQLite catalogue at `path` into the server's catalogue, many rows a
// statement, once the program has made the server's tables.
void copyToPostgres(const QString& path, QSqlDatabase& server)
{
    {
        QSqlDatabase source = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("source"));
        source.setDatabaseName(path);
        source.open();
        server.transaction();
        for (const auto& [table, columns] :
            { std::pair { QStringLiteral("t_plyty"), 3 }, std::pair { QStringLiteral("t_programy"), 5 } }) {
            QSqlQuery rows(source);
            rows.setForwardOnly(true);
            rows.exec(QStringLiteral("select * from %1").arg(table));
            constexpr int perStatement = 500;
            QString row = QStringLiteral("(?") + QStringLiteral(",?").repeated(columns - 1) + u')';
            QSqlQuery insert(server);
            insert.prepare(
                QStringLiteral("insert into %1 values %2").arg(table, QStringList(perStatement, row).join(u',')));
            int inStatement = 0;
            QVariantList pending;
            while (rows.next()) {
                for (int i = 0; i < columns; ++i)
                    pending << rows.value(i);
                if (++inStatement == perStatement) {
                    for (const QVariant& value : pending)
                        insert.addBindValue(value);
                    insert.exec();
                    pending.clear();
                    inStatement = 0;
                }
            }
            for (int i = 0; i < inStatement; ++i) {
                QSqlQuery one(server);
                one.prepare(QStringLiteral("insert into %1 values %2").arg(table, row));
                for (int k = 0; k < columns; ++k)
                    one.addBindValue(pending.at(i * columns + k));
                one.exec();
            }
        }
        server.commit();
        QSqlQuery(server).exec(QStringLiteral("analyze"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("source"));
}

// The catalogues are made once per run; each benchmark starts the program on the one it needs.
class Catalogues {
public:
    Catalogues()
    {
        qputenv("PLATFORM_DB_ALIASES", dir.filePath(QStringLiteral("aliases.conf")).toLocal8Bit());
        qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toLocal8Bit());
        qputenv("PLATFORM_DRIVE_MAP", dir.filePath(QStringLiteral("drives.map")).toLocal8Bit());
        generate(full(), discCount, programCount);
        generate(discsOnly(), largestDiscCount, 0);
    }
    QString full() const { return dir.filePath(QStringLiteral("full.sqlite")); }
    QString discsOnly() const { return dir.filePath(QStringLiteral("discs.sqlite")); }

    void start(const QString& path)
    {
        startWith(QStringLiteral("[Zintra Search]\nDRIVER=SQLITE\nPATH=%1\n").arg(path));
    }

    // The full catalogue on the server, made at the first call; false when no server can run here.
    bool startPostgres()
    {
        if (!postgresTried) {
            postgresTried = true;
            if (!server.start())
                return false;
            server.createDatabase(QStringLiteral("katalog"));
            startWith(server.aliasEntry(QStringLiteral("Zintra Search"), QStringLiteral("katalog")));
            copyToPostgres(full(), frmBazaDanych->DatabaseZtr->connection());
            postgresReady = true;
        }
        if (postgresReady)
            startWith(server.aliasEntry(QStringLiteral("Zintra Search"), QStringLiteral("katalog")));
        return postgresReady;
    }
    QString postgresProblem() const { return server.reason(); }
    void shutDown()
    {
        application.reset();
        server.stop();
    }

    void startWith(const QString& aliasEntry)
    {
        application.reset();
        QFile aliases(dir.filePath(QStringLiteral("aliases.conf")));
        aliases.open(QIODevice::WriteOnly);
        aliases.write(aliasEntry.toUtf8());
        aliases.close();
        application = std::make_unique<platform::Application>();
        createZintraSearchForms(*application);
    }

    std::unique_ptr<platform::Application> application;

private:
    QTemporaryDir dir;
    testing::PostgresServer server;
    bool postgresTried = false;
    bool postgresReady = false;
};

Catalogues& catalogues()
{
    static Catalogues made;
    return made;
}

void pressEnterWith(const QString& word)
{
    frmSzukaj->Edit_tytul->setText(word);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(frmSzukaj->Edit_tytul, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(frmSzukaj->Edit_tytul, &release);
}

void searchFor(benchmark::State& state, const QString& word, bool onServer = false)
{
    if (onServer) {
        if (!catalogues().startPostgres()) {
            state.SkipWithError(catalogues().postgresProblem().toLocal8Bit().constData());
            return;
        }
    } else {
        catalogues().start(catalogues().full());
    }
    frmSzukaj->show();
    for (auto _ : state) {
        pressEnterWith(word);
        // The list is filled once its view has laid out the new lines.
        QApplication::processEvents();
    }
    state.counters["lines"] = static_cast<double>(frmSzukaj->ListBox1->count());
}

void BM_SearchOnePercent(benchmark::State& state)
{
    searchFor(state, QStringLiteral("żółwik"));
}
BENCHMARK(BM_SearchOnePercent)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SearchNoHit(benchmark::State& state)
{
    searchFor(state, QStringLiteral("qxzq"));
}
BENCHMARK(BM_SearchNoHit)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SearchOnePercentPostgres(benchmark::State& state)
{
    searchFor(state, QStringLiteral("żółwik"), true);
}
BENCHMARK(BM_SearchOnePercentPostgres)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SearchNoHitPostgres(benchmark::State& state)
{
    searchFor(state, QStringLiteral("qxzq"), true);
}
BENCHMARK(BM_SearchNoHitPostgres)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CountScanBaseline(benchmark::State& state)
{
    catalogues().start(catalogues().full());
    platform::Query& query = *frmBazaDanych->qryztr;
    for (auto _ : state) {
        query.close();
        query.clearSql();
        query.addSql(QStringLiteral("select count(*) from t_programy"));
        query.open();
        benchmark::DoNotOptimize(query.field(0).asInteger());
    }
}
BENCHMARK(BM_CountScanBaseline)->Unit(benchmark::kMillisecond)->UseRealTime();

// A scan that must read every row, without upper(): what reading the rows alone costs.
void BM_LikeScanWithoutUpper(benchmark::State& state)
{
    catalogues().start(catalogues().full());
    platform::Query& query = *frmBazaDanych->qryztr;
    for (auto _ : state) {
        query.close();
        query.clearSql();
        query.addSql(QStringLiteral("select count(*) from t_programy where opis_programu like ?"));
        query.addBindValue(QStringLiteral("%QXZQ%"));
        query.open();
        benchmark::DoNotOptimize(query.field(0).asInteger());
    }
}
BENCHMARK(BM_LikeScanWithoutUpper)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WypelnijListePlyt(benchmark::State& state)
{
    const bool largest = state.range(0) == largestDiscCount;
    catalogues().start(largest ? catalogues().discsOnly() : catalogues().full());
    for (auto _ : state)
        frmSzukaj->WypelnijListePlyt();
    state.counters["discs"] = frmSzukaj->cmbListaPlyt->count();
}
BENCHMARK(BM_WypelnijListePlyt)->Arg(discCount)->Arg(largestDiscCount)->Unit(benchmark::kMillisecond)->UseRealTime();

// From creating the windows to the first paint of the search window, in this process.
void BM_StartToFirstPaint(benchmark::State& state)
{
    catalogues();
    class PaintWatch : public QObject {
    public:
        bool painted = false;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint)
                painted = true;
            return false;
        }
    };
    for (auto _ : state) {
        catalogues().start(catalogues().full());
        PaintWatch watch;
        frmSzukaj->installEventFilter(&watch);
        catalogues().application->mainForm()->show();
        while (!watch.painted)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        frmSzukaj->removeEventFilter(&watch);
        state.PauseTiming();
        catalogues().application.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartToFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    platform::Application::setTitle(QStringLiteral("Zintra Search"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    catalogues().shutDown();
    benchmark::Shutdown();
    return 0;
}
