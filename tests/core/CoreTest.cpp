// Pages and the clock: the key texts stored in files, and a clock that
// tests can put in place and take away again.
#include "Clock.h"
#include "Page.h"

#include <gtest/gtest.h>

namespace quivra::core {
namespace {

TEST(Page, KeysRoundTripAndNothingElseIsAPage) {
    for (const Page page : kPages) {
        EXPECT_EQ(pageFromKey(pageKey(page)), page) << pageKey(page);
    }
    EXPECT_EQ(pageKey(Page::Youth), "Youth");
    EXPECT_EQ(pageKey(Page::Kstr), "Kstr");
    for (const char* other : {"", "hunt", "HUNT", "Hunt ", "Kestra", "Target"}) {
        EXPECT_FALSE(pageFromKey(other)) << other;
    }
    EXPECT_EQ(pageKey(static_cast<Page>(7)), "");
    EXPECT_EQ(pageCaption(Page::Kstr), "Kestra");
    EXPECT_EQ(pageCaption(static_cast<Page>(7)), "");
}

TEST(Clock, AFixedClockIsInForceOnlyWhileItsScopeLasts) {
    using namespace std::chrono;
    const LocalDateTime first{.date = year{2026} / March / day{7}, .hour = 9, .minute = 5};
    const LocalDateTime second{.date = year{1999} / December / day{31}, .hour = 23};
    FixedClock outer(first);
    {
        const ScopedClock a(outer);
        EXPECT_EQ(Clock::instance().now(), first);
        {
            const FixedClock inner(second);
            const ScopedClock b(inner);
            EXPECT_EQ(Clock::instance().now(), second);
        }
        EXPECT_EQ(Clock::instance().now(), first);  // the outer clock is back
        outer.set(second);
        EXPECT_EQ(Clock::instance().now(), second);
    }
    const LocalDateTime now = Clock::instance().now();  // the machine's clock again
    EXPECT_TRUE(now.date.ok());
    EXPECT_GE(static_cast<int>(now.date.year()), 2024);
}

}  // namespace
}  // namespace quivra::core
