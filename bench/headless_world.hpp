// A window without widgets for the benchmarks and the soak: the state, the
// chart, the headless form and the handlers, under the decimal comma that
// the layout's default texts are written with.
#pragma once

#include <initializer_list>
#include <string>
#include <utility>

#include "model/form_port.hpp"
#include "model/simulator.hpp"
#include "view/chart.hpp"
#include "view/number_format.hpp"

namespace tarvinel::bench {

struct HeadlessWorld {
    HeadlessWorld()
    {
        numberFormat().DecimalSeparator = U',';
        numberFormat().ThousandSeparator = U'.';
    }
    HeadlessWorld(const HeadlessWorld&) = delete;
    HeadlessWorld& operator=(const HeadlessWorld&) = delete;

    // Types the texts into their boxes, then starts the window up and runs
    // "INICIAR".
    void startWith(std::initializer_list<std::pair<EditBox, const char*>> texts)
    {
        for (const auto& [box, text] : texts) form.setText(box, text);
        sim.FormCreate();
        sim.Button1Click();
    }

    SimState s;
    Chart chart;
    HeadlessForm form{s};
    Simulator sim{s, chart, form};
};

}  // namespace tarvinel::bench
