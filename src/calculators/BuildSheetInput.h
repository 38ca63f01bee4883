#pragma once
// BuildSheetInput: everything the arrow build sheet computes from, in one
// value.  The window keeps one of these and recomputes on every change; the
// command line fills one from its options.

#include "Bow.h"
#include "SelectionInputs.h"
#include "ShaftRecord.h"

#include <optional>

namespace quivra::calculators {

// The finished arrow: either weighed whole (weighedGr), or built from a
// catalogue shaft cut to length and its parts.
struct ArrowInput {
    std::optional<double> weighedGr;   // when set, the parts below are not used
    std::optional<ShaftRecord> shaft;  // needed unless weighedGr is set
    double lengthIn = 29.0;            // nock groove to the end of the shaft
    double pointGr = 100.0;
    double insertGr = 0.0;
    double nockGr = 0.0;
    double fletchingGr = 0.0;
    std::optional<double> balanceIn;  // measured balance point; estimated when empty
};

// The set-up choices of the main window that place the arrow on a chart for
// the spine check.  The brace-height class (over or under 6.5 in) comes from
// the bow's brace height.
struct ChartChoice {
    selection::Page page = selection::Page::Hunt;
    int releaseType = 0;  // 0 mechanical, 1 fingers
    int camType = 0;      // Hunting, Kestra: 0 hard, 1 medium; Target: 0 hard, 1 medium, 2 soft
    int overDraw = 0;     // 0 none, 1 to 5 inches
};

struct BuildSheetInput {
    Bow bow;
    ArrowInput arrow;
    ChartChoice chart;
    std::optional<double> sightRadiusIn;  // eye to pin; draw length + 3 in when empty
};

}  // namespace quivra::calculators
