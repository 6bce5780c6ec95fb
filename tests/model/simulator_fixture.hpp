// A window without widgets: the state, the chart, the headless form and the
// handlers, started up with the layout's default texts under a decimal comma.
#pragma once

#include <gtest/gtest.h>
#include <string>

#include "model/form_port.hpp"
#include "model/simulator.hpp"
#include "model/sweep.hpp"
#include "numeric/errors.hpp"
#include "view/chart.hpp"
#include "view/number_format.hpp"

namespace tarvinel::testing {

class SimulatorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        numberFormat().DecimalSeparator = U',';
        numberFormat().ThousandSeparator = U'.';
        sim.FormCreate();
    }
    void TearDown() override { numberFormat() = NumberFormat{}; }

    // "NOVA SIMULAÇÃO" then "INICIAR".
    void newRun()
    {
        sim.Button3Click();
        sim.Button1Click();
    }
    // Lets n timer periods pass; each runs a tick while the timer is on.
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i) {
            if (form.timerEnabled()) sim.Timer1Timer();
        }
    }
    // Runs one tick and returns the error it raised; fails when none.
    Error failingTick()
    {
        try {
            sim.Timer1Timer();
        } catch (const Error& e) {
            return e;
        }
        ADD_FAILURE() << "the tick raised no error";
        return Error(ErrorKind::ELimitExceeded, "");
    }
    // Sweeps the run again for the state as it stands, from the reset a
    // tick makes before its sweep.
    void sweepAgain()
    {
        s.Station = 0;
        s.StationOppTime = 0;
        s.SurfaceLevel = 2;
        chart.Series1.Clear();
        chart.Series2.Clear();
        SweepProfiles(s, chart);
    }
    void set(EditBox box, const char* text) { form.setText(box, text); }
    std::string text(EditBox box) const { return form.text(box); }

    SimState s;
    Chart chart;
    HeadlessForm form{s};
    Simulator sim{s, chart, form};
};

}  // namespace tarvinel::testing
