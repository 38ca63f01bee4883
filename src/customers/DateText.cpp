#include "DateText.h"

#include "Clock.h"

#include <charconv>

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
