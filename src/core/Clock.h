#pragma once
// Clock: where the program reads the date and the time of day.  The header
// date of a written table, the date a set-up is saved with and the date a
// report prints all come from Clock::instance(), the machine's local time
// unless a test has put a clock of its own in place.

#include <chrono>

namespace quivra::core {

// A local date and time of day, to the second.
struct LocalDateTime {
    std::chrono::year_month_day date;
    int hour = 0;    // 0..23
    int minute = 0;  // 0..59
    int second = 0;  // 0..59 (60 on a leap second)

    bool operator==(const LocalDateTime&) const = default;
};

class Clock {
public:
    virtual ~Clock() = default;
    [[nodiscard]] virtual LocalDateTime now() const = 0;

    // The clock in force: the machine's unless setInstance() put another.
    static const Clock& instance();
    // Puts `clock` in force for the whole process, or the machine's clock
    // again for nullptr.  The caller keeps `clock` alive while it is in
    // force.  Meant for tests; not thread-safe.
    static void setInstance(const Clock* clock);
};

// The machine's clock in local time.
class SystemClock : public Clock {
public:
    [[nodiscard]] LocalDateTime now() const override;
};

// A clock that stands still at the time it is given.
class FixedClock : public Clock {
public:
    explicit FixedClock(LocalDateTime at) : m_at(at) {}
    [[nodiscard]] LocalDateTime now() const override { return m_at; }
    void set(LocalDateTime at) { m_at = at; }

private:
    LocalDateTime m_at;
};

// Puts a clock in force for the life of this object and the previous one
// back afterwards.
class ScopedClock {
public:
    explicit ScopedClock(const Clock& clock);
    ~ScopedClock();
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;

private:
    const Clock* m_previous;
};

}  // namespace quivra::core
