#include "model/sim_state.hpp"

namespace tarvinel {

// The furrow recession front covers the run in (L / 80)^(2/3) minutes.
void RadioButton1Click(SimState& s)
{
    s.IrrigationMode = Irrigation::Furrow;
    s.RecessionCoef = 80.0;
    s.RecessionExp = 1.5;
}

// In border mode every tick derives RecessionCoef from the infiltration rate.
void RadioButton2Click(SimState& s)
{
    s.IrrigationMode = Irrigation::Border;
    s.RecessionExp = 1.5;
}

}  // namespace tarvinel
