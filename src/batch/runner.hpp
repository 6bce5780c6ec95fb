// The window without a display: the one SimState, the chart, a headless form
// and the very handlers the window runs, driven by a script. Every handler
// runs inside a guard, the twin of the window's: an error that escapes it is
// printed as one JSON line instead of shown in a box, and the script goes on.
#pragma once

#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "batch/script.hpp"
#include "model/form_port.hpp"
#include "model/sim_state.hpp"
#include "model/simulator.hpp"
#include "view/chart.hpp"

namespace tarvinel {

class BatchRunner {
public:
    // The form starts as the layout leaves the window: the default texts,
    // the timer enabled, no mode button checked. Nothing runs yet.
    explicit BatchRunner(std::ostream& out) : out_(out) {}
    BatchRunner(const BatchRunner&) = delete;
    BatchRunner& operator=(const BatchRunner&) = delete;

    // The window's creation: FormCreate, guarded.
    void start();
    void run(std::span<const ScriptCommand> commands);
    void execute(const ScriptCommand& command);

    [[nodiscard]] const SimState& state() const noexcept { return state_; }
    [[nodiscard]] const Chart& chart() const noexcept { return chart_; }
    [[nodiscard]] const HeadlessForm& form() const noexcept { return form_; }

private:
    template <class Handler>
    void guarded(Handler handler);
    void click(ClickTarget target);
    void wait(std::uint32_t periods);

    std::ostream& out_;
    SimState state_;
    Chart chart_;
    HeadlessForm form_{state_};
    Simulator simulator_{state_, chart_, form_};
};

// {"error":{"kind":KIND,"message":MESSAGE}}, without a line end.
[[nodiscard]] std::string errorLine(std::string_view kind, std::string_view message);

// What `show` prints, without a line end: the output boxes, whether Timer1
// runs, the checked mode button (null before start-up checked one), every
// field of SimState, the points of Series1 to Series4 and the axis ends.
[[nodiscard]] std::string showLine(const SimState& state, const Chart& chart, const HeadlessForm& form);

}  // namespace tarvinel
