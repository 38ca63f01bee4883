#pragma once
// BuildSheet: what the finished arrow will do from the customer's bow: its
// speed by the rating rule and by the energy model, kinetic energy and
// momentum with their classes, front-of-centre balance, grains per pound,
// the spine check and the downrange table.  One call computes the whole
// sheet from one BuildSheetInput (well under a millisecond, benchmarked in
// bench/calculators), so a window can recompute on every keystroke.
//
// Every figure derived from speed uses the energy model's speed, the
// headline figure.  Numbers are unrounded; formatting is the caller's.

#include "BuildSheetInput.h"
#include "Downrange.h"
#include "SpineCheck.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::calculators {

// The input a fault is in.
enum class InputField {
    Rating,
    DrawWeight,
    DrawLength,
    BraceHeight,
    StringWeight,
    ArrowWeight,
    Shaft,
    Length,
    Point,
    Insert,
    Nock,
    Fletching,
    Balance,
    SightRadius,
};

struct InputError {
    InputField field;
    std::string message;  // a sentence that names no option or control
};

struct MetricFigures {
    double speedMps = 0.0;
    double kineticEnergyJ = 0.0;
    double momentumKgMs = 0.0;
    double arrowGrams = 0.0;
};

struct BuildSheet {
    std::vector<InputError> errors;  // when not empty, no other field is set

    double arrowWeightGr = 0.0;
    double grainsPerPound = 0.0;
    std::optional<double> ruleFps;  // compounds with a rating
    double energyFps = 0.0;
    double kineticEnergyFtLb = 0.0;
    std::string_view energyClass;
    double momentumSlugFtS = 0.0;
    std::string_view momentumClass;
    std::optional<double> balanceIn;  // from the nock groove
    bool balanceEstimated = false;
    std::optional<double> focPercent;
    std::optional<SpineCheck> spine;  // a catalogue shaft on a chart column
    DownrangeTable downrange;
    MetricFigures metric;
    std::vector<std::string> warnings;

    [[nodiscard]] bool ok() const { return errors.empty(); }
};

BuildSheet computeBuildSheet(const BuildSheetInput& input);

// Grains per pound below which the sheet warns: 5 for compounds (the
// rating's own ratio and the common warranty minimum), 8 for recurves and
// longbows (docs/ballistics.md).
double minimumGrainsPerPound(BowType type);

}  // namespace quivra::calculators
