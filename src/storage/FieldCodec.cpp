#include "FieldCodec.h"

#include "NumberText.h"

#include "Coding.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace quivra::storage::fieldcodec {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\0';
}

std::string fieldLabel(const FieldDef& field) {
    return "field " + field.name;
}

// "'text'", built by appending (GCC 12 warns falsely about "'" + std::string(...)).
std::string quoted(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += '\'';
    out += text;
    out += '\'';
    return out;
}

void appendDigits(std::int64_t v, int width, std::string& out) {
    char buf[24];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    (void)ec;
    for (auto n = end - buf; n < width; ++n) out += '0';
    out.append(buf, end);
}

// Julian day number to a civil date (proleptic Gregorian).
void julianToDate(std::int64_t jd, std::string& out) {
    std::int64_t a = jd + 32044;
    const std::int64_t b = (4 * a + 3) / 146097;
    const std::int64_t c = a - 146097 * b / 4;
    const std::int64_t d = (4 * c + 3) / 1461;
    const std::int64_t e = c - 1461 * d / 4;
    const std::int64_t m = (5 * e + 2) / 153;
    const std::int64_t day = e - (153 * m + 2) / 5 + 1;
    const std::int64_t month = m + 3 - 12 * (m / 10);
    const std::int64_t year = 100 * b + d - 4800 + m / 10;
    appendDigits(year, 4, out);
    appendDigits(month, 2, out);
    appendDigits(day, 2, out);
}

bool validDate(int y, int m, int d) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (y < 1 || m < 1 || m > 12 || d < 1) return false;
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return d <= kDays[m - 1] + ((m == 2 && leap) ? 1 : 0);
}

Status encodeNumber(const FieldDef& field, std::string_view text, char* bytes) {
    std::memset(bytes, ' ', field.length);
    if (text.empty()) return Status::ok();
    auto value = parseFloat(text);
    if (!value) {
        if (field.decimals == 0) return Status::conversion(notAnIntegerMessage(std::string(text)));
        return value.status();
    }
    char buf[400];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, *value, std::chars_format::fixed,
                                   static_cast<int>(field.decimals));
    if (ec != std::errc() || end - buf > field.length) {
        return Status::invalidArgument("The value " + std::string(text) + " does not fit " +
                                       fieldLabel(field) + " (" + std::to_string(field.length) +
                                       " characters, " + std::to_string(field.decimals) +
                                       " decimals)");
    }
    if (std::string_view(buf, static_cast<std::size_t>(end - buf)) == "-0") {
        buf[0] = '0', end = buf + 1;  // a negative zero reads oddly in other programs
    }
    const auto n = static_cast<std::size_t>(end - buf);
    std::memcpy(bytes + (field.length - n), buf, n);
    return Status::ok();
}

}  // namespace

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    return trimRight(s);
}

