#include "Clock.h"

#include <ctime>

namespace quivra::core {

namespace {
const Clock* g_clock = nullptr;  // nullptr: the machine's clock
}

LocalDateTime SystemClock::now() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {.date = std::chrono::year{local.tm_year + 1900} /
                    std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)} /
                    std::chrono::day{static_cast<unsigned>(local.tm_mday)},
            .hour = local.tm_hour,
            .minute = local.tm_min,
            .second = local.tm_sec};
}

const Clock& Clock::instance() {
    static const SystemClock system;
    return g_clock ? *g_clock : system;
}

void Clock::setInstance(const Clock* clock) {
    g_clock = clock;
}

ScopedClock::ScopedClock(const Clock& clock) : m_previous(g_clock) {
    g_clock = &clock;
}

ScopedClock::~ScopedClock() {
    g_clock = m_previous;
}

}  // namespace quivra::core
