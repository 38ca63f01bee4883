#include "MessageFile.h"

#include <array>
#include <cstdint>
#include <fstream>
#include <string_view>
#include <system_error>

namespace quivra::selection {

namespace {

// Length of the UTF-8 sequence starting at `pos`, or 0 when it is not valid
// (overlong forms, surrogates and values above U+10FFFF included).
std::size_t sequenceLength(std::string_view s, std::size_t pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char b0 = byte(pos);
    if (b0 < 0x80) return 1;
    std::size_t len = 0;
    std::uint32_t cp = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2;
        cp = b0 & 0x1FU;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3;
        cp = b0 & 0x0FU;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4;
        cp = b0 & 0x07U;
    } else {
        return 0;
    }
    if (pos + len > s.size()) return 0;
    for (std::size_t i = 1; i < len; ++i) {
        const unsigned char b = byte(pos + i);
        if ((b & 0xC0U) != 0x80U) return 0;
        cp = (cp << 6U) | (b & 0x3FU);
    }
    if ((len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
        (len == 4 && (cp < 0x10000 || cp > 0x10FFFF))) {
        return 0;
    }
    return len;
}

// Byte length of the first `maxChars` characters of a valid UTF-8 text, or
// npos when the text is not valid UTF-8.
std::size_t validPrefix(std::string_view s, std::size_t maxChars) {
    std::size_t pos = 0;
    std::size_t chars = 0;
    std::size_t cut = std::string_view::npos;
    while (pos < s.size()) {
        const std::size_t len = sequenceLength(s, pos);
        if (len == 0) return std::string_view::npos;
        if (chars == maxChars && cut == std::string_view::npos) cut = pos;
        pos += len;
        ++chars;
    }
    return cut == std::string_view::npos ? s.size() : cut;
}

// Windows-1252 bytes 0x80..0x9F; the five undefined ones map to U+FFFD.
constexpr std::array<char16_t, 32> kCp1252High{
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

void appendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0U | (cp >> 6U));
        out += static_cast<char>(0x80U | (cp & 0x3FU));
    } else {
        out += static_cast<char>(0xE0U | (cp >> 12U));
        out += static_cast<char>(0x80U | ((cp >> 6U) & 0x3FU));
        out += static_cast<char>(0x80U | (cp & 0x3FU));
    }
}

std::string fromCp1252(std::string_view s) {
    std::string out;
    out.reserve(s.size() * 2);
    for (const char c : s) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b <= 0x9F) {
            appendUtf8(out, kCp1252High[b - 0x80U]);
        } else {
            appendUtf8(out, b);
        }
    }
    return out;
}

}  // namespace

storage::Result<std::string> readMessageLine(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) {
        return storage::Status::notFound("File not found: " + file.string());
    }
    std::ifstream in(file, std::ios::binary);
    std::string line;
    if (!in || !std::getline(in, line)) {
        // An empty file is read as an empty line; anything else failed.
        if (in.eof() && !in.bad()) return std::string();
        return storage::Status::ioError("Cannot read " + file.string());
    }
    if (line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
    if (const std::size_t cr = line.find('\r'); cr != std::string::npos) line.erase(cr);

    const std::size_t cut = validPrefix(line, kMaxMessageLength);
    if (cut != std::string_view::npos) {
        line.resize(cut);
        return line;
    }
    if (line.size() > kMaxMessageLength) line.resize(kMaxMessageLength);
    return fromCp1252(line);
}

}  // namespace quivra::selection
