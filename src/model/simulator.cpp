#include "model/simulator.hpp"

#include "model/phase_times.hpp"
#include "model/sweep.hpp"
#include "numeric/real.hpp"
#include "view/chart.hpp"
#include "view/conversions.hpp"

namespace tarvinel {

double Simulator::readFloat(EditBox box) const { return store(StrToFloat(form_.text(box))); }

// The infiltration and advance curves, in the order of their boxes on the window.
void Simulator::readCurves()
{
    s_.k = readFloat(EditBox::Edit4);
    s_.a = readFloat(EditBox::Edit5);
    s_.TIE = readFloat(EditBox::Edit6);
    s_.p = readFloat(EditBox::Edit7);
    s_.r = readFloat(EditBox::Edit1);
}

// One clock step: v / 100 of 1/12 min, 5 s of irrigation at v = 100.
void Simulator::advanceClock()
{
    s_.Clock = store((Real::exact(1.0L / 12.0L) * s_.v) / 100.0 + s_.Clock);
}

// The required depth as a dotted line at -IRN across the run.
void Simulator::placeRequiredDepthLine()
{
    chart_.Series3.setYValue(0, -s_.IRN);
    chart_.Series3.setYValue(1, -s_.IRN);
    chart_.Series3.setXValue(0, 0.0);
    chart_.Series3.setXValue(1, s_.L);
}

// With the vertical axis from -2 IRN to 5, this share of its height lies
// below y = 0: the horizontal axis is drawn on the ground line.
void Simulator::placeGroundLine()
{
    chart_.BottomAxis.setPositionPercent(store(100.0_r - 500.0_r / (Real(2.0) * s_.IRN + 5.0)));
}

// Shows a number in an output box as the box's text.
void Simulator::show(EditBox box, long double value)
{
    FloatToStr(value, shown_);
    form_.setText(box, shown_);
}

void Simulator::FormCreate()
{
    s_.IRN = readFloat(EditBox::Edit3);
    form_.checkModeButton(Irrigation::Furrow);
    form_.setTimerEnabled(false);
    chart_.Series1.Clear();
    chart_.Series2.Clear();
    chart_.Series3.AddXY(0.0, -s_.IRN);
    chart_.Series3.AddXY(StrToInt(form_.text(EditBox::Edit2)), -s_.IRN);
    chart_.BottomAxis.setMaximum(StrToInt(form_.text(EditBox::Edit2)));
    chart_.LeftAxis.setMinimum(store(Real(-2.0) * s_.IRN));
    s_.Clock = 0.0;
    s_.ReqTime = 0.0;
    s_.ReqTimeDepth = 0.0;
    s_.RecessionPos = 0.0;
    s_.MarkerY = 4.0;
    // The marker starts left of the visible range, which begins at 0.
    chart_.Series4.AddXY(-2.0, s_.MarkerY);
    s_.IRN = readFloat(EditBox::Edit3);
    s_.v = readFloat(EditBox::Edit8);
    advanceClock();
    show(EditBox::Edit9, static_cast<long double>(Round(s_.Clock)));
    s_.L = readFloat(EditBox::Edit2);
    chart_.Series1.Clear();
    chart_.Series2.Clear();
    chart_.BottomAxis.setMaximum(s_.L);
    readCurves();
    UpdateAdvance(s_);
    placeRequiredDepthLine();
    placeGroundLine();
}

void Simulator::Timer1Timer()
{
    s_.Station = 0;
    s_.StationOppTime = 0.0;
    s_.SurfaceLevel = 2.0;

    // The inflow marker falls 0.2 a tick at the head of the run, jumps back up
    // out of sight below 1 and is shown again when it is back at 4; after the
    // cut-off the sweep parks it at -3, where the fall no longer restarts.
    if (s_.MarkerY == 4.0 && s_.MarkerX > -3.0) s_.MarkerX = 2.0;
    s_.MarkerY = store(Real(s_.MarkerY) - 0.2_r);
    if (s_.MarkerY < 1.0) {
        s_.MarkerY = store(4.4_r);
        s_.MarkerX = -2.0;
    }
    chart_.Series4.setYValue(0, s_.MarkerY);
    chart_.Series4.setXValue(0, s_.MarkerX);

    s_.IRN = readFloat(EditBox::Edit3);
    s_.v = readFloat(EditBox::Edit8);
    advanceClock();
    show(EditBox::Edit9, static_cast<long double>(Round(s_.Clock)));
    s_.L = readFloat(EditBox::Edit2);
    chart_.BottomAxis.setMaximum(s_.L);
    chart_.LeftAxis.setMinimum(store(Real(-2.0) * s_.IRN));
    placeGroundLine();
    chart_.Series1.Clear();
    chart_.Series2.Clear();
    readCurves();
    UpdateAdvance(s_);
    placeRequiredDepthLine();
    UpdatePhaseTimes(s_);
    show(EditBox::Edit10, s_.Ti);
    show(EditBox::Edit12, s_.Td);
    show(EditBox::Edit11, s_.Tr);
    SweepProfiles(s_, chart_);
    if (s_.Clock >= s_.Tr) {
        chart_.Series1.Clear();
        form_.setTimerEnabled(false);
    }
}

void Simulator::Button1Click()
{
    s_.MarkerX = 2.0;
    form_.setTimerEnabled(true);
}

void Simulator::Button2Click() { form_.setTimerEnabled(false); }

void Simulator::Button3Click()
{
    s_.Clock = 0.0;
    s_.ReqTime = 0.0;
    s_.ReqTimeDepth = 0.0;
    s_.RecessionPos = 0.0;
    s_.MarkerY = 4.0;
    chart_.Series1.Clear();
    chart_.Series2.Clear();
    chart_.Series4.setXValue(0, -2.0);
}

}  // namespace tarvinel
