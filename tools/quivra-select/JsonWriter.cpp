#include "JsonWriter.h"

#include <array>
#include <charconv>
#include <cmath>

namespace quivra::tools {

namespace {

// Length of a valid UTF-8 sequence at `pos`, or 0.
std::size_t utf8Length(std::string_view s, std::size_t pos) {
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char b0 = b(pos);
    std::size_t len = 0;
    if (b0 < 0x80) return 1;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4;
    } else {
        return 0;
    }
    if (pos + len > s.size()) return 0;
    for (std::size_t i = 1; i < len; ++i) {
        if ((b(pos + i) & 0xC0U) != 0x80U) return 0;
    }
    const unsigned char b1 = b(pos + 1);
    // Overlong forms, surrogates and values above U+10FFFF.
    if ((b0 == 0xE0 && b1 < 0xA0) || (b0 == 0xED && b1 > 0x9F) || (b0 == 0xF0 && b1 < 0x90) ||
        (b0 == 0xF4 && b1 > 0x8F)) {
        return 0;
    }
    return len;
}

}  // namespace

std::string JsonWriter::quote(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x80) {
            const std::size_t len = utf8Length(text, pos);
            if (len == 0) {
                out += "\xEF\xBF\xBD";
                ++pos;
            } else {
                out.append(text.substr(pos, len));
                pos += len;
            }
            continue;
        }
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (u < 0x20 || u == 0x7F) {
                    static constexpr std::array<char, 16> kHex{'0', '1', '2', '3', '4', '5',
                                                               '6', '7', '8', '9', 'a', 'b',
                                                               'c', 'd', 'e', 'f'};
                    out += "\\u00";
                    out += kHex[u >> 4U];
                    out += kHex[u & 0x0FU];
                } else {
                    out += c;
                }
        }
        ++pos;
    }
    out += '"';
    return out;
}

void JsonWriter::separate() {
    if (m_needComma) m_out += ',';
    m_needComma = true;
}

void JsonWriter::beginObject() {
    separate();
    m_out += '{';
    m_needComma = false;
}

void JsonWriter::endObject() {
    m_out += '}';
    m_needComma = true;
}

void JsonWriter::beginArray() {
    separate();
    m_out += '[';
    m_needComma = false;
}

void JsonWriter::endArray() {
    m_out += ']';
    m_needComma = true;
}

void JsonWriter::key(std::string_view name) {
    separate();
    m_out += quote(name);
    m_out += ':';
    m_needComma = false;
}

void JsonWriter::value(std::string_view text) {
    separate();
    m_out += quote(text);
}

void JsonWriter::value(std::int64_t number) {
    separate();
    std::array<char, 24> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), number);
    if (ec == std::errc()) m_out.append(buffer.data(), end);
}

void JsonWriter::value(double number) {
    if (!std::isfinite(number)) {
        null();
        return;
    }
    separate();
    std::array<char, 32> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), number);
    if (ec == std::errc()) m_out.append(buffer.data(), end);
}

void JsonWriter::value(bool flag) {
    separate();
    m_out += flag ? "true" : "false";
}

void JsonWriter::null() {
    separate();
    m_out += "null";
}

}  // namespace quivra::tools
