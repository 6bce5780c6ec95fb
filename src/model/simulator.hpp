// The event handlers of the main window, written once against FormPort so
// that the window and the headless driver run the very same code. They work
// on the one SimState and draw on the chart; an error ends a handler at the
// step that raised it, with every earlier step left done, and is reported by
// the guard around the handlers (the handlers catch nothing).
#pragma once

#include <string>

#include "model/form_port.hpp"
#include "model/sim_state.hpp"

namespace tarvinel {

class Chart;

class Simulator {
public:
    Simulator(SimState& state, Chart& chart, FormPort& form) : s_(state), chart_(chart), form_(form) {}

    // Start-up: reads the parameters once, selects "Sulco", stops the timer,
    // places the required-depth line and the marker, sets the axes and
    // advances the clock by one step.
    void FormCreate();
    // The tick, every 50 ms while the timer runs: moves the marker, re-reads
    // the parameters, advances the clock, computes the phase times, redraws
    // both profiles and ends the run once the clock reaches Tr.
    void Timer1Timer();
    void Button1Click();  // "INICIAR": marker shown, timer on
    void Button2Click();  // "PARAR": timer off, nothing else changes
    void Button3Click();  // "NOVA SIMULAÇÃO": clock and carried values back to zero
    void RadioButton1Click() { tarvinel::RadioButton1Click(s_); }  // "Sulco"
    void RadioButton2Click() { tarvinel::RadioButton2Click(s_); }  // "Faixa"
    void Edit3Change() {}  // typing into IRN takes effect at the next tick

    [[nodiscard]] SimState& state() noexcept { return s_; }
    [[nodiscard]] Chart& chart() noexcept { return chart_; }
    [[nodiscard]] FormPort& form() noexcept { return form_; }

private:
    [[nodiscard]] double readFloat(EditBox box) const;
    void readCurves();
    void advanceClock();
    void placeRequiredDepthLine();
    void placeGroundLine();
    void show(EditBox box, long double value);

    SimState& s_;
    Chart& chart_;
    FormPort& form_;
    std::string shown_;  // the text of the last number shown, its storage reused
};

}  // namespace tarvinel
