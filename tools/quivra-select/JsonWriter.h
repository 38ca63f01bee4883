#pragma once
// JsonWriter: a small writer of compact JSON text.  Strings are written as
// UTF-8 with the escapes JSON requires; bytes that are not valid UTF-8 become
// U+FFFD, so the output is always valid JSON.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quivra::tools {

class JsonWriter {
public:
    // Structure.  Inside an object, call key() before each value.
    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    void key(std::string_view name);

    // Values.
    void value(std::string_view text);
    void value(const char* text) { value(std::string_view(text)); }
    void value(const std::string& text) { value(std::string_view(text)); }
    void value(std::int64_t number);
    void value(int number) { value(static_cast<std::int64_t>(number)); }
    void value(bool flag);
    // The shortest text that reads back as the same double ("296.6666666666667");
    // null for infinities and NaN, which JSON cannot hold.
    void value(double number);
    void null();
    template <class T>
    void value(const std::optional<T>& v) {
        if (v) {
            value(*v);
        } else {
            null();
        }
    }

    // key(name) followed by value(v).
    template <class T>
    void member(std::string_view name, const T& v) {
        key(name);
        value(v);
    }

    [[nodiscard]] const std::string& text() const { return m_out; }

    // `text` as a quoted JSON string.
    static std::string quote(std::string_view text);

private:
    void separate();

    std::string m_out;
    bool m_needComma = false;
};

}  // namespace quivra::tools