std::string_view trimRight(std::string_view s) {
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

Result<std::int32_t> parseInt(std::string_view text) {
    const std::string_view t = trim(text);
    if (t.empty()) return 0;
    if (auto value = core::parseInteger(t)) return *value;
    return Status::conversion(notAnIntegerMessage(std::string(t)));
}

Result<double> parseFloat(std::string_view text) {
    const std::string_view t = trim(text);
    if (t.empty()) return 0.0;
    if (auto value = core::parseDecimal(t)) return *value;
    return Status::conversion(notAFloatMessage(std::string(t)));
}

void appendText(const FieldDef& field, std::string_view bytes, const TextCodec& codec,
                std::string& out) {
    switch (field.type) {
        case 'C': {
            const std::size_t start = out.size();
            codec.appendUtf8(bytes, out);
            if (bytes.find('\0') != std::string_view::npos) {
                std::replace(out.begin() + static_cast<std::ptrdiff_t>(start), out.end(), '\0',
                             ' ');  // some writers pad with NULs
            }
            return;
        }
        case 'N':
        case 'F':
            out.append(trim(bytes));
            return;
        case 'D': {
            // Some writers leave "0" or other filler in an empty date; only a
            // full YYYYMMDD is a date.
            const std::string_view t = trim(bytes);
            if (t.size() == 8 && t.find_first_not_of("0123456789") == std::string_view::npos) {
                out.append(t);
            }
            return;
        }
        case 'L': {
            const char c = bytes.empty() ? ' ' : bytes[0];
            if (c == 'T' || c == 't' || c == 'Y' || c == 'y') {
                out += 'T';
            } else if (c == 'F' || c == 'f' || c == 'N' || c == 'n') {
                out += 'F';
            } else {
                out += ' ';
            }
            return;
        }
        case 'I': {
            if (bytes.size() < 4) return;
            const auto v = static_cast<std::int32_t>(coding::getLe32(bytes.data()));
            char buf[16];
            auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
            (void)ec;
            out.append(buf, end);
            return;
        }
        case 'B': {
            if (bytes.size() < 8) return;
            char buf[64];
            auto [end, ec] =
                std::to_chars(buf, buf + sizeof buf, coding::getLeDouble(bytes.data()));
            (void)ec;
            out.append(buf, end);
            return;
        }
        case 'Y': {  // currency: a 64-bit integer in ten-thousandths
            if (bytes.size() < 8) return;
            const auto v = static_cast<std::int64_t>(coding::getLe64(bytes.data()));
            const std::uint64_t mag =
                v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
            if (v < 0) out += '-';
            char buf[24];
            auto [end, ec] = std::to_chars(buf, buf + sizeof buf, mag / 10000);
            (void)ec;
            out.append(buf, end);
            out += '.';
            appendDigits(static_cast<std::int64_t>(mag % 10000), 4, out);
            return;
        }
        case 'T': {  // date-time: Julian day and milliseconds since midnight
            if (bytes.size() < 8) return;
            const std::uint32_t day = coding::getLe32(bytes.data());
            const std::uint32_t ms = coding::getLe32(bytes.data() + 4);
            if (day == 0) return;
            julianToDate(day, out);
            const std::uint32_t secs = (ms + 500) / 1000;
            appendDigits(secs / 3600 % 100, 2, out);
            appendDigits(secs / 60 % 60, 2, out);
            appendDigits(secs % 60, 2, out);
            return;
        }
        default:
            codec.appendUtf8(trimRight(bytes), out);
            return;
    }
}

Status encode(const FieldDef& field, std::string_view utf8, const TextCodec& codec, char* bytes) {
    switch (field.type) {
        case 'C': {
            auto raw = codec.fromUtf8(utf8, fieldLabel(field));
            if (!raw) return raw.status();
            const std::size_t n = std::min<std::size_t>(raw->size(), field.length);
            // A fixed-width field padded with blanks, not a C string.
            std::memcpy(bytes, raw->data(), n);  // NOLINT(bugprone-not-null-terminated-result)
            std::memset(bytes + n, ' ', field.length - n);
            return Status::ok();
        }
        case 'N':
        case 'F':
            return encodeNumber(field, trim(utf8), bytes);
        case 'D': {
            const std::string_view t = trim(utf8);
            if (t.empty()) {
                std::memset(bytes, ' ', field.length);
                return Status::ok();
            }
            int y = 0, m = 0, d = 0;
            const bool digits = t.size() == 8 && t.find_first_not_of("0123456789") == t.npos;
            if (digits) {
                std::from_chars(t.data(), t.data() + 4, y);
                std::from_chars(t.data() + 4, t.data() + 6, m);
                std::from_chars(t.data() + 6, t.data() + 8, d);
            }
            if (!digits || !validDate(y, m, d) || field.length != 8) {
                return Status::invalidArgument(quoted(t) + " is not a date (YYYYMMDD) for " +
                                               fieldLabel(field));
            }
            std::memcpy(bytes, t.data(), 8);
            return Status::ok();
        }
        case 'L': {
            const std::string_view t = trim(utf8);
            char c = ' ';
            if (t == "T" || t == "t" || t == "Y" || t == "y" || t == ".T." || t == ".t.") {
                c = 'T';
            } else if (t == "F" || t == "f" || t == "N" || t == "n" || t == ".F." || t == ".f.") {
                c = 'F';
            } else if (!t.empty()) {
                return Status::invalidArgument(quoted(t) + " is not a logical value (T or F) for " +
                                               fieldLabel(field));
            }
            bytes[0] = c;
            return Status::ok();
        }
        default:
            return Status::unsupported("Writing fields of type " + std::string(1, field.type) +
                                       " is not supported (" + fieldLabel(field) + ")");
    }
}

Result<std::optional<std::uint32_t>> memoBlock(const FieldDef& field, std::string_view bytes) {
    if (bytes.size() == 4) {  // Visual FoxPro: a binary block number
        const std::uint32_t block = coding::getLe32(bytes.data());
        if (block == 0) return std::optional<std::uint32_t>();
        return std::optional<std::uint32_t>(block);
    }
    const std::string_view t = trim(bytes);
    if (t.empty()) return std::optional<std::uint32_t>();
    std::uint32_t block = 0;
    auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), block);
    if (ec != std::errc() || ptr != t.data() + t.size()) {
        return Status::corruption("memo field " + field.name + " holds '" + std::string(t) +
                                  "', which is not a block number");
    }
    if (block == 0) return std::optional<std::uint32_t>();
    return std::optional<std::uint32_t>(block);
}

void putMemoBlock(const FieldDef& field, std::uint32_t block, char* bytes) {
    std::memset(bytes, ' ', field.length);
    if (block == 0) return;
    char buf[16];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, block);
    (void)ec;
    const auto n = static_cast<std::size_t>(end - buf);
    if (n <= field.length) std::memcpy(bytes + (field.length - n), buf, n);
}

}  // namespace quivra::storage::fieldcodec
