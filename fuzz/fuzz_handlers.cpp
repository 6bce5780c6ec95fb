// The handlers driven by arbitrary input: the window starts up with its
// layout's texts under one of the decimal separators, then the input types
// texts into the parameter boxes, clicks the mode buttons, "INICIAR",
// "PARAR" and "NOVA SIMULAÇÃO", and lets the timer tick. Each handler runs
// inside a guard like the window's. Nothing may crash or hang, no field of
// SimState may hold an infinity or a NaN after a handler, and every error
// must be one of the known kinds with its own message. After every handler
// the chart is laid out as the window would paint it, and what the layout
// gives to draw must stay within the rectangle the series are clipped to.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdint>
#include <exception>
#include <string>

#include "fuzz_support.hpp"
#include "handler_checks.hpp"
#include "model/form_port.hpp"
#include "model/simulator.hpp"
#include "numeric/errors.hpp"
#include "view/chart.hpp"
#include "view/chart_layout.hpp"

namespace tarvinel::fuzz {
namespace {

// Texts that lead the model to its edges, with a decimal comma or a point.
constexpr std::array<const char*, 40> kTexts{
    "0",      "1",        "-1",       "2",      "0,5",      "0.5",     "-2,5",  "-2.5",  "-3",    "25",
    "300",    "300,5",    "301.5",    "0,4",    "1e400",    "1E4000",  "1e-400", "1e5",  "100000", "100001",
    "1e308",  "-1e308",   "5,5",      "5.5",    "0,2",      "0.2",     "0,348", "0.348", "29",    "0,87",
    "0.87",   "100",      "100000000", "1e-9",  "1000",     "15,35",   "15.4",  "",      "abc",   ",",
};

// Text sizes as a plain font would give them: 7 pixels a byte, 13 high.
class FixedMetrics final : public TextMetrics {
public:
    [[nodiscard]] int textWidth(std::string_view utf8) const override { return 7 * static_cast<int>(utf8.size()); }
    [[nodiscard]] int textHeight() const override { return 13; }
};

class Session {
public:
    explicit Session(FuzzedDataProvider& input) : input_(input) {}

    void run()
    {
        guarded([&] { sim_.FormCreate(); });
        int ticks = 0;
        while (input_.remaining_bytes() > 0 && ticks < kMaxTicks) {
            switch (input_.ConsumeIntegralInRange<int>(0, 9)) {
            case 0:
            case 1: form_.setText(box(), kTexts[input_.ConsumeIntegralInRange<std::size_t>(0, kTexts.size() - 1)]); break;
            case 2: form_.setText(box(), input_.ConsumeRandomLengthString(24)); break;
            case 3: guarded([&] { form_.checkModeButton(Irrigation::Furrow); }); break;
            case 4: guarded([&] { form_.checkModeButton(Irrigation::Border); }); break;
            case 5: guarded([&] { sim_.Button1Click(); }); break;
            case 6: guarded([&] { sim_.Button2Click(); }); break;
            case 7: guarded([&] { sim_.Button3Click(); }); break;
            default: {
                // Timer periods pass; each runs a tick while the timer is on.
                const int periods = input_.ConsumeIntegralInRange<int>(1, 8);
                for (int i = 0; i < periods && ticks < kMaxTicks; ++i, ++ticks) {
                    if (form_.timerEnabled()) guarded([&] { sim_.Timer1Timer(); });
                }
            }
            }
        }
    }

private:
    // With a fast v among the texts ("1000", "100000") enough to cross every
    // phase of a run; few enough that an input of the slowest ticks (a search
    // to its bound, a sweep of 100,001 stations) ends within seconds.
    static constexpr int kMaxTicks = 48;

    EditBox box() { return static_cast<EditBox>(input_.ConsumeIntegralInRange<int>(0, 7)); }

    template <typename Handler>
    void guarded(Handler handler)
    {
        try {
            handler();
        } catch (const Error& e) {
            if (!bench::isKnownError(e, form_)) {
                fail("unknown error: kind " + std::string(kindName(e.kind())) + " \"" + printable(e.what()) + "\"");
            }
        } catch (const std::exception& e) {
            fail(std::string("a handler raised ") + e.what());
        }
        if (const char* field = bench::nonFiniteField(s_)) fail(std::string(field) + " is not finite");
        if (chart_.Series3.Count() != 2 || chart_.Series4.Count() != 1) fail("the fixed series lost their points");
        checkLayout();
    }

    // The chart's usual size in the window.
    void checkLayout()
    {
        layout_.update(chart_, 951, 390, metrics_);
        const PixelRect clip = layout_.frame().clip;
        const PixelRect guard{clip.left - chart_look::kLineGuard, clip.top - chart_look::kLineGuard,
                              clip.width + 2 * chart_look::kLineGuard, clip.height + 2 * chart_look::kLineGuard};
        for (const SeriesGeometry& g : layout_.series()) {
            if (g.bars.size() > static_cast<std::size_t>(clip.width)) fail("more bars than columns");
            for (const PixelRect& bar : g.bars) {
                if (bar.width <= 0 || bar.height <= 0 || bar.left < clip.left || bar.right() > clip.right() ||
                    bar.top < clip.top || bar.bottom() > clip.bottom()) {
                    fail("a bar outside the clip rectangle");
                }
            }
            for (const PixelPoint& p : g.line) {
                if (!guard.contains(p.x, p.y)) fail("a line point beyond the guard around the clip rectangle");
            }
        }
    }

    FuzzedDataProvider& input_;
    SimState s_;
    Chart chart_;
    HeadlessForm form_{s_};
    Simulator sim_{s_, chart_, form_};
    ChartLayout layout_;
    FixedMetrics metrics_;
};

}  // namespace
}  // namespace tarvinel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace tarvinel::fuzz;
    FuzzedDataProvider input(data, size);
    chooseSeparator(input.ConsumeIntegral<std::uint8_t>());
    Session(input).run();
    return 0;
}
