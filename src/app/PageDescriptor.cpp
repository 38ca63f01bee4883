#include "PageDescriptor.h"

#include <array>

namespace quivra::app {

namespace {

const std::array<PageDescriptor, 4>& descriptors() {
    static const std::array<PageDescriptor, 4> table{{
        {core::Page::Hunt, QStringLiteral("Hunt"), QStringLiteral("Hunting"), QLatin1Char('H'), 10,
         16,
         QStringLiteral("KV Kivo   M4 M4 alloy   XT Xtra Tough   CA Carbon Alloy\n"
                        "CH Carbon Hunter   CL Carbon Lite   CX Carbon X")},
        {core::Page::Targ, QStringLiteral("Targ"), QStringLiteral("Target"), QLatin1Char('T'), 14,
         14,
         QStringLiteral("ZP Zephyr   M4 M4 alloy   TP Target Pro\n"
                        "TC Target Carbon   TA Target Alloy")},
        {core::Page::Youth, QStringLiteral("Youth"), QStringLiteral("Youth"), QLatin1Char('Y'), 8,
         8,
         QStringLiteral("YA Youth Aluminum   YC Youth Carbon\nTP Target Pro   TC Target Carbon")},
        {core::Page::Kstr, QStringLiteral("Kstr"), QStringLiteral("Kestra"), QLatin1Char('B'), 6, 6,
         QStringLiteral("KA Kestra Alloy   KC Kestra Carbon   KH Kestra Heavy")},
    }};
    return table;
}

}  // namespace

const PageDescriptor& pageDescriptor(core::Page page) {
    return descriptors()[static_cast<std::size_t>(page)];
}

}  // namespace quivra::app
