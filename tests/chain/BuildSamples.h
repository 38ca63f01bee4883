#pragma once
// Builds that try what the server and the outbox must keep exactly: texts
// with quotes, backslashes, SQL, COPY escapes, control characters, accents
// and 10,000 characters; doubles without a short binary form, the smallest
// and largest there are; every choice set away from its default.

#include "CustomerTables.h"
#include "SavedBuild.h"

#include <limits>
#include <string>

namespace quivra::chain::test {

inline customers::SavedBuild hostileBuild() {
    customers::SavedBuild b = customers::test::sampleBuild();
    b.shaftKey = "'; DROP TABLE builds; --";
    b.models = "O'Neil \"CH\"\\KV";
    b.spineCheck = "weak by 12% \\N \\. ";
    b.notes = std::string(10'000, 'n') + "\x01\x1f\t\r\n\x7f ł Ünïcode 🎯 '\"\\,;";
    b.spineIn = 0.1;
    b.grainsPerInch = 1e-7;
    b.lengthIn = 0.1 + 0.2;
    b.pointGr = std::numeric_limits<double>::denorm_min();
    b.insertGr = std::numeric_limits<double>::max();
    b.nockGr = -12.5;
    b.balanceIn = 1.0 / 3.0;
    b.sightRadiusIn = 1e300;
    b.releaseType = 2;
    b.camType = 1;
    b.overDraw = 3;
    b.bowType = "recurve";
    b.ratingStandard = "ATA";
    b.chartPage = "Kstr";
    b.savedAt = "20260307143502";
    return b;
}

// `b` without any of its optional figures and with its optional texts empty.
inline customers::SavedBuild withoutOptionals(customers::SavedBuild b) {
    b.focPercent.reset();
    b.speedFps.reset();
    b.ratingFps.reset();
    b.balanceIn.reset();
    b.sightRadiusIn.reset();
    b.spineCheck.clear();
    b.notes.clear();
    b.savedAt.clear();
    return b;
}

}  // namespace quivra::chain::test
