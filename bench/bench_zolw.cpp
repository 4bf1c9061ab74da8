// Turtle steps against bare QPainter lines, in two drawings of one million 10-pixel steps with the
// pen down on an 801 by 417 canvas: a star whose five headings repeat (each set anew, as
// "skieruj" sets it), and a curve whose heading turns 7 degrees at every step and so never
// repeats. Each drawing's lines are also drawn with QPainter::drawLine and with the turtle's own
// pixel walk alone (the lower bound: no arithmetic). Prints the cost of a step as a share of a
// bare line, per drawing.
#include "kavrino/TurtleMath.h"
#include "kavrino/Zolw.h"

#include <QApplication>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int stepsPerRun = 1'000'000;
const QSize canvasSize(801, 417);

struct Drawing {
    const char* name;
    int turnPerStep;
    bool headingsRepeat;
};
constexpr Drawing drawings[] = { { "repeated headings (star)", 144, true }, { "never-repeating headings", 7, false } };

void turn(TZolw& zolw, const Drawing& drawing)
{
    if (drawing.headingsRepeat)
        zolw.setKat((zolw.Kat() + drawing.turnPerStep) % 360);
    else
        zolw.TurnLeft(drawing.turnPerStep);
}

void setUpTurtle(TZolw& zolw)
{
    zolw.resize(canvasSize);
    zolw.setX(400);
    zolw.setY(200);
    zolw.setKrok(10);
    zolw.setKat(0);
}

// The lines the turtle draws, worked out once, for the runs without the turtle.
const std::vector<QLine>& turtleLines(const Drawing& drawing)
{
    static std::map<std::string, std::vector<QLine>> cache;
    std::vector<QLine>& lines = cache[drawing.name];
    if (!lines.empty())
        return lines;
    TZolw zolw;
    setUpTurtle(zolw);
    zolw.setPisak(false);
    lines.reserve(stepsPerRun);
    for (int i = 0; i < stepsPerRun; ++i) {
        // The line ends where the step ends, before the turtle wraps round an edge.
        const kavrino::StepEnd end = kavrino::stepEnd(zolw.X(), zolw.Y(), zolw.Kat(), zolw.Krok());
        lines.emplace_back(QPoint(zolw.X(), zolw.Y()), QPoint(end.x, end.y));
        zolw.StepForward();
        turn(zolw, drawing);
    }
    return lines;
}

QImage blankCanvas()
{
    QImage image(canvasSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

void turtleSteps(benchmark::State& state, const Drawing& drawing)
{
    for (auto _ : state) {
        TZolw zolw;
        setUpTurtle(zolw);
        for (int i = 0; i < stepsPerRun; ++i) {
            zolw.StepForward();
            turn(zolw, drawing);
        }
        benchmark::DoNotOptimize(zolw.picture().image().constBits());
    }
    state.SetItemsProcessed(state.iterations() * stepsPerRun);
}

void bareDrawLine(benchmark::State& state, const Drawing& drawing)
{
    const std::vector<QLine>& lines = turtleLines(drawing);
    for (auto _ : state) {
        QImage image = blankCanvas();
        QPainter painter(&image);
        painter.setPen(QPen(Qt::black, 0));
        for (const QLine& line : lines)
            painter.drawLine(line);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetItemsProcessed(state.iterations() * stepsPerRun);
}

void pixelWalk(benchmark::State& state, const Drawing& drawing)
{
    const std::vector<QLine>& lines = turtleLines(drawing);
    for (auto _ : state) {
        QImage image = blankCanvas();
        for (const QLine& line : lines)
            kavrino::drawLineExcludingEnd(image, line.p1(), line.p2(), qRgb(0, 0, 0));
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetItemsProcessed(state.iterations() * stepsPerRun);
}

// Keeps each run's CPU time per step so that the ratios can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> secondsPerStep;
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration)
                secondsPerStep[run.run_name.function_name] = run.GetAdjustedCPUTime() / 1e3 / stepsPerRun;
    }
};

std::string benchmarkName(const char* kind, const Drawing& drawing)
{
    return std::string(kind) + "/" + drawing.name;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    for (const Drawing& drawing : drawings) {
        benchmark::RegisterBenchmark(benchmarkName("TurtleStepForward", drawing).c_str(), turtleSteps, drawing)
            ->Unit(benchmark::kMillisecond)
            ->MinTime(2.0);
        benchmark::RegisterBenchmark(benchmarkName("BareQPainterDrawLine", drawing).c_str(), bareDrawLine, drawing)
            ->Unit(benchmark::kMillisecond)
            ->MinTime(2.0);
        benchmark::RegisterBenchmark(benchmarkName("PixelWalk", drawing).c_str(), pixelWalk, drawing)
            ->Unit(benchmark::kMillisecond)
            ->MinTime(2.0);
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::printf("\nCPU time per step, and as a share of a bare QPainter::drawLine of the same line:\n");
    for (const Drawing& drawing : drawings) {
        const double turtle = reporter.secondsPerStep[benchmarkName("TurtleStepForward", drawing)];
        const double bare = reporter.secondsPerStep[benchmarkName("BareQPainterDrawLine", drawing)];
        const double walk = reporter.secondsPerStep[benchmarkName("PixelWalk", drawing)];
        if (turtle > 0 && bare > 0 && walk > 0)
            std::printf("  %-26s turtle %5.1f ns  bare line %5.1f ns  pixel walk %5.1f ns   "
                        "turtle/bare %.2f (%.1fx less)  pixel walk/bare %.2f\n",
                drawing.name, turtle * 1e9, bare * 1e9, walk * 1e9, turtle / bare, bare / turtle, walk / bare);
    }
    benchmark::Shutdown();
}
