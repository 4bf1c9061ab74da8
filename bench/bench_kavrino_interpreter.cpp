// Throughput of the command interpreter: "np" and its step length confirmed again and again
// through Button1Click with the pen down, on a shown window whose events are processed as they
// would be between typed lines. The text-screen variants show whether a long text screen makes
// each command dearer.
#include "kavrino/Unit1.h"
#include "kavrino/Unit2.h"
#include "kavrino/Unit3.h"
#include "kavrino/Unit4.h"
#include "kavrino/Unit5.h"
#include "platform/Application.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

struct Console {
    Console()
    {
        Form1 = new TForm1;
        Form3 = new TForm3;
        AboutBox = new TAboutBox;
        Form4 = new TForm4;
        OKBottomDlg = new TOKBottomDlg;
        Form1->Timer1->setEnabled(false); // ticks would only add noise
        Form1->Timer2->setEnabled(false);
        Form1->show();
        QCoreApplication::processEvents();
        run(QStringLiteral("pw"));
        run(QStringLiteral("90"));
    }
    ~Console()
    {
        delete OKBottomDlg;
        delete Form4;
        delete AboutBox;
        delete Form3;
        delete Form1;
    }
    static void run(const QString& line)
    {
        Form1->Edit1->setText(line);
        Form1->Button1Click();
    }
    static void fillScreen(int lines)
    {
        Form1->ListBox1->clear();
        for (int i = 0; i < lines; ++i)
            Form1->ListBox1->addItem(QStringLiteral("Żółw poszedł do przodu o :%1").arg(i));
        QCoreApplication::processEvents();
    }
};

void forwardCommands(benchmark::State& state, int screenLines)
{
    Console console;
    Console::fillScreen(screenLines);
    const QString np = QStringLiteral("np");
    const QString step = QStringLiteral("7");
    std::int64_t commands = 0;
    for (auto _ : state) {
        Console::run(np);
        Console::run(step);
        if (++commands % 100 == 0)
            QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();
    state.SetItemsProcessed(commands);
    state.counters["screen_lines_at_end"] = Form1->ListBox1->count();
}

void BM_Forward100000Commands(benchmark::State& state)
{
    forwardCommands(state, 3);
}
BENCHMARK(BM_Forward100000Commands)->Iterations(100000)->Unit(benchmark::kMicrosecond);

void BM_ForwardWithTextScreen(benchmark::State& state)
{
    forwardCommands(state, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_ForwardWithTextScreen)
    ->ArgName("screen_lines")
    ->Arg(1000)
    ->Arg(100000)
    ->Iterations(10000)
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    platform::Application::setTitle(QStringLiteral("Kavrino"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
