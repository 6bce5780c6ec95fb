#include "batch/runner.hpp"

#include <exception>

#include "batch/json_writer.hpp"
#include "numeric/errors.hpp"
#include "view/error_report.hpp"

namespace tarvinel {

template <class Handler>
void BatchRunner::guarded(Handler handler)
{
    // Only the model's own errors carry a kind; anything else that escapes
    // (an allocation failure, say) is reported under the plain name.
    try {
        handler();
    } catch (const Error& e) {
        out_ << errorLine(kindName(e.kind()), reportMessage(e)) << '\n';
    } catch (const std::exception& e) {
        out_ << errorLine("Exception", reportMessage(e)) << '\n';
    }
}

void BatchRunner::start()
{
    guarded([this] { simulator_.FormCreate(); });
}

void BatchRunner::run(std::span<const ScriptCommand> commands)
{
    for (const ScriptCommand& command : commands) execute(command);
}

void BatchRunner::execute(const ScriptCommand& command)
{
    struct Visitor {
        BatchRunner& runner;
        // Typing into a box runs no handler: Edit3Change does nothing, and
        // the tick reads every box afresh.
        void operator()(const SetCommand& c) const { runner.form_.setText(c.box, c.text); }
        void operator()(const ClickCommand& c) const { runner.click(c.target); }
        void operator()(const WaitCommand& c) const { runner.wait(c.periods); }
        void operator()(const ShowCommand&) const
        {
            runner.out_ << showLine(runner.state_, runner.chart_, runner.form_) << '\n';
        }
    };
    std::visit(Visitor{*this}, command);
}

void BatchRunner::click(ClickTarget target)
{
    switch (target) {
    case ClickTarget::Iniciar: guarded([this] { simulator_.Button1Click(); }); break;
    case ClickTarget::Parar: guarded([this] { simulator_.Button2Click(); }); break;
    case ClickTarget::NovaSimulacao: guarded([this] { simulator_.Button3Click(); }); break;
    // The mode buttons run their handlers only when they become checked.
    case ClickTarget::Sulco: guarded([this] { form_.checkModeButton(Irrigation::Furrow); }); break;
    case ClickTarget::Faixa: guarded([this] { form_.checkModeButton(Irrigation::Border); }); break;
    }
}

void BatchRunner::wait(std::uint32_t periods)
{
    // A disabled timer runs no tick, and nothing but a click enables it
    // again, so the periods left after the run stops would pass unseen.
    for (std::uint32_t i = 0; i < periods && form_.timerEnabled(); ++i) {
        guarded([this] { simulator_.Timer1Timer(); });
    }
}

std::string errorLine(std::string_view kind, std::string_view message)
{
    JsonWriter json;
    json.beginObject().key("error").beginObject();
    json.key("kind").string(kind);
    json.key("message").string(message);
    json.endObject().endObject();
    return json.text();
}

namespace {

std::string_view irrigationName(Irrigation mode) { return mode == Irrigation::Furrow ? "Furrow" : "Border"; }
std::string_view captionOf(Irrigation mode) { return mode == Irrigation::Furrow ? "Sulco" : "Faixa"; }

void writeState(JsonWriter& json, const SimState& s)
{
    json.beginObject();
    json.key("k").number(s.k);
    json.key("a").number(s.a);
    json.key("TIE").number(s.TIE);
    json.key("p").number(s.p);
    json.key("r").number(s.r);
    json.key("L").number(s.L);
    json.key("IRN").number(s.IRN);
    json.key("v").number(s.v);
    json.key("IrrigationMode").string(irrigationName(s.IrrigationMode));
    json.key("RecessionCoef").number(s.RecessionCoef);
    json.key("RecessionExp").number(s.RecessionExp);
    json.key("Clock").number(s.Clock);
    json.key("FrontPos").number(s.FrontPos);
    json.key("AdvanceTime").number(s.AdvanceTime);
    json.key("ReqTime").number(s.ReqTime);
    json.key("ReqTimeDepth").number(s.ReqTimeDepth);
    json.key("Ti").number(s.Ti);
    json.key("Td").number(s.Td);
    json.key("Tr").number(s.Tr);
    json.key("CutoffLead").number(s.CutoffLead);
    json.key("DepletionEstimate").number(s.DepletionEstimate);
    json.key("EstimateChange").number(s.EstimateChange);
    json.key("MeanInfiltrationRate").number(s.MeanInfiltrationRate);
    json.key("DepletionDepth").number(s.DepletionDepth);
    json.key("Station").integer(s.Station);
    json.key("StationOppTime").number(s.StationOppTime);
    json.key("StationDepth").number(s.StationDepth);
    json.key("SurfaceLevel").number(s.SurfaceLevel);
    json.key("RecessionPos").number(s.RecessionPos);
    json.key("MarkerX").number(s.MarkerX);
    json.key("MarkerY").number(s.MarkerY);
    json.endObject();
}

void writeAxis(JsonWriter& json, const Axis& axis, bool withPosition)
{
    json.beginObject();
    json.key("min").number(axis.Minimum());
    json.key("max").number(axis.Maximum());
    if (withPosition) json.key("position").number(axis.PositionPercent());
    json.endObject();
}

}  // namespace

std::string showLine(const SimState& state, const Chart& chart, const HeadlessForm& form)
{
    JsonWriter json;
    json.beginObject();

    json.key("boxes").beginObject();
    json.key("tempo").string(form.text(EditBox::Edit9));
    json.key("Ti").string(form.text(EditBox::Edit10));
    json.key("Td").string(form.text(EditBox::Edit12));
    json.key("Tr").string(form.text(EditBox::Edit11));
    json.endObject();

    json.key("running").boolean(form.timerEnabled());
    json.key("mode");
    if (const auto mode = form.checkedMode()) {
        json.string(captionOf(*mode));
    } else {
        json.null();
    }

    json.key("state");
    writeState(json, state);

    json.key("series").beginArray();
    for (const Series* series : chart.series()) {
        json.beginArray();
        for (const ChartPoint& point : series->points()) json.beginArray().number(point.x).number(point.y).endArray();
        json.endArray();
    }
    json.endArray();

    json.key("axes").beginObject();
    json.key("bottom");
    writeAxis(json, chart.BottomAxis, true);
    json.key("left");
    writeAxis(json, chart.LeftAxis, false);
    json.endObject();

    json.endObject();
    return json.text();
}

}  // namespace tarvinel
