// The disc menu reader over generated menu files of both formats, 1,000 to 100,000 entries, in
// Windows-1250 as on the discs. A read is what "Odczytaj" does with the file's bytes: decode, split
// into lines, try the braced format and then the section format. In the same run: the step-by-step
// reading of the tests as the baseline of the reader (up to 10,000 entries, since it is quadratic),
// and just decoding the text as the floor of the whole read. The ratios are printed at the end.
#include "platform/TextFile.h"
#include "support/LiteralMenuReader.h"
#include "ztr_search/MenuReader.h"

#include <QStringEncoder>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <tuple>

namespace {

const QStringList titles { "Szachy", "Kalkulator", "Edytor tekstu", "Przeglądarka zdjęć", "Słownik ortograficzny",
    "Atlas świata", "Łamigłówki", "Wyścigi samochodowe", "Gęsi i lisy", "Żółwik" };
const QStringList phrases { "Gra logiczna dla całej rodziny.", "Świetny program do nauki.", "Wersja demonstracyjna.",
    "Pełna wersja shareware, łatwa obsługa i polskie menu.", "Ćwiczenia z gramatyki i ortografii.",
    "Wciągająca rozgrywka na długie wieczory." };
const QStringList requirements { "486 DX, 8 MB RAM", "Pentium 133, 32 MB RAM, DirectX 6", "Windows 95, CD-ROM x4" };

// A menu as the discs had them: a heading, then each entry, its description now and then over
// two or three lines and with requirements, a blank line after it, and a comment now and then.
QByteArray generatedMenu(bool braced, int entries)
{
    QString text = braced ? QStringLiteral("; Menu płyty Zintra\r\n") : QStringLiteral("[Menu]\r\nTytul=Zintra\r\n");
    for (int i = 0; i < entries; ++i) {
        const QString title = QStringLiteral("%1 %2").arg(titles.at(i % titles.size())).arg(i);
        QString description = phrases.at(i % phrases.size());
        for (int line = 0; line < i % 3; ++line)
            description += QStringLiteral("\r\n") + phrases.at((i + line + 1) % phrases.size());
        const QString requirement = requirements.at(i % requirements.size());
        if (braced) {
            if (i % 50 == 0)
                text += QStringLiteral("// Więcej na http://www.zintra.pl\r\n");
            text += QStringLiteral("nazwa={%1}\r\n").arg(title);
            text += QStringLiteral("opis={%1%2}\r\n")
                        .arg(description, i % 2 ? QStringLiteral(" Wymagania: ") + requirement : QString());
            text += QStringLiteral("instalacja={PROGRAMY\\P%1}\r\n").arg(i);
            text += QStringLiteral("uruchomienie={PROGRAMY\\P%1}{SETUP.EXE}\r\n\r\n").arg(i);
        } else {
            text += QStringLiteral("[%1]\r\nExecute=..\\PROGRAMY\\P%2\\SETUP.EXE\r\nNote=%3\r\nSystem=%4\r\n\r\n")
                        .arg(title)
                        .arg(i)
                        .arg(description, requirement);
        }
    }
    QStringEncoder windows1250("windows-1250");
    return windows1250(text);
}

const QByteArray& menu(bool braced, int entries)
{
    static std::map<std::pair<bool, int>, QByteArray> made;
    QByteArray& bytes = made[{ braced, entries }];
    if (bytes.isEmpty())
        bytes = generatedMenu(braced, entries);
    return bytes;
}

std::size_t readMenu(const QByteArray& bytes)
{
    const MenuText file(platform::decodeText(bytes));
    QStringList lines = file.lines();
    QStringList second = file.lines();
    const std::vector<MenuEntry> braced = readBracedFormat(lines);
    if (braced.size() >= minimumMenuEntries)
        return braced.size();
    return readSectionFormat(second).size();
}

std::size_t readMenuStepByStep(const QByteArray& bytes)
{
    const MenuText file(platform::decodeText(bytes));
    const QStringList& lines = file.lines();
    const testing::LiteralMenuRead braced = testing::literalReadBraced(lines);
    if (braced.rows.size() >= 2)
        return static_cast<std::size_t>(braced.rows.size());
    return static_cast<std::size_t>(testing::literalReadSection(lines).rows.size());
}

enum class Kind { Read, StepByStep, Decode };

void run(benchmark::State& state, Kind kind, bool braced, int entries)
{
    const QByteArray& bytes = menu(braced, entries);
    for (auto _ : state) {
        switch (kind) {
        case Kind::Read:
            if (readMenu(bytes) != std::size_t(entries))
                state.SkipWithError("entries lost");
            break;
        case Kind::StepByStep:
            if (readMenuStepByStep(bytes) != std::size_t(entries))
                state.SkipWithError("entries lost");
            break;
        case Kind::Decode: benchmark::DoNotOptimize(platform::decodeText(bytes)); break;
        }
    }
    state.counters["per_entry"]
        = benchmark::Counter(entries, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

using Key = std::tuple<Kind, bool, int>;
std::map<Key, double> secondsPerRead;
std::map<std::string, Key> keyOfName;

class RecordingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            const auto key = keyOfName.find(run.run_name.function_name);
            if (key != keyOfName.end() && !run.error_occurred && run.iterations > 0)
                secondsPerRead[key->second] = run.cpu_accumulated_time / static_cast<double>(run.iterations);
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

void add(Kind kind, bool braced, int entries)
{
    const char* kindName = kind == Kind::Read ? "Read" : kind == Kind::StepByStep ? "StepByStep" : "Decode";
    const std::string name = std::string(kindName) + (braced ? "/braced/" : "/section/") + std::to_string(entries);
    keyOfName[name] = { kind, braced, entries };
    // Processor time: the machines this runs on are shared, and a read uses one thread.
    benchmark::RegisterBenchmark(name.c_str(), run, kind, braced, entries)->Unit(benchmark::kMillisecond)->MinTime(2.0);
}

double seconds(Kind kind, bool braced, int entries)
{
    const auto found = secondsPerRead.find({ kind, braced, entries });
    return found == secondsPerRead.end() ? 0.0 : found->second;
}

} // namespace

int main(int argc, char** argv)
{
    for (const bool braced : { true, false }) {
        for (const int entries : { 1'000, 10'000, 100'000 }) {
            add(Kind::Read, braced, entries);
            add(Kind::Decode, braced, entries);
        }
        add(Kind::StepByStep, braced, 1'000);
        add(Kind::StepByStep, braced, 10'000);
    }
    benchmark::Initialize(&argc, argv);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const auto ratio = [](double a, double b) { return b > 0 ? a / b : 0.0; };
    std::printf("\nPer entry in microseconds of processor time, and ratios of whole reads:\n");
    std::printf("%-8s %9s %9s %9s %8s %10s %11s %8s %13s %13s %12s\n", "format", "read 1k", "read 10k", "read 100k",
        "100k/1k", "decode 1k", "decode 100k", "100k/1k", "step/read 1k", "step/read 10k", "read/decode");
    for (const bool braced : { true, false }) {
        const auto perEntry = [&](Kind kind, int entries) { return seconds(kind, braced, entries) * 1e6 / entries; };
        std::printf("%-8s %9.3f %9.3f %9.3f %8.2f %10.3f %11.3f %8.2f %13.1f %13.1f %12.2f\n",
            braced ? "braced" : "section", perEntry(Kind::Read, 1'000), perEntry(Kind::Read, 10'000),
            perEntry(Kind::Read, 100'000), ratio(perEntry(Kind::Read, 100'000), perEntry(Kind::Read, 1'000)),
            perEntry(Kind::Decode, 1'000), perEntry(Kind::Decode, 100'000),
            ratio(perEntry(Kind::Decode, 100'000), perEntry(Kind::Decode, 1'000)),
            ratio(seconds(Kind::StepByStep, braced, 1'000), seconds(Kind::Read, braced, 1'000)),
            ratio(seconds(Kind::StepByStep, braced, 10'000), seconds(Kind::Read, braced, 10'000)),
            ratio(seconds(Kind::Read, braced, 100'000), seconds(Kind::Decode, braced, 100'000)));
    }
    return 0;
}
