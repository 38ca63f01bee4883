#include "DateText.h"

#include "Clock.h"

#include <array>
#include <cctype>
#include <charconv>
#include <vector>

namespace quivra::customers {

namespace {

// Appends `value` with at least `width` digits, zero-padded.
void appendPadded(std::string& out, unsigned value, int width) {
    char buf[12];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    (void)ec;
    for (int n = static_cast<int>(end - buf); n < width; ++n) out.push_back('0');
    out.append(buf, end);
}

}  // namespace

std::chrono::year_month_day today() {
    return core::Clock::instance().now().date;
}

std::string timestampNow() {
    const core::LocalDateTime now = core::Clock::instance().now();
    std::string out;
    appendPadded(out, static_cast<unsigned>(static_cast<int>(now.date.year())), 4);
    appendPadded(out, static_cast<unsigned>(now.date.month()), 2);
    appendPadded(out, static_cast<unsigned>(now.date.day()), 2);
    for (const int part : {now.hour, now.minute, now.second}) {
        appendPadded(out, static_cast<unsigned>(part), 2);
    }
    return out;
}

std::string shortDateText(const std::chrono::year_month_day& date) {
    if (!date.ok() || static_cast<int>(date.year()) < 0) return {};
    std::string out;
    appendPadded(out, static_cast<unsigned>(date.month()), 2);
    out.push_back('/');
    appendPadded(out, static_cast<unsigned>(date.day()), 2);
    out.push_back('/');
    appendPadded(out, static_cast<unsigned>(static_cast<int>(date.year())), 4);
    return out;
}

std::string dateFieldText(const std::chrono::year_month_day& date) {
    if (!date.ok() || static_cast<int>(date.year()) < 0) return {};
    std::string out;
    appendPadded(out, static_cast<unsigned>(static_cast<int>(date.year())), 4);
    appendPadded(out, static_cast<unsigned>(date.month()), 2);
    appendPadded(out, static_cast<unsigned>(date.day()), 2);
    return out;
}

}  // namespace quivra::customers

namespace quivra::customers {

namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;
using std::chrono::year_month_day;

// The date, when `y`, `m` and `d` make one (two-digit years widened).
std::optional<year_month_day> dateOf(int y, int m, int d, bool twoDigitYear) {
    if (twoDigitYear) y += y < 30 ? 2000 : 1900;
    if (m < 1 || m > 12 || d < 1 || d > 31 || y < 1 || y > 9999) return std::nullopt;
    const year_month_day date{year{y}, month{static_cast<unsigned>(m)},
                              day{static_cast<unsigned>(d)}};
    if (!date.ok()) return std::nullopt;
    return date;
}

// 1..12 for an English month name or its first three letters, else 0.
int monthNamed(std::string_view word) {
    static constexpr std::array<const char*, 12> names{
        "january", "february", "march",     "april",   "may",      "june",
        "july",    "august",   "september", "october", "november", "december"};
    if (word.size() < 3) return 0;
    std::string lower;
    for (const char c : word)
        lower.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    if (lower.back() == '.') lower.pop_back();
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string_view name = names[i];
        if (lower.size() <= name.size() && name.substr(0, lower.size()) == lower &&
            (lower.size() == 3 || lower.size() == name.size() || lower == "sept")) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

struct Piece {
    std::string_view text;
    bool digits = false;
};

// Splits at blanks, "/", ".", "-" and ","; keeps the separator seen first.
std::vector<Piece> piecesOf(std::string_view text, char& separator) {
    std::vector<Piece> pieces;
    separator = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == ' ' || c == '/' || c == '.' || c == '-' || c == ',') {
            if (separator == 0 && c != ' ' && c != ',' && !pieces.empty()) separator = c;
            ++i;
            continue;
        }
        const std::size_t start = i;
        const bool digit = std::isdigit(static_cast<unsigned char>(c)) != 0;
        while (i < text.size() &&
               (std::isdigit(static_cast<unsigned char>(text[i])) != 0) == digit &&
               text[i] != ' ' && text[i] != '/' && text[i] != '.' && text[i] != '-' &&
               text[i] != ',') {
            ++i;
        }
        pieces.push_back({text.substr(start, i - start), digit});
    }
    return pieces;
}

int number(std::string_view digits) {
    int value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return value;
}

}  // namespace

std::optional<year_month_day> parseStoredDate(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (text.size() == 8 && text.find_first_not_of("0123456789") == std::string_view::npos) {
        return dateOf(number(text.substr(0, 4)), number(text.substr(4, 2)),
                      number(text.substr(6, 2)), false);
    }
    char separator = 0;
    const std::vector<Piece> p = piecesOf(text, separator);
    if (p.size() != 3) return std::nullopt;
    const auto len = [&](std::size_t i) { return p[i].text.size(); };
    // A month written as a word: "7-Mar-2026", "7 March 2026", "March 7, 2026".
    for (std::size_t w = 0; w < 2; ++w) {
        if (p[w].digits) continue;
        const int m = monthNamed(p[w].text);
        const std::size_t d = w == 0 ? 1 : 0;
        if (m == 0 || !p[d].digits || !p[2].digits || len(d) > 2) return std::nullopt;
        if (len(2) != 2 && len(2) != 4) return std::nullopt;
        return dateOf(number(p[2].text), m, number(p[d].text), len(2) == 2);
    }
    for (const Piece& piece : p) {
        if (!piece.digits || piece.text.size() > 4) return std::nullopt;
    }
    if (len(0) == 4) {  // year first: 2026-03-07, 2026/03/07, 2026.03.07
        if (len(1) > 2 || len(2) > 2) return std::nullopt;
        return dateOf(number(p[0].text), number(p[1].text), number(p[2].text), false);
    }
    if (len(0) > 2 || len(1) > 2 || (len(2) != 2 && len(2) != 4)) return std::nullopt;
    const int a = number(p[0].text);
    const int b = number(p[1].text);
    const bool twoDigits = len(2) == 2;
    const int y = number(p[2].text);
    bool monthFirst = separator == '/';
    if (monthFirst && a > 12 && b <= 12) monthFirst = false;
    if (!monthFirst && b > 12 && a <= 12) monthFirst = true;
    return monthFirst ? dateOf(y, a, b, twoDigits) : dateOf(y, b, a, twoDigits);
}

}  // namespace quivra::customers
