#include "batch/json_writer.hpp"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <array>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace tarvinel {
namespace {

std::string jsonString(std::string_view text)
{
    std::string out;
    appendJsonString(out, text);
    return out;
}

std::string jsonNumber(double value)
{
    std::string out;
    appendJsonNumber(out, value);
    return out;
}

TEST(JsonString, EscapesWhatJsonRequiresAndKeepsUtf8)
{
    struct Case {
        const char* name;
        std::string_view text;
        std::string_view json;
    };
    using namespace std::string_view_literals;
    const std::array cases{
        Case{"plain", "abc", R"("abc")"},
        Case{"quote and backslash", R"('a"b\c')", R"("'a\"b\\c'")"},
        Case{"short escapes", "\b\f\n\r\t", R"("\b\f\n\r\t")"},
        Case{"other controls", "\x01\x1f", R"("\u0001\u001f")"},
        Case{"nul", "a\0b"sv, R"("a\u0000b")"},
        Case{"delete passes", "\x7f", "\"\x7f\""},
        Case{"slash passes", "a/b", R"("a/b")"},
        Case{"utf-8 passes", "NOVA SIMULA\xC3\x87\xC3\x83O \xF0\x9F\x8C\xB1", "\"NOVA SIMULA\xC3\x87\xC3\x83O \xF0\x9F\x8C\xB1\""},
        Case{"lone lead byte", "a\xC3", R"("a\ufffd")"},
        Case{"latin-1 bytes", "\xC7\xC3O", R"("\ufffd\ufffdO")"},
        Case{"overlong", "\xC0\xAF", R"("\ufffd\ufffd")"},
    };
    for (const Case& c : cases) EXPECT_EQ(jsonString(c.text), c.json) << c.name;
}

TEST(JsonNumber, WritesTheShortestFormThatReadsBack)
{
    struct Case {
        double value;
        std::string_view json;
    };
    const std::array cases{
        Case{0.0, "0"},
        Case{-0.0, "-0"},
        Case{300.0, "300"},
        Case{-25.0, "-25"},
        Case{1.0 / 12.0, "0.08333333333333333"},
        Case{0.1, "0.1"},
        Case{90.9090909090909, "90.9090909090909"},
        Case{1e21, "1e+21"},
        Case{5e-324, "5e-324"},
        Case{DBL_MAX, "1.7976931348623157e+308"},
        Case{std::numeric_limits<double>::infinity(), "null"},
        Case{std::numeric_limits<double>::quiet_NaN(), "null"},
    };
    for (const Case& c : cases) EXPECT_EQ(jsonNumber(c.value), c.json) << c.value;
}

TEST(JsonNumber, EveryFiniteFormReadsBackAsTheSameDouble)
{
    const std::array values{0.1 + 0.2, 47.50352236957289, 53.667245831086966, -0.9956404496503727,
                            std::nextafter(1.0, 2.0), 2.2250738585072014e-308, 4.4e-320, 123456789012345680.0};
    for (const double v : values) {
        const std::string text = jsonNumber(v);
        EXPECT_EQ(std::strtod(text.c_str(), nullptr), v) << text;
    }
}

TEST(JsonWriter, PlacesCommasAndNestsAnyDepth)
{
    JsonWriter json;
    json.beginObject();
    json.key("a").beginArray().integer(1).beginArray().number(2.5).number(-3).endArray().beginObject().endObject().endArray();
    json.key("b").beginObject().key("c").null().key("d").boolean(true).key("e").string("x").endObject();
    json.key("f").beginArray().endArray();
    json.key("g").integer(-2147483648);
    json.endObject();
    EXPECT_EQ(json.text(), R"({"a":[1,[2.5,-3],{}],"b":{"c":null,"d":true,"e":"x"},"f":[],"g":-2147483648})");

    QJsonParseError error{};
    QJsonDocument::fromJson(QByteArray::fromStdString(json.text()), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError);
}

}  // namespace
}  // namespace tarvinel
