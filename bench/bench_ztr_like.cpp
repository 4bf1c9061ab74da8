// The catalogue's search condition with wildcards inside the word, over 500 programs with
// descriptions of 300 characters: the engine's one-call condition against SQLite's own upper()
// and LIKE per column over the same rows, in the same run. A word like "a%a%a%a%q" must cost about
// what an ordinary word costs, not grow with the number of its "%".
#include "platform/database/DatabaseDriver.h"
#include "ztr_search/WielkieLitery.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <benchmark/benchmark.h>

namespace {

constexpr int programCount = 500;
const QStringList phrases { "Gra logiczna dla całej rodziny. ", "Świetny program do nauki. ", "Wersja demonstracyjna. ",
    "Pełna wersja shareware. ", "Łatwa obsługa i polskie menu. ", "Zawiera źródła w języku Pascal. ",
    "Ćwiczenia z gramatyki i ortografii. ", "Obsługuje pliki graficzne BMP i GIF. ", "Przygodówka z piękną grafiką. ",
    "Narzędzie dla administratorów sieci. ", "Wciągająca rozgrywka na długie wieczory. " };

QSqlDatabase& catalogue()
{
    static QSqlDatabase connection = [] {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("like"));
        db.setDatabaseName(QStringLiteral(":memory:"));
        db.open();
        platform::sqliteDriver().installUpperCase(db, wielkieLiteryMapping());
        QSqlQuery query(db);
        query.exec(QStringLiteral("create table t_programy (nazwa_programu text, opis_programu text, wymagania text, "
                                  "instalacja text)"));
        query.prepare(QStringLiteral("insert into t_programy values (?, ?, ?, ?)"));
        for (int i = 0; i < programCount; ++i) {
            QString description;
            for (int k = i; description.size() < 300; k += 7)
                description += phrases.at(k % phrases.size());
            query.addBindValue(QStringLiteral("Program %1").arg(i));
            query.addBindValue(description.left(300));
            query.addBindValue(QStringLiteral("Windows 95, 8 MB RAM"));
            query.addBindValue(QStringLiteral("PROGRAMY\\P%1\\SETUP.EXE").arg(i));
            query.exec();
        }
        return db;
    }();
    return connection;
}

int count(const QString& condition, int bindings, const QString& word)
{
    QSqlQuery query(catalogue());
    query.prepare(QStringLiteral("select count(*) from t_programy where ") + condition);
    const QString pattern = u'%' + WielkieLitery(word) + u'%';
    for (int i = 0; i < bindings; ++i)
        query.addBindValue(pattern);
    query.exec();
    query.next();
    return query.value(0).toInt();
}

void BM_EngineCondition(benchmark::State& state, const char* word)
{
    const QString condition = QStringLiteral("upper_like_any(?, nazwa_programu, opis_programu, wymagania, instalacja)");
    int found = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(found = count(condition, 1, QString::fromUtf8(word)));
    state.counters["found"] = found;
}

// The baseline: SQLite's own LIKE, one clause per column.
void BM_SqliteLikePerColumn(benchmark::State& state, const char* word)
{
    const QString condition = QStringLiteral("upper(nazwa_programu) like ? or upper(opis_programu) like ? or "
                                             "upper(wymagania) like ? or upper(instalacja) like ?");
    int found = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(found = count(condition, 4, QString::fromUtf8(word)));
    state.counters["found"] = found;
}

BENCHMARK_CAPTURE(BM_EngineCondition, word, "gra")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SqliteLikePerColumn, word, "gra")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_EngineCondition, five_percent, "a%a%a%a%q")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SqliteLikePerColumn, five_percent, "a%a%a%a%q")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_EngineCondition, nine_percent, "a%a%a%a%a%a%a%a%q")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SqliteLikePerColumn, nine_percent, "a%a%a%a%a%a%a%a%q")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
