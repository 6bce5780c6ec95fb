// Benchmarks of the model: the tick with the layout's defaults in every phase
// of a run, the first tick after "NOVA SIMULAÇÃO" with its search for the
// required time, a sweep that visits every station of a long run, and the
// power and conversions the tick is built from.
//
// Every tick benchmark reports `allocs`, the calls of operator new per tick
// once the series' storage has grown (alloc_counter.cpp counts them).
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <string>

#include "alloc_counter.hpp"
#include "headless_world.hpp"
#include "model/curves.hpp"
#include "numeric/errors.hpp"
#include "view/conversions.hpp"

namespace tarvinel::bench {
namespace {

// Runs `ticks` ticks, reporting the first error as the benchmark's failure.
bool tickOrSkip(benchmark::State& state, HeadlessWorld& w, int ticks)
{
    try {
        for (int i = 0; i < ticks; ++i) w.sim.Timer1Timer();
    } catch (const Error& e) {
        state.SkipWithError(e.what());
        return false;
    }
    return true;
}

void reportAllocations(benchmark::State& state, std::uint64_t before)
{
    const auto calls = static_cast<double>(allocStats().allocations - before);
    state.counters["allocs"] = benchmark::Counter(calls, benchmark::Counter::kAvgIterations);
}

// The steady tick with the defaults, the clock held at one moment of the run
// (v = 0 after `Arg` ticks at v = 100): 60 ticks is Clock 5 during the
// advance, 240 is 20 (advance complete), 600 is 50 (depletion), 624 is 52
// (recession) and 643 the last tick before Tr.
void BM_TickDefaultsAt(benchmark::State& state)
{
    HeadlessWorld w;
    w.startWith({});
    if (!tickOrSkip(state, w, static_cast<int>(state.range(0)) - 1)) return;
    w.form.setText(EditBox::Edit8, "0");
    if (!tickOrSkip(state, w, 2)) return;
    state.SetLabel("Clock " + FloatToStr(w.s.Clock));

    const std::uint64_t before = allocStats().allocations;
    for (auto _ : state) {
        w.sim.Timer1Timer();
        benchmark::DoNotOptimize(w.s.Station);
    }
    reportAllocations(state, before);
    state.counters["stations"] = w.s.Station;
}
BENCHMARK(BM_TickDefaultsAt)->Arg(60)->Arg(240)->Arg(600)->Arg(624)->Arg(643);

// The steady tick with the defaults averaged over whole runs: each run of
// 644 ticks goes from the first step to Tr. Between runs the clock and the
// carried sweep values are put back by hand, not by "NOVA SIMULAÇÃO", so
// that no run starts with a search.
void BM_TickDefaultsWholeRun(benchmark::State& state)
{
    HeadlessWorld w;
    w.startWith({});
    if (!tickOrSkip(state, w, 700)) return;  // one run, to grow the series' storage

    std::uint64_t allocations = 0;
    for (auto _ : state) {
        if (!w.form.timerEnabled()) {
            state.PauseTiming();
            w.s.Clock = 0.0;
            w.s.RecessionPos = 0.0;
            w.s.MarkerY = 4.0;
            w.sim.Button1Click();
            state.ResumeTiming();
        }
        const std::uint64_t before = allocStats().allocations;
        w.sim.Timer1Timer();
        allocations += allocStats().allocations - before;
    }
    state.counters["allocs"] =
        benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_TickDefaultsWholeRun);

// The first tick after "NOVA SIMULAÇÃO": the search for ReqTime from 0, 780
// steps with the defaults, 38,808 with TIE = 0 (Arg 1).
void BM_FirstTickAfterReset(benchmark::State& state)
{
    HeadlessWorld w;
    const bool bareKostiakov = state.range(0) != 0;
    if (bareKostiakov) {
        w.startWith({{EditBox::Edit6, "0"}});
    } else {
        w.startWith({});
    }
    if (!tickOrSkip(state, w, 1)) return;

    const std::uint64_t before = allocStats().allocations;
    for (auto _ : state) {
        w.sim.Button3Click();
        w.sim.Timer1Timer();
    }
    reportAllocations(state, before);
    // ReqTime is a sum of steps of 0.05.
    const double steps = static_cast<double>(Round(w.s.ReqTime / 0.05L));
    state.counters["steps"] = steps;
    state.counters["per_step"] = benchmark::Counter(
        steps, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.SetLabel(bareKostiakov ? "TIE = 0" : "defaults");
}
BENCHMARK(BM_FirstTickAfterReset)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A steady tick whose sweep visits every station of a run of L metres: the
// advance front far past the tail (p = 10^8) and the inflow still on (IRN =
// 500 puts Ti well ahead of the clock), with the clock held at its first step.
// Each station then costs three powers: its recession time, its advance time
// and its infiltrated depth.
void BM_TickFullSweep(benchmark::State& state)
{
    const std::string length = std::to_string(state.range(0));
    HeadlessWorld w;
    w.startWith({{EditBox::Edit2, length.c_str()},
                 {EditBox::Edit7, "100000000"},
                 {EditBox::Edit3, "500"}});
    // Held at the first step: at Clock 0 the wedge of the advance would divide by zero.
    w.form.setText(EditBox::Edit8, "0");
    if (!tickOrSkip(state, w, 2)) return;
    const std::int64_t stations = state.range(0) + 1;
    if (w.s.Station != stations || !(w.s.Clock < w.s.Ti)) {
        state.SkipWithError("the sweep does not visit every station before the cut-off");
        return;
    }

    const std::uint64_t before = allocStats().allocations;
    for (auto _ : state) {
        w.sim.Timer1Timer();
        benchmark::DoNotOptimize(w.s.StationDepth);
    }
    reportAllocations(state, before);
    state.counters["stations"] = static_cast<double>(stations);
    state.counters["per_station"] =
        benchmark::Counter(static_cast<double>(stations),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_TickFullSweep)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// One Power with a fractional exponent, the path of every curve of the model.
void BM_Power(benchmark::State& state)
{
    Real base = 0.3;
    const Real exponent = 0.87;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Power(base, exponent));
        base = base + 1.0;
    }
}
BENCHMARK(BM_Power);

// The three powers of one station, as the full sweep forms them.
void BM_StationPowers(benchmark::State& state)
{
    const Real advanceExponent = 1.0_r / 0.87;
    const Real recessionExponent = 1.0_r / 1.5;
    const Real a = 0.2;
    std::int32_t station = 1;
    for (auto _ : state) {
        const Real x = static_cast<double>(station);
        benchmark::DoNotOptimize(Power(x / 80.0, recessionExponent));
        benchmark::DoNotOptimize(Power(x / 1e8, advanceExponent));
        benchmark::DoNotOptimize(Power(Real(0.083) + x * 1e-9, a));
        if (++station > 100000) station = 1;
    }
}
BENCHMARK(BM_StationPowers);

// The conversions a tick runs: eight reads of a box and four texts written.
void BM_StrToFloat(benchmark::State& state)
{
    numberFormat().DecimalSeparator = U',';
    constexpr std::array<const char*, 8> kTexts{"0,87", "300", "25", "5,5", "0,2", "0,348", "29", "100"};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(StrToFloat(kTexts[i]));
        i = (i + 1) % kTexts.size();
    }
}
BENCHMARK(BM_StrToFloat);

void BM_FloatToStr(benchmark::State& state)
{
    numberFormat().DecimalSeparator = U',';
    constexpr std::array<double, 4> kValues{47.50352236957294, 51.25352236957294, 53.66724583108701, 4.0};
    std::size_t i = 0;
    const std::uint64_t before = allocStats().allocations;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FloatToStr(kValues[i]));
        i = (i + 1) % kValues.size();
    }
    reportAllocations(state, before);
}
BENCHMARK(BM_FloatToStr);

}  // namespace
}  // namespace tarvinel::bench
