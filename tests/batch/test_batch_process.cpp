// tarvinel-batch as a user runs it: a script in, JSON lines out, an exit
// status. Each run starts the executable afresh, under a named locale so
// that the user's own settings do not leak into the results.
#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <array>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

std::string shellQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (const char c : text) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

class BatchProcess : public testing::Test {
protected:
    // A file for this test, in the test's temporary directory.
    std::string file(const std::string& suffix) const
    {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        return testing::TempDir() + "tarvinel_batch_" + info->name() + "_" + suffix;
    }

    // The script on standard input, or named on the command line when
    // `viaFile` is set.
    Outcome run(const std::string& script, std::vector<std::string> args = {}, bool viaFile = false,
            const std::string& locale = "C") const
    {
        const std::string scriptPath = file("script.txt");
        const std::string outPath = file("out.txt");
        const std::string errPath = file("err.txt");
        writeFile(scriptPath, script);
        // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) about
        // " " + quoted temporaries at -O3.
        std::string command = "env LC_ALL=";
        const auto add = [&command](std::string_view separator, const std::string& word) {
            command.append(separator);
            command.append(shellQuoted(word));
        };
        command.append(shellQuoted(locale));
        add(" ", TARVINEL_BATCH_EXECUTABLE);
        for (const std::string& arg : args) add(" ", arg);
        if (viaFile) {
            add(" ", scriptPath);
            command.append(" </dev/null");
        } else {
            add(" <", scriptPath);
        }
        add(" >", outPath);
        add(" 2>", errPath);
        const int raw = std::system(command.c_str());
        Outcome result;
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        result.out = readFile(outPath);
        result.err = readFile(errPath);
        return result;
    }
};

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

QJsonObject parseObject(const std::string& line)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << line;
    EXPECT_TRUE(doc.isObject()) << line;
    return doc.object();
}

const std::string kFirstTick = "click NOVA SIMULAÇÃO\nclick INICIAR\nwait 1\nshow\n";

TEST_F(BatchProcess, AFirstTickGivesTheWorkedValues)
{
    const Outcome r = run(kFirstTick, {"--decimal-separator", ","}, true);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 1U) << r.out;
    // The shortest form that reads back as the same double, as written.
    EXPECT_NE(out[0].find(R"("Clock":0.08333333333333333,)"), std::string::npos) << out[0];

    const QJsonObject shown = parseObject(out[0]);
    const QJsonObject boxes = shown["boxes"].toObject();
    EXPECT_EQ(boxes["tempo"].toString(), "0");
    EXPECT_EQ(boxes["Ti"].toString(), "47,5035223695729");
    EXPECT_EQ(boxes["Td"].toString(), "51,2535223695729");
    EXPECT_EQ(boxes["Tr"].toString(), "53,667245831087");
    EXPECT_TRUE(shown["running"].toBool());
    EXPECT_EQ(shown["mode"].toString(), "Sulco");

    const QJsonObject state = shown["state"].toObject();
    EXPECT_EQ(state["Clock"].toDouble(), 1.0 / 12.0);
    EXPECT_EQ(state["IrrigationMode"].toString(), "Furrow");
    EXPECT_EQ(state["RecessionCoef"].toDouble(), 80.0);
    EXPECT_EQ(state["MarkerX"].toDouble(), 2.0);
    EXPECT_EQ(state["MarkerY"].toDouble(), 3.8);

    const QJsonArray series = shown["series"].toArray();
    ASSERT_EQ(series.size(), 4);
    EXPECT_EQ(series[0].toArray().size(), 4);
    EXPECT_EQ(series[2].toArray(), (QJsonArray{QJsonArray{0, -25}, QJsonArray{300, -25}}));
    EXPECT_EQ(series[3].toArray(), (QJsonArray{QJsonArray{2, 3.8}}));

    const QJsonObject axes = shown["axes"].toObject();
    EXPECT_EQ(axes["bottom"].toObject(), (QJsonObject{{"min", 0}, {"max", 300}, {"position", 90.9090909090909}}));
    EXPECT_EQ(axes["left"].toObject(), (QJsonObject{{"min", -50}, {"max", 5}}));
}

TEST_F(BatchProcess, StandardInputGivesWhatTheFileGives)
{
    const Outcome fromFile = run(kFirstTick, {"--decimal-separator", ","}, true);
    const Outcome fromStdin = run(kFirstTick, {"--decimal-separator", ","}, false);
    const Outcome fromDash = run(kFirstTick, {"--decimal-separator", ",", "-"}, false);
    EXPECT_EQ(fromStdin.status, 0);
    EXPECT_EQ(fromDash.status, 0);
    EXPECT_FALSE(fromFile.out.empty());
    EXPECT_EQ(fromStdin.out, fromFile.out);
    EXPECT_EQ(fromDash.out, fromFile.out);
}

