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

namespace quivra::calculators {

namespace {

std::string text(double value) {
    return decimalText(value, 15);
}

std::string_view chartName(selection::Page page) {
    switch (page) {
        case selection::Page::Hunt:
            return "Hunting";
        case selection::Page::Targ:
            return "Target";
        case selection::Page::Youth:
            return "Youth";
        case selection::Page::Kstr:
            return "Kestra";
    }
    return "Hunting";
}

class Checker {
public:
    explicit Checker(std::vector<InputError>& errors) : m_errors(errors) {}

    void require(bool ok, InputField field, std::string message) {
        if (!ok) m_errors.push_back({field, std::move(message)});
    }
    void positive(double value, InputField field, std::string_view what, std::string_view unit) {
        require(value > 0, field,
                "The " + std::string(what) + " must be more than 0 " + std::string(unit) + ".");
    }
    void notNegative(double value, InputField field, std::string_view what) {
        require(value >= 0, field, "The " + std::string(what) + " cannot be negative.");
    }

private:
    std::vector<InputError>& m_errors;
};

std::vector<InputError> validate(const BuildSheetInput& in) {
    std::vector<InputError> errors;
    Checker c(errors);
    const Bow& bow = in.bow;
    if (bow.ratingFps) c.positive(*bow.ratingFps, InputField::Rating, "speed rating", "fps");
    c.require(bow.ratingFps || bow.type != BowType::Compound, InputField::Rating,
              "A compound bow needs its speed rating (IBO or ATA).");
    c.positive(bow.drawWeightLb, InputField::DrawWeight, "draw weight", "lb");
    c.notNegative(bow.braceHeightIn, InputField::BraceHeight, "brace height");
    c.notNegative(bow.stringAccessoriesGr, InputField::StringWeight, "string accessories' weight");
    if (bow.drawLengthIn < bow.braceHeightIn) {
        c.require(false, InputField::DrawLength,
                  "The draw length (" + text(bow.drawLengthIn) +
                      " in) is under the brace height (" + text(bow.braceHeightIn) + " in).");
    } else {
        c.require(powerStroke(bow) > 0, InputField::DrawLength,
                  "The draw length must exceed the brace height by more than " +
                      text(energy::kPowerStrokeAllowanceIn) + " in.");
    }
    if (bow.ratingFps) {
        c.require(rating::kDrawLengthIn - bow.braceHeightIn > energy::kPowerStrokeAllowanceIn,
                  InputField::BraceHeight,
                  "The brace height leaves no power stroke at the rating's 30 in draw.");
    }

    const ArrowInput& a = in.arrow;
    if (a.weighedGr) {
        c.positive(*a.weighedGr, InputField::ArrowWeight, "arrow weight", "gr");
    } else if (!a.shaft) {
        c.require(false, InputField::Shaft, "Choose a shaft or enter the arrow's weight.");
    } else {
        c.require(
            a.shaft->spineIn > 0 && a.shaft->grainsPerInch > 0 &&
                (!a.shaft->outsideDiameterIn || *a.shaft->outsideDiameterIn > 0),
            InputField::Shaft,
            "The shaft " + a.shaft->key + " has no usable spine, weight per inch or diameter.");
        c.positive(a.lengthIn, InputField::Length, "shaft length", "in");
        c.notNegative(a.pointGr, InputField::Point, "point weight");
        c.notNegative(a.insertGr, InputField::Insert, "insert weight");
        c.notNegative(a.nockGr, InputField::Nock, "nock weight");
        c.notNegative(a.fletchingGr, InputField::Fletching, "fletching weight");
        if (a.balanceIn) {
            c.require(*a.balanceIn > 0 && *a.balanceIn <= a.lengthIn, InputField::Balance,
                      "The balance point must lie on the shaft, between 0 and " + text(a.lengthIn) +
                          " in from the nock groove.");
        }
    }
    if (in.sightRadiusIn)
        c.positive(*in.sightRadiusIn, InputField::SightRadius, "sight radius", "in");
    return errors;
}

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
    s.braceHt = in.bow.braceHeightIn < 6.5 ? 1 : 0;
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
                warnings.push_back("The " + std::string(chartName(s.page)) +
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

    ArrowAssembly parts;
    if (!arrow.weighedGr) {
        parts = {arrow.lengthIn, arrow.shaft->grainsPerInch, arrow.pointGr, arrow.insertGr,
                 arrow.nockGr,   arrow.fletchingGr};
    }
    const double weight = arrow.weighedGr ? *arrow.weighedGr : parts.totalGr();
    sheet.arrowWeightGr = weight;
    sheet.grainsPerPound = weight / bow.drawWeightLb;
    const double minimum = minimumGrainsPerPound(bow.type);
    if (sheet.grainsPerPound < minimum) {
        sheet.warnings.push_back(
            "At " + cutDecimals(text(sheet.grainsPerPound), 2) + " grains per pound the arrow is " +
            "under the " + text(minimum) + " grains per pound the bow's maker expects: so light " +
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
        sheet.warnings.push_back("The rating rule gives no speed for an arrow this heavy.");
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
                                     std::string(chartName(setup.page)) +
                                     " chart: the spine is not checked.");
        } else if (!sheet.spine->onChart) {
            sheet.warnings.push_back("The set-up lies outside the rows of the " +
                                     std::string(chartName(setup.page)) +
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
