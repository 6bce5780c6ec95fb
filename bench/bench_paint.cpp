// Benchmarks of painting the chart into an image of the widget's usual size
// (951 x 390), the way the widget paints: one ChartPainter kept from paint
// to paint, a fresh QPainter for each. The chart comes from the defaults at
// two moments of a run, from Series1 and Series2 filled with 10^5 and 10^6
// points each, and from the most points a tick can leave. `allocs` counts
// the calls of operator new per paint.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "alloc_counter.hpp"
#include "headless_world.hpp"
#include "numeric/errors.hpp"
#include "view/chart_widget.hpp"

namespace tarvinel::bench {
namespace {

constexpr QSize kChartSize{951, 390};

void paintLoop(benchmark::State& state, const Chart& chart)
{
    QImage image(kChartSize, QImage::Format_ARGB32_Premultiplied);
    ChartPainter painter;
    {
        QPainter p(&image);
        painter.paint(p, chart, kChartSize);  // grows the painter's buffers
    }
    const std::uint64_t before = allocStats().allocations;
    for (auto _ : state) {
        QPainter p(&image);
        painter.paint(p, chart, kChartSize);
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["allocs"] = benchmark::Counter(static_cast<double>(allocStats().allocations - before),
                                                  benchmark::Counter::kAvgIterations);
}

// The chart of a default run after `Arg` ticks: 240 is Clock 20, the advance
// complete, with 301 bars and 301 depths; 624 is Clock 52 in the recession,
// with 352 bars.
void BM_PaintDefaults(benchmark::State& state)
{
    HeadlessWorld w;
    w.startWith({});
    try {
        for (std::int64_t i = 0; i < state.range(0); ++i) w.sim.Timer1Timer();
    } catch (const Error& e) {
        state.SkipWithError(e.what());
        return;
    }
    state.counters["points"] = static_cast<double>(w.chart.Series1.Count() + w.chart.Series2.Count());
    paintLoop(state, w.chart);
}
BENCHMARK(BM_PaintDefaults)->Arg(240)->Arg(624)->Unit(benchmark::kMicrosecond);

// `Args` points in Series1 and in Series2 over a run as long as the longer:
// a wedge of bars falling from 2 to 0 and a depth profile below the ground
// line that wavers by a millimetre from station to station, as a run of
// mixed soil would draw it. 200,002 bars and 100,001 depths are the most a
// tick leaves: two bars a station in the recession, 100,001 stations at most.
void BM_PaintPoints(benchmark::State& state)
{
    const std::int64_t bars = state.range(0);
    const std::int64_t depths = state.range(1);
    const auto length = static_cast<double>(std::max(bars, depths));
    HeadlessWorld w;
    w.startWith({});
    Chart& chart = w.chart;
    chart.Series1.Clear();
    chart.Series2.Clear();
    chart.BottomAxis.setMaximum(length);
    for (std::int64_t i = 1; i <= bars; ++i) {
        const double x = static_cast<double>(i) * length / static_cast<double>(bars);
        chart.Series1.AddXY(x, 2.0 * (1.0 - x / length));
    }
    for (std::int64_t i = 1; i <= depths; ++i) {
        const double x = static_cast<double>(i) * length / static_cast<double>(depths);
        chart.Series2.AddXY(x, -(30.0 - 5.0 * x / length + std::sin(static_cast<double>(i) * 0.7)));
    }
    paintLoop(state, chart);
}
BENCHMARK(BM_PaintPoints)
    ->Args({100000, 100000})
    ->Args({1000000, 1000000})
    ->Args({200002, 100001})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tarvinel::bench

int main(int argc, char** argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