TEST_F(BatchProcess, HandlerErrorsArePrintedAndTheScriptGoesOn)
{
    struct Case {
        const char* name;
        std::string script;
        std::string error;
    };
    const std::array cases{
        Case{"bad box text", "set k abc\nclick INICIAR\nwait 1\nshow\n",
             R"({"error":{"kind":"EConvertError","message":"'abc' is not a valid floating point value."}})"},
        Case{"refused axis", "set L -1\nclick INICIAR\nwait 1\nshow\n",
             R"({"error":{"kind":"AxisException","message":"Axis Maximum Value must be >= Minimum."}})"},
        Case{"refused axis minimum", "set IRN -3\nclick INICIAR\nwait 1\nshow\n",
             R"({"error":{"kind":"AxisException","message":"Axis Minimum Value must be <= Maximum."}})"},
        Case{"division by zero", "set IRN -2,5\nclick INICIAR\nwait 1\nshow\n",
             R"({"error":{"kind":"EZeroDivide","message":"Floating point division by zero."}})"},
    };
    for (const Case& c : cases) {
        const Outcome r = run(c.script, {"--decimal-separator", ","});
        EXPECT_EQ(r.status, 0) << c.name;
        const auto out = lines(r.out);
        ASSERT_EQ(out.size(), 2U) << c.name << "\n" << r.out;
        EXPECT_EQ(out[0], c.error) << c.name;
        // A failing tick leaves the timer on.
        EXPECT_TRUE(parseObject(out[1])["running"].toBool()) << c.name;
    }
}

TEST_F(BatchProcess, MessagesKeepTheTextAsTyped)
{
    for (const std::string text : {R"("5" \ 5)", "ção", " 25 mm", "\t5"}) {
        const Outcome r = run("set k " + text + "\nclick INICIAR\nwait 1\n", {"--decimal-separator", ","});
        EXPECT_EQ(r.status, 0) << text;
        const QJsonObject error = parseObject(lines(r.out).at(0))["error"].toObject();
        EXPECT_EQ(error["kind"].toString(), "EConvertError");
        EXPECT_EQ(error["message"].toString().toStdString(), "'" + text + "' is not a valid floating point value.");
    }
}

TEST_F(BatchProcess, TheSeparatorsDefaultToTheRegionalSettings)
{
    const std::string error = R"({"error":{"kind":"EConvertError","message":"'5,5' is not a valid floating point value."}})";
    struct Case {
        const char* locale;
        std::vector<std::string> args;
        bool startUpFails;
    };
    const std::array cases{
        Case{"pt_BR.UTF-8", {}, false},
        Case{"C", {}, true},
        Case{"en_US.UTF-8", {}, true},
        Case{"C", {"--decimal-separator", ","}, false},
        Case{"pt_BR.UTF-8", {"--decimal-separator", "."}, true},
    };
    for (const Case& c : cases) {
        const Outcome r = run("show\n", c.args, false, c.locale);
        EXPECT_EQ(r.status, 0) << c.locale;
        const auto out = lines(r.out);
        ASSERT_EQ(out.size(), c.startUpFails ? 2U : 1U) << c.locale << "\n" << r.out;
        if (c.startUpFails) {
            EXPECT_EQ(out[0], error) << c.locale;
        }
        // The start-up stops at k when it fails, and the script runs all the same.
        EXPECT_EQ(parseObject(out.back())["state"].toObject()["k"].toDouble(), c.startUpFails ? 0.0 : 5.5) << c.locale;
    }
}

TEST_F(BatchProcess, ARunToItsEndStopsTheWait)
{
    const Outcome r = run("click INICIAR\nwait 1000000\nshow\n", {"--decimal-separator", ","});
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonObject shown = parseObject(lines(r.out).at(0));
    EXPECT_FALSE(shown["running"].toBool());
    EXPECT_EQ(shown["boxes"].toObject()["tempo"].toString(), "54");
    EXPECT_TRUE(shown["series"].toArray()[0].toArray().isEmpty());
}

TEST_F(BatchProcess, ABadScriptLineRunsNothing)
{
    // Under "C" the start-up would print an error: nothing at all means that
    // not even the start-up ran.
    const Outcome r = run("click INICIAR\nwait 1\nshow\n\nclik PARAR\nwait 2000000\n", {}, true);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("line 5: unknown command 'clik'"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("line 6: 'wait' takes at most 1000000"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(file("script.txt")), std::string::npos) << r.err;
}

TEST_F(BatchProcess, TheCommandLineIsCheckedFirst)
{
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string inOut;
        std::string inErr;
    };
    const std::array cases{
        Case{{"--help"}, 0, "Usage: tarvinel-batch [--decimal-separator C] [--thousand-separator C] [SCRIPT]", ""},
        Case{{"--bogus"}, 2, "", "unknown option '--bogus'"},
        Case{{"--decimal-separator", ",,"}, 2, "", "exactly one character"},
        Case{{"a.txt", "b.txt"}, 2, "", "only one script"},
        Case{{"/nonexistent/lesson.txt"}, 2, "", "cannot read the script '/nonexistent/lesson.txt'"},
    };
    for (const Case& c : cases) {
        const Outcome r = run("show\n", c.args);
        EXPECT_EQ(r.status, c.status) << c.args.front();
        if (c.inOut.empty()) {
            EXPECT_EQ(r.out, "") << c.args.front();
        } else {
            EXPECT_NE(r.out.find(c.inOut), std::string::npos) << r.out;
        }
        EXPECT_NE(r.err.find(c.inErr), std::string::npos) << r.err;
    }
}

}  // namespace
