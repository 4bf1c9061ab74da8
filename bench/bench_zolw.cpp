// Turtle steps against bare QPainter lines: one million steps of 10 pixels with the pen down on
// an 801 by 417 canvas, the heading turning a little each step, and the same lines drawn with
// QPainter::drawLine on a QImage of that size. Prints both rates and their ratio.
#include "kavrino/TurtleMath.h"
#include "kavrino/Zolw.h"

#include <QApplication>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <vector>

namespace {

constexpr int stepsPerRun = 1'000'000;
constexpr int turnPerStep = 7;
const QSize canvasSize(801, 417);

void setUpTurtle(TZolw& zolw)
{
    zolw.resize(canvasSize);
    zolw.setX(400);
    zolw.setY(200);
    zolw.setKrok(10);
    zolw.setKat(0);
}

// The lines the turtle draws, worked out once, for the bare run.
std::vector<QLine> turtleLines()
{
    TZolw zolw;
    setUpTurtle(zolw);
    zolw.setPisak(false);
    std::vector<QLine> lines;
    lines.reserve(stepsPerRun);
    for (int i = 0; i < stepsPerRun; ++i) {
        const QPoint from(zolw.X(), zolw.Y());
        const kavrino::StepEnd end = kavrino::stepEnd(zolw.X(), zolw.Y(), zolw.Kat(), zolw.Krok());
        lines.emplace_back(from, QPoint(end.x, end.y));
        zolw.StepForward();
        zolw.TurnLeft(turnPerStep);
    }
    return lines;
}

void BM_TurtleStepForward(benchmark::State& state)
{
    for (auto _ : state) {
        TZolw zolw;
        setUpTurtle(zolw);
        for (int i = 0; i < stepsPerRun; ++i) {
            zolw.StepForward();
            zolw.TurnLeft(turnPerStep);
        }
        benchmark::DoNotOptimize(zolw.picture().image().constBits());
    }
    state.SetItemsProcessed(state.iterations() * stepsPerRun);
}

void BM_BareQPainterDrawLine(benchmark::State& state)
{
    static const std::vector<QLine> lines = turtleLines();
    for (auto _ : state) {
        QImage image(canvasSize, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setPen(QPen(Qt::black, 0));
        for (const QLine& line : lines)
            painter.drawLine(line);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetItemsProcessed(state.iterations() * stepsPerRun);
}

BENCHMARK(BM_TurtleStepForward)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_BareQPainterDrawLine)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Keeps each run's time per step so that the ratio can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> secondsPerStep;
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            secondsPerStep[run.benchmark_name()] = run.GetAdjustedRealTime() / 1e3 / stepsPerRun;
    }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double turtle = reporter.secondsPerStep["BM_TurtleStepForward/min_time:2.000"];
    const double bare = reporter.secondsPerStep["BM_BareQPainterDrawLine/min_time:2.000"];
    if (turtle > 0 && bare > 0)
        std::printf("\nTurtle: %.0f steps/s   bare QPainter::drawLine: %.0f lines/s   turtle/bare cost: %.2f\n",
                    1 / turtle, 1 / bare, turtle / bare);
    benchmark::Shutdown();
}
