#include "batch/runner.hpp"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

#include "model/simulator.hpp"
#include "view/number_format.hpp"

namespace tarvinel {
namespace {

class BatchRunnerTest : public testing::Test {
protected:
    void SetUp() override { numberFormat() = NumberFormat{U',', U'.'}; }
    void TearDown() override { numberFormat() = NumberFormat{}; }

    // Runs the script's commands after start-up; it must parse.
    std::string runScript(BatchRunner& runner, std::string_view text)
    {
        const Script script = parseScript(text);
        EXPECT_TRUE(script.problems.empty()) << text;
        runner.run(script.commands);
        return out.str();
    }

    std::ostringstream out;
};

QJsonObject parseObject(const std::string& line)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << line;
    return doc.object();
}

// The script and the same steps called on the handlers directly must leave
// the same state, chart and boxes: the driver adds nothing of its own.
TEST_F(BatchRunnerTest, RunsTheWindowsHandlersAndNothingElse)
{
    struct Direct {
        SimState s;
        Chart chart;
        HeadlessForm form{s};
        Simulator sim{s, chart, form};
        void ticks(int n)
        {
            for (int i = 0; i < n; ++i) {
                if (form.timerEnabled()) sim.Timer1Timer();
            }
        }
    };
    struct Case {
        const char* script;
        std::function<void(Direct&)> steps;
    };
    const std::vector<Case> cases{
        {"click INICIAR\nwait 3\nclick PARAR\nwait 5\nclick INICIAR\nwait 2",
         [](Direct& d) {
             d.sim.Button1Click();
             d.ticks(3);
             d.sim.Button2Click();
             d.sim.Button1Click();
             d.ticks(2);
         }},
        {"click Faixa\nset IRN 40\nclick INICIAR\nwait 30\nclick NOVA SIMULAÇÃO\nwait 4",
         [](Direct& d) {
             d.form.checkModeButton(Irrigation::Border);
             d.form.setText(EditBox::Edit3, "40");
             d.sim.Button1Click();
             d.ticks(30);
             d.sim.Button3Click();
             d.ticks(4);
         }},
        {"click Faixa\nclick INICIAR\nwait 10\nclick Sulco\nset L 150\nwait 10",
         [](Direct& d) {
             d.form.checkModeButton(Irrigation::Border);
             d.sim.Button1Click();
             d.ticks(10);
             d.form.checkModeButton(Irrigation::Furrow);
             d.form.setText(EditBox::Edit2, "150");
             d.ticks(10);
         }},
    };
    for (const Case& c : cases) {
        BatchRunner runner(out);
        runner.start();
        runScript(runner, c.script);
        Direct direct;
        direct.sim.FormCreate();
        c.steps(direct);
        EXPECT_EQ(showLine(runner.state(), runner.chart(), runner.form()),
                  showLine(direct.s, direct.chart, direct.form))
            << c.script;
        EXPECT_EQ(out.str(), "") << c.script;
    }
}

TEST_F(BatchRunnerTest, AWaitEndsWithTheRun)
{
    BatchRunner runner(out);
    runner.start();
    runScript(runner, "click INICIAR\nwait 1000000");
    EXPECT_FALSE(runner.form().timerEnabled());
    EXPECT_GE(runner.state().Clock, runner.state().Tr);
    EXPECT_EQ(runner.chart().Series1.Count(), 0U);  // an ended run shows no surface water
    const double clock = runner.state().Clock;
    runScript(runner, "wait 100");
    EXPECT_EQ(runner.state().Clock, clock);  // a stopped timer runs no tick
}

TEST_F(BatchRunnerTest, AFailingStartUpIsReportedAndTheScriptGoesOn)
{
    numberFormat().DecimalSeparator = U'.';
    BatchRunner runner(out);
    runner.start();
    EXPECT_EQ(out.str(), "{\"error\":{\"kind\":\"EConvertError\",\"message\":\"'5,5' is not a valid floating point value.\"}}\n");
    out.str("");
    const std::string shown = runScript(runner, "set k 5.5\nset a 0.2\nset TIE 0.348\nset r 0.87\nclick INICIAR\nwait 1\nshow\n");
    const QJsonObject state = parseObject(shown)["state"].toObject();
    EXPECT_EQ(state["k"].toDouble(), 5.5);
    EXPECT_EQ(state["Clock"].toDouble(), 2.0 / 12.0);
}

TEST_F(BatchRunnerTest, EachFailingTickPrintsOneErrorLine)
{
    BatchRunner runner(out);
    runner.start();
    const std::string output = runScript(runner, "set v x\nclick INICIAR\nwait 3\nset v 100\nwait 1\n");
    const std::string error = "{\"error\":{\"kind\":\"EConvertError\",\"message\":\"'x' is not a valid floating point value.\"}}\n";
    EXPECT_EQ(output, error + error + error);
    EXPECT_EQ(runner.state().Clock, 2.0 / 12.0);  // only the last tick advanced the clock
}

TEST(ShowLine, WritesEveryFieldAndNoModeBeforeStartUp)
{
    SimState s;
    Chart chart;
    HeadlessForm form(s);
    QJsonParseError error{};
    const QJsonObject shown =
        QJsonDocument::fromJson(QByteArray::fromStdString(showLine(s, chart, form)), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError);

    EXPECT_TRUE(shown["mode"].isNull());
    EXPECT_TRUE(shown["running"].toBool());  // the layout creates the timer enabled
    QStringList keys = shown["state"].toObject().keys();
    keys.sort();
    QStringList expected{"k", "a", "TIE", "p", "r", "L", "IRN", "v", "IrrigationMode", "RecessionCoef", "RecessionExp",
                         "Clock", "FrontPos", "AdvanceTime", "ReqTime", "ReqTimeDepth", "Ti", "Td", "Tr", "CutoffLead",
                         "DepletionEstimate", "EstimateChange", "MeanInfiltrationRate", "DepletionDepth", "Station",
                         "StationOppTime", "StationDepth", "SurfaceLevel", "RecessionPos", "MarkerX", "MarkerY"};
    expected.sort();
    EXPECT_EQ(keys, expected);
    EXPECT_EQ(shown["series"].toArray().size(), 4);
    const QJsonObject boxes = shown["boxes"].toObject();
    EXPECT_EQ(boxes["tempo"].toString(), "0");
    EXPECT_EQ(boxes["Ti"].toString(), "");
    EXPECT_EQ(boxes["Td"].toString(), "0");
    EXPECT_EQ(boxes["Tr"].toString(), "");
}

TEST(ShowLine, TellsTheBoxesApart)
{
    SimState s;
    Chart chart;
    HeadlessForm form(s);
    form.setText(EditBox::Edit9, "9");
    form.setText(EditBox::Edit10, "10");
    form.setText(EditBox::Edit11, "11");
    form.setText(EditBox::Edit12, "12");
    const std::string line = showLine(s, chart, form);
    EXPECT_NE(line.find(R"("boxes":{"tempo":"9","Ti":"10","Td":"12","Tr":"11"})"), std::string::npos) << line;
}

}  // namespace
}  // namespace tarvinel
