#include "BuildSheet.h"

#include "ArrowAssembly.h"
#include "ArrowDrag.h"
#include "ArrowImpact.h"
#include "BallisticUnits.h"
#include "EnergyModel.h"
#include "FrontOfCenter.h"
#include "NumberText.h"
#include "RatingRule.h"

#include <cmath>
#include <tuple>

namespace quivra::calculators {

namespace {

std::string text(double value) {
    return core::decimalText(value, 15);
}

// Ranges outside which an input is a typing error rather than a bow or an
// arrow (they also keep every flight short and finite).
namespace limits {
constexpr double kRatingFps = 500.0;
constexpr double kDrawWeightLb = 200.0;
constexpr double kDrawLengthIn = 40.0;
constexpr double kBraceHeightIn = 15.0;
constexpr double kStringGr = 200.0;
constexpr double kArrowMinGr = 100.0;
constexpr double kArrowMaxGr = 5000.0;
constexpr double kPartGr = 1000.0;
constexpr double kDiameterIn = 1.0;
constexpr double kSightRadiusIn = 60.0;
}  // namespace limits

class Checker {
public:
    explicit Checker(std::vector<InputError>& errors) : m_errors(errors) {}

    void require(bool ok, InputField field, std::string message) {
        if (!ok) m_errors.push_back({field, std::move(message)});
    }
    // low < value <= high
    void above(double value, double low, double high, InputField field, std::string_view what,
               std::string_view unit) {
        require(value > low && value <= high, field,
                "The " + std::string(what) + " must be more than " + text(low) + " and at most " +
                    text(high) + " " + std::string(unit) + ".");
    }
    // low <= value <= high
    void from(double value, double low, double high, InputField field, std::string_view what,
              std::string_view unit) {
        require(value >= low && value <= high, field,
                "The " + std::string(what) + " must be from " + text(low) + " to " + text(high) +
                    " " + std::string(unit) + ".");
    }

private:
    std::vector<InputError>& m_errors;
};

void validateBow(const Bow& bow, Checker& c) {
    if (bow.ratingFps) {
        c.above(*bow.ratingFps, 0, limits::kRatingFps, InputField::Rating, "speed rating", "fps");
    }
    c.require(bow.ratingFps || bow.type != BowType::Compound, InputField::Rating,
              "A compound bow needs its speed rating (IBO or ATA).");
    c.above(bow.drawWeightLb, 0, limits::kDrawWeightLb, InputField::DrawWeight, "draw weight",
            "lb");
    c.from(bow.braceHeightIn, 0, limits::kBraceHeightIn, InputField::BraceHeight, "brace height",
           "in");
    c.from(bow.stringAccessoriesGr, 0, limits::kStringGr, InputField::StringWeight,
           "weight on the string", "gr");
    if (bow.drawLengthIn < bow.braceHeightIn) {
        c.require(false, InputField::DrawLength,
                  "The draw length (" + text(bow.drawLengthIn) +
                      " in) is under the brace height (" + text(bow.braceHeightIn) + " in).");
    } else if (powerStroke(bow) <= 0) {
        c.require(false, InputField::DrawLength,
                  "The draw length must exceed the brace height by more than " +
                      text(energy::kPowerStrokeAllowanceIn) + " in.");
    } else {
        c.above(bow.drawLengthIn, 0, limits::kDrawLengthIn, InputField::DrawLength, "draw length",
                "in");
    }
}

// Precondition: a.shaft is set.
ArrowAssembly assemblyOf(const ArrowInput& a) {
    return {a.lengthIn, a.shaft->grainsPerInch, a.pointGr, a.insertGr, a.nockGr, a.fletchingGr};
}

void validateArrow(const ArrowInput& a, Checker& c) {
    if (a.weighedGr) {
        c.from(*a.weighedGr, limits::kArrowMinGr, limits::kArrowMaxGr, InputField::ArrowWeight,
               "arrow weight", "gr");
        return;
    }
    if (!a.shaft) {
        c.require(false, InputField::Shaft, "Choose a shaft or enter the arrow's weight.");
        return;
    }
    const ShaftRecord& shaft = *a.shaft;
    const double diameter = shaft.outsideDiameterIn.value_or(drag::kReferenceDiameterIn);
    c.require(shaft.spineIn > 0 && shaft.grainsPerInch > 0 && diameter > 0 &&
                  diameter <= limits::kDiameterIn,
              InputField::Shaft,
              "The shaft " + shaft.key + " has no usable spine, weight per inch or diameter.");
    c.above(a.lengthIn, 0, limits::kDrawLengthIn, InputField::Length, "shaft length", "in");
    const std::tuple<double, InputField, const char*> parts[] = {
        {a.pointGr, InputField::Point, "point weight"},
        {a.insertGr, InputField::Insert, "insert weight"},
        {a.nockGr, InputField::Nock, "nock weight"},
        {a.fletchingGr, InputField::Fletching, "fletching weight"}};
    for (const auto& [grains, field, what] : parts) {
        c.from(grains, 0, limits::kPartGr, field, what, "gr");
    }
    const double total = assemblyOf(a).totalGr();
    c.require(total >= limits::kArrowMinGr, InputField::Length,
              "The arrow built from these parts weighs " + text(total) +
                  " gr; it must weigh at least " + text(limits::kArrowMinGr) + " gr.");
    if (a.balanceIn) {
        c.require(*a.balanceIn > 0 && *a.balanceIn <= a.lengthIn, InputField::Balance,
                  "The balance point must lie on the shaft, between 0 and " + text(a.lengthIn) +
                      " in from the nock groove.");
    }
}

std::vector<InputError> validate(const BuildSheetInput& in) {
    std::vector<InputError> errors;
    Checker c(errors);
    validateBow(in.bow, c);
    if (in.bow.ratingFps) {
        c.require(rating::kDrawLengthIn - in.bow.braceHeightIn > energy::kPowerStrokeAllowanceIn,
                  InputField::BraceHeight,
                  "The brace height leaves no power stroke at the rating's 30 in draw.");
    }
    validateArrow(in.arrow, c);
    if (in.sightRadiusIn) {
        c.above(*in.sightRadiusIn, 0, limits::kSightRadiusIn, InputField::SightRadius,
                "sight radius", "in");
    }
    return errors;
}

// The main window's brace height choice: "Over 6.5\"" or "Under 6.5\"".
constexpr double kBraceClassIn = 6.5;

// The spine check's set-up on the chart of the chosen page.
selection::ChartSetup chartSetup(const BuildSheetInput& in, std::vector<std::string>& warnings) {
    selection::ChartSetup s;
    s.page = in.chart.page;
    s.weight = in.bow.drawWeightLb;
    s.arrowLength = in.arrow.lengthIn;
    s.pointWeight = in.arrow.pointGr;
    s.releaseType = in.chart.releaseType;
    s.overDraw = in.chart.overDraw;
    s.camType = in.chart.camType;
    s.braceHt = in.bow.braceHeightIn < kBraceClassIn ? 1 : 0;
    switch (in.bow.type) {
        case BowType::Compound:
            s.bowType = 0;
            break;
        case BowType::Recurve:
            s.bowType = 1;
            break;
        case BowType::Longbow:
            s.bowType = s.page == selection::Page::Hunt ? 2 : 1;
            if (s.page == selection::Page::Targ || s.page == selection::Page::Kstr) {
                warnings.push_back("The " + std::string(core::pageCaption(s.page)) +
                                   " chart has no longbow column: the spine check reads its "
                                   "recurve column.");
            }
            break;
    }
    return s;
}

}  // namespace

double minimumGrainsPerPound(BowType type) {
    return type == BowType::Compound ? 5.0 : 8.0;
}

BuildSheet computeBuildSheet(const BuildSheetInput& in) {
    BuildSheet sheet;
    sheet.errors = validate(in);
    if (!sheet.errors.empty()) return sheet;
    const Bow& bow = in.bow;
    const ArrowInput& arrow = in.arrow;

    const ArrowAssembly parts = arrow.weighedGr ? ArrowAssembly{} : assemblyOf(arrow);
    const double weight = arrow.weighedGr ? *arrow.weighedGr : parts.totalGr();
    sheet.arrowWeightGr = weight;
    sheet.grainsPerPound = weight / bow.drawWeightLb;
    const double minimum = minimumGrainsPerPound(bow.type);
    if (sheet.grainsPerPound < minimum) {
        sheet.warnings.push_back(
            "At " + core::cutDecimals(text(sheet.grainsPerPound), 2) +
            " grains per pound the arrow is " + "under the " + text(minimum) +
            " grains per pound the bow's maker expects: so light " +
            "an arrow leaves the limbs much of the energy, strains the bow like a dry fire and " +
            "may void its warranty.");
    }

    const std::optional<double> energy = energyModelSpeed(bow, weight);
    if (!energy) {
        // validate() rules out every case the model refuses.
        sheet.errors.push_back({InputField::DrawLength, "The bow gives no speed estimate."});
        return sheet;
    }
    sheet.energyFps = *energy;
    sheet.ruleFps = ratingRuleSpeed(bow, weight);
    if (sheet.ruleFps && *sheet.ruleFps <= 0) {
        sheet.ruleFps.reset();
        sheet.warnings.emplace_back("The rating rule gives no speed for an arrow this heavy.");
    }

    sheet.kineticEnergyFtLb = kineticEnergyFtLb(weight, sheet.energyFps);
    sheet.energyClass = energyClass(sheet.kineticEnergyFtLb);
    sheet.momentumSlugFtS = momentumSlugFtS(weight, sheet.energyFps);
    sheet.momentumClass = momentumClass(sheet.momentumSlugFtS);

    if (!arrow.weighedGr) {
        sheet.balanceEstimated = !arrow.balanceIn;
        sheet.balanceIn = arrow.balanceIn ? *arrow.balanceIn : parts.estimatedBalanceIn();
        sheet.focPercent = frontOfCenterPercent(arrow.lengthIn, *sheet.balanceIn);

        const selection::ChartSetup setup = chartSetup(in, sheet.warnings);
        sheet.spine = checkSpine(setup, arrow.shaft->spineIn);
        if (!sheet.spine) {
            sheet.warnings.push_back("No cam class is chosen for the " +
                                     std::string(core::pageCaption(setup.page)) +
                                     " chart: the spine is not checked.");
        } else if (!sheet.spine->onChart) {
            sheet.warnings.push_back("The set-up lies outside the rows of the " +
                                     std::string(core::pageCaption(setup.page)) +
                                     " chart: the required spine is extrapolated.");
        }
    }

    const ArrowDrag drag =
        arrow.weighedGr
            ? ArrowDrag::reference()
            : ArrowDrag::of(arrow.shaft->outsideDiameterIn.value_or(drag::kReferenceDiameterIn),
                            arrow.lengthIn, arrow.fletchingGr);
    const double sightRadius =
        in.sightRadiusIn.value_or(bow.drawLengthIn + downrange::kSightRadiusOverDrawIn);
    sheet.downrange = computeDownrange(drag.flight(weight), sheet.energyFps, weight, sightRadius);

    const double kg = weight * units::kKgPerGrain;
    const double mps = sheet.energyFps * units::kMetresPerFoot;
    sheet.metric = {mps, 0.5 * kg * mps * mps, kg * mps, weight * units::kGramsPerGrain};
    return sheet;
}

}  // namespace quivra::calculators
