// A one-line JSON writer for the batch driver's output. It keeps the commas
// and the nesting right; the caller says what comes next.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvinel {

class JsonWriter {
public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    // The name of the next member of the open object.
    JsonWriter& key(std::string_view name);

    // The shortest decimal form that reads back as the same double; a
    // non-finite value, which JSON cannot spell, is written as null.
    JsonWriter& number(double value);
    JsonWriter& integer(std::int64_t value);
    JsonWriter& boolean(bool value);
    // A UTF-8 text, escaped where JSON requires it; a malformed byte becomes
    // U+FFFD, so that the output stays valid UTF-8 whatever comes in.
    JsonWriter& string(std::string_view text);
    JsonWriter& null();

    [[nodiscard]] const std::string& text() const noexcept { return out_; }

private:
    void beforeValue();
    void open(char bracket);
    void close(char bracket);

    std::string out_;
    // One entry per open object or array: whether it has a member yet.
    std::vector<bool> hasMember_;
    bool afterKey_ = false;
};

// Appends `text` to `out` as a quoted JSON string.
void appendJsonString(std::string& out, std::string_view text);

// Appends the shortest round-trip form of a finite `value` to `out`, or
// null for a non-finite one.
void appendJsonNumber(std::string& out, double value);

}  // namespace tarvinel
