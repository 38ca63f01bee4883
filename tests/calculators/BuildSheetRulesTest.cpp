// The arrow build sheet's rules: the rating rule by hand-worked cases, the
// energy model at the rating's conditions and its monotonicity, kinetic
// energy and momentum sharing their constant, the flight model against the
// closed form without drag, the drag scaling, the balance estimate, the
// spine check's rule, and the sheet's input faults and warnings.
#include "ArrowAssembly.h"
#include "ArrowDrag.h"
#include "ArrowImpact.h"
#include "BallisticUnits.h"
#include "BuildSheet.h"
#include "Downrange.h"
#include "EnergyModel.h"
#include "FrontOfCenter.h"
#include "RatingRule.h"
#include "SpineCheck.h"
#include "SpineDemand.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

namespace qc = quivra::calculators;
namespace sel = quivra::selection;

namespace {

qc::Bow compound(double rating, double drawWeight, double drawLength, double brace = 7.0) {
    qc::Bow b;
    b.ratingFps = rating;
    b.drawWeightLb = drawWeight;
    b.drawLengthIn = drawLength;
    b.braceHeightIn = brace;
    return b;
}

qc::Bow traditional(qc::BowType type, double drawWeight, double drawLength) {
    qc::Bow b;
    b.type = type;
    b.drawWeightLb = drawWeight;
    b.drawLengthIn = drawLength;
    return b;
}

// --- speed ---------------------------------------------------------------------

TEST(RatingRule, HandWorkedCases) {
    struct Case {
        const char* name;
        qc::Bow bow;
        double arrow, expected;
    };
    qc::Bow withString = compound(330, 60, 29);
    withString.stringAccessoriesGr = 15;
    const Case cases[] = {
        // 340 - 10 x 2 - (420 - 350) / 3
        {"70 lb, 28 in, 420 gr", compound(340, 70, 28), 420, 340 - 20 - 70.0 / 3},
        // 330 - 10 - (400 - 300) / 3 - 15 / 3
        {"60 lb, 29 in, 400 gr, 15 gr on the string", withString, 400, 330 - 10 - 100.0 / 3 - 5},
        {"half an inch past the rating", compound(350, 70, 30.5), 350, 355},
        // At 5 grains per pound the rule gives the rating whatever the weight.
        {"50 lb at 5 gr/lb", compound(330, 50, 30), 250, 330},
        {"the rating's conditions", compound(317, 70, 30), 350, 317},
    };
    for (const Case& c : cases) {
        const auto v = qc::ratingRuleSpeed(c.bow, c.arrow);
        ASSERT_TRUE(v) << c.name;
        EXPECT_NEAR(*v, c.expected, 1e-9) << c.name;
    }
    EXPECT_FALSE(qc::ratingRuleSpeed(traditional(qc::BowType::Recurve, 50, 28), 450));
    qc::Bow unrated = compound(340, 70, 28);
    unrated.ratingFps.reset();
    EXPECT_FALSE(qc::ratingRuleSpeed(unrated, 420));
}

TEST(EnergyModel, GivesTheRatingExactlyAtItsConditions) {
    for (double rating : {250.0, 300.0, 340.0, 365.0}) {
        for (double brace : {5.5, 6.0, 7.0, 8.25}) {
            qc::Bow bow = compound(rating, 70, 30, brace);
            EXPECT_EQ(qc::energyModelSpeed(bow, 350), rating) << rating << " fps, brace " << brace;
            bow.type = qc::BowType::Recurve;  // a rated recurve calibrates the same way
            EXPECT_EQ(qc::energyModelSpeed(bow, 350), rating) << rating << " fps recurve";
        }
    }
}

TEST(EnergyModel, HandWorkedCases) {
    // 340 sqrt((19.25 / 21.25) (350 + 80) / (420 + 80))
    EXPECT_NEAR(*qc::energyModelSpeed(compound(340, 70, 28), 420), 300.0987, 1e-4);
    // sqrt(0.93 x 1.15 x 1/2 x 50 lb x 19.25 in / 12 x 450240 / (450 + 90))
    EXPECT_NEAR(*qc::energyModelSpeed(traditional(qc::BowType::Recurve, 50, 28), 450), 189.1082,
                1e-4);
    // sqrt(0.93 x 1.0 x 1/2 x 50 x 19.25 / 12 x 450240 / (450 + 150))
    EXPECT_NEAR(*qc::energyModelSpeed(traditional(qc::BowType::Longbow, 50, 28), 450), 167.2949,
                1e-4);
}

TEST(EnergyModel, GivesNoSpeedWithoutRatingForACompoundOrWithoutPowerStroke) {
    qc::Bow unrated = compound(340, 70, 28);
    unrated.ratingFps.reset();
    EXPECT_FALSE(qc::energyModelSpeed(unrated, 420));
    EXPECT_FALSE(qc::energyModelSpeed(compound(340, 70, 8.75, 7.0), 420));  // stroke 0
    EXPECT_TRUE(qc::energyModelSpeed(compound(340, 70, 8.76, 7.0), 420));
}

TEST(EnergyModel, SmoothAndMonotonic) {
    for (const qc::Bow& base : {compound(330, 60, 28), traditional(qc::BowType::Recurve, 45, 27),
                                traditional(qc::BowType::Longbow, 55, 29)}) {
        // Heavier arrow: slower, but more momentum and more kinetic energy.
        double lastV = 1e9, lastP = 0, lastKe = 0;
        for (double w = 200; w <= 900; w += 7) {
            const double v = *qc::energyModelSpeed(base, w);
            EXPECT_LT(v, lastV) << w;
            EXPECT_GT(qc::momentumSlugFtS(w, v), lastP) << w;
            EXPECT_GT(qc::kineticEnergyFtLb(w, v), lastKe) << w;
            lastV = v;
            lastP = qc::momentumSlugFtS(w, v);
            lastKe = qc::kineticEnergyFtLb(w, v);
        }
        // More draw weight or draw length: faster; string load: slower.
        double last = 0;
        for (double dw = 20; dw <= 90; dw += 0.5) {
            qc::Bow b = base;
            b.drawWeightLb = dw;
            const double v = *qc::energyModelSpeed(b, 420);
            EXPECT_GT(v, last) << dw;
            last = v;
        }
        last = 0;
        for (double dl = 24; dl <= 32; dl += 0.25) {
            qc::Bow b = base;
            b.drawLengthIn = dl;
            const double v = *qc::energyModelSpeed(b, 420);
            EXPECT_GT(v, last) << dl;
            last = v;
        }
        qc::Bow loaded = base;
        loaded.stringAccessoriesGr = 20;
        EXPECT_LT(*qc::energyModelSpeed(loaded, 420), *qc::energyModelSpeed(base, 420));
    }
}

TEST(EnergyModel, DepartsFromTheRuleBelowSeventyPounds) {
    // At 5 gr/lb the rule keeps the rated speed whatever the draw weight; the
    // energy model loses speed with the stored energy.
    const qc::Bow bow = compound(340, 50, 30);
    EXPECT_NEAR(*qc::ratingRuleSpeed(bow, 250), 340, 1e-9);
    EXPECT_LT(*qc::energyModelSpeed(bow, 250), 330);
}

// --- energy and momentum -----------------------------------------------------------

TEST(ArrowImpact, EnergyIsMomentumTimesSpeedOverTwo) {
    for (double w : {150.0, 350.0, 420.5, 700.0}) {
        for (double v : {120.0, 189.1, 300.0, 365.25}) {
            const double ke = qc::kineticEnergyFtLb(w, v);
            EXPECT_NEAR(ke, qc::momentumSlugFtS(w, v) * v / 2, ke * 1e-14) << w << " " << v;
        }
    }
    // The kinetic energy window's worked example: 400 gr at 200 fps.
    EXPECT_NEAR(qc::kineticEnergyFtLb(400, 200), 35.5366, 1e-4);
}

TEST(ArrowImpact, ClassesAtTheirLimits) {
    EXPECT_EQ(qc::energyClass(24.999), "Small Game");
    EXPECT_EQ(qc::energyClass(25.0), "Medium Game");
    EXPECT_EQ(qc::energyClass(40.99), "Medium Game");
    EXPECT_EQ(qc::energyClass(41.0), "Big Game");
    EXPECT_EQ(qc::energyClass(64.9), "Big Game");
    EXPECT_EQ(qc::energyClass(65.0), "Largest Game");
    EXPECT_EQ(qc::energyClass(250.0), "Largest Game");
    EXPECT_EQ(qc::momentumClass(0.2499), "Small Game");
    EXPECT_EQ(qc::momentumClass(0.25), "Medium Game");
    EXPECT_EQ(qc::momentumClass(0.40), "Big Game");
    EXPECT_EQ(qc::momentumClass(0.50), "Dangerous Game");
    EXPECT_EQ(qc::momentumClass(0.5999), "Dangerous Game");
    EXPECT_EQ(qc::momentumClass(0.60), "Largest Game");
}

// --- flight --------------------------------------------------------------------------

// Without drag the path is a parabola: with the line of sight h above the
// bow and a zero at X, tan(angle) T solves h = X T - g X^2 (1 + T^2) / (2 v^2).
TEST(Downrange, MatchesTheClosedFormWithoutDrag) {
    namespace u = qc::units;
    const double g = qc::flight::kGravity;
    for (double fps : {180.0, 260.0, 330.0}) {
        const double v = fps * u::kMetresPerFoot;
        const double h = qc::flight::kSightHeightIn * u::kMetresPerInch;
        const double zero = 20 * u::kMetresPerYard;
        const double a = g * zero * zero / (2 * v * v);
        const double t = (zero - std::sqrt(zero * zero - 4 * a * (a + h))) / (2 * a);
        const qc::DownrangeTable table = qc::computeDownrange(qc::FlightModel(0.0), fps, 400, 31);
        ASSERT_EQ(table.points.size(), 11u);
        for (const qc::DownrangePoint& p : table.points) {
            const double x = p.yards * u::kMetresPerYard;
            const double y = x * t - g * x * x * (1 + t * t) / (2 * v * v);
            EXPECT_NEAR(p.dropIn, qc::flight::kSightHeightIn - y / u::kMetresPerInch, 1e-4)
                << fps << " fps, " << p.yards << " yd";
            EXPECT_NEAR(p.timeS, x * std::sqrt(1 + t * t) / v, 1e-9) << p.yards << " yd";
            const double vy = v / std::sqrt(1 + t * t) * t - g * p.timeS;
            EXPECT_NEAR(p.fps, std::hypot(v / std::sqrt(1 + t * t), vy) / u::kMetresPerFoot, 1e-6);
        }
        EXPECT_EQ(table.points[2].dropIn, 0.0);
    }
}

TEST(Downrange, DropGrowsAndSpeedFallsWithDistance) {
    const qc::FlightModel drag = qc::ArrowDrag::reference().flight(420);
    const qc::DownrangeTable table = qc::computeDownrange(drag, 300, 420, 31);
    const qc::DownrangeTable vacuum = qc::computeDownrange(qc::FlightModel(0.0), 300, 420, 31);
    EXPECT_EQ(table.points[0].dropIn, qc::flight::kSightHeightIn);
    EXPECT_LT(table.points[1].dropIn, 0.0) << "the arrow rises above the line before its zero";
    for (std::size_t i = 1; i < table.points.size(); ++i) {
        const qc::DownrangePoint& p = table.points[i];
        const qc::DownrangePoint& before = table.points[i - 1];
        EXPECT_LT(p.fps, before.fps) << p.yards;
        EXPECT_LT(p.keFtLb, before.keFtLb) << p.yards;
        EXPECT_LT(p.momentumSlugFtS, before.momentumSlugFtS) << p.yards;
        EXPECT_GT(p.timeS, before.timeS) << p.yards;
        if (p.yards > 20) {
            EXPECT_GT(p.dropIn, before.dropIn) << p.yards;
            EXPECT_GT(p.dropIn, vacuum.points[i].dropIn) << "drag adds drop at " << p.yards;
        }
    }
    ASSERT_EQ(table.pinGaps.size(), 4u);
    for (std::size_t i = 0; i < table.pinGaps.size(); ++i) {
        EXPECT_GT(table.pinGaps[i].gapIn, i == 0 ? 0.0 : table.pinGaps[i - 1].gapIn);
    }
}

TEST(ArrowDrag, ScalesFromTheTrajectoryTablesArrow) {
    const qc::ArrowDrag reference = qc::ArrowDrag::reference();
    const qc::ArrowDrag same = qc::ArrowDrag::of(0.300, 30, 15);
    EXPECT_EQ(same.coefficient, 2.0);
    EXPECT_EQ(same.flight(420).dragPerMass(), reference.flight(420).dragPerMass());
    auto dragArea = [](const qc::ArrowDrag& d) { return d.coefficient * d.areaM2(); };
    EXPECT_LT(dragArea(qc::ArrowDrag::of(0.246, 30, 15)), dragArea(reference));
    EXPECT_GT(dragArea(qc::ArrowDrag::of(0.300, 30, 30)), dragArea(reference));
    EXPECT_LT(dragArea(qc::ArrowDrag::of(0.300, 27, 15)), dragArea(reference));
    // A bare shaft keeps the shaft's three quarters.
    EXPECT_NEAR(dragArea(qc::ArrowDrag::of(0.300, 30, 0)), 0.75 * dragArea(reference), 1e-15);
}

// --- the arrow -------------------------------------------------------------------------

TEST(ArrowAssembly, TotalsAndBalancesTheParts) {
    // 29 in of 9 gr/in, 100 gr point, 28 gr insert, 19 gr nock and bushing, 18 gr vanes.
    const qc::ArrowAssembly arrow{29, 9, 100, 28, 19, 18};
    EXPECT_DOUBLE_EQ(arrow.totalGr(), 426);
    const double moment = 261 * 14.5 + 100 * 29 + 28 * 28.5 + 18 * 3.0;
    EXPECT_NEAR(arrow.estimatedBalanceIn(), moment / 426, 1e-12);
    EXPECT_NEAR(qc::frontOfCenterPercent(29, arrow.estimatedBalanceIn()), 11.0, 0.01);
}

// --- spine check -----------------------------------------------------------------------

sel::ChartSetup huntCompound(double weight, double length) {
    sel::ChartSetup s;
    s.weight = weight;
    s.arrowLength = length;
    return s;
}

TEST(SpineCheck, RequiresTheDemandOfTheRowItLandsOn) {
    // 59 lb is the middle of band 6 (57-61): exactly row 13 with 30 in.
    const auto anchor = qc::checkSpine(huntCompound(59, 30), 0.400);
    ASSERT_TRUE(anchor);
    EXPECT_DOUBLE_EQ(anchor->row, 13.0);
    EXPECT_DOUBLE_EQ(anchor->requiredIn, 0.400);
    EXPECT_EQ(anchor->verdict, "matches the chart");
    EXPECT_DOUBLE_EQ(anchor->marginPercent, 0.0);
    // Half an inch more arrow is half a row further: 0.93^0.5 of the demand.
    EXPECT_NEAR(qc::checkSpine(huntCompound(59, 30.5), 0.4)->requiredIn, 0.4 * std::sqrt(0.93),
                1e-12);

    sel::ChartSetup recurve = huntCompound(59, 30);
    recurve.page = sel::Page::Targ;
    recurve.bowType = 1;
    sel::ChartSetup targetCompound = recurve;
    targetCompound.bowType = 0;
    targetCompound.weight = 58;  // band 8 (56-60) of the hard-cam column, like the recurve's 58
    recurve.weight = 58;
    EXPECT_NEAR(qc::checkSpine(recurve, 0.5)->requiredIn,
                qc::checkSpine(targetCompound, 0.5)->requiredIn * 1.15, 1e-12);
}

TEST(SpineCheck, VerdictAndMarginOutsideTheChartsTolerance) {
    const double widen = 1.25 / std::sqrt(0.93);
    const auto edgeWeak = qc::checkSpine(huntCompound(59, 30), 0.400 * widen);
    EXPECT_EQ(edgeWeak->verdict, "matches the chart");
    const auto weak = qc::checkSpine(huntCompound(59, 30), 0.400 * widen * 1.01);
    EXPECT_LT(weak->marginPercent, 0.0);
    EXPECT_EQ(weak->verdict, "weak by 24%");  // 0.4 / 0.5236 - 1 = -23.6 %, shown whole
    const auto stiff = qc::checkSpine(huntCompound(59, 30), 0.300);
    EXPECT_NEAR(stiff->marginPercent, 100.0 / 3, 1e-9);
    EXPECT_EQ(stiff->verdict, "stiff by 33%");
    EXPECT_TRUE(stiff->onChart);
    EXPECT_FALSE(qc::checkSpine(huntCompound(120, 33), 0.300)->onChart);
    sel::ChartSetup noCam = huntCompound(59, 30);
    noCam.camType = 5;
    EXPECT_FALSE(qc::checkSpine(noCam, 0.3));
}

// --- the sheet -------------------------------------------------------------------------

qc::BuildSheetInput weighedArrow(const qc::Bow& bow, double grains) {
    qc::BuildSheetInput in;
    in.bow = bow;
    in.arrow.weighedGr = grains;
    return in;
}

qc::BuildSheetInput builtArrow() {
    qc::BuildSheetInput in;
    in.bow = compound(340, 70, 28);
    in.arrow.shaft = qc::ShaftRecord{"340CH", "340", "CH", 0.340, 9.26, 0.301};
    in.arrow.lengthIn = 29;
    in.arrow.pointGr = 100;
    in.arrow.insertGr = 15;
    in.arrow.nockGr = 9;
    in.arrow.fletchingGr = 15;
    return in;
}

std::optional<qc::InputField> firstFault(const qc::BuildSheetInput& in) {
    const qc::BuildSheet sheet = qc::computeBuildSheet(in);
    if (sheet.ok()) return std::nullopt;
    return sheet.errors.front().field;
}

TEST(BuildSheet, NamesTheInputOfEachFault) {
    qc::BuildSheetInput in = weighedArrow(compound(340, 70, 6.5), 420);
    const qc::BuildSheet underBrace = qc::computeBuildSheet(in);
    ASSERT_FALSE(underBrace.ok());
    EXPECT_EQ(underBrace.errors.front().field, qc::InputField::DrawLength);
    EXPECT_EQ(underBrace.errors.front().message,
              "The draw length (6.5 in) is under the brace height (7 in).");
    in.bow.drawLengthIn = 8.5;  // above the brace height, but no power stroke
    EXPECT_EQ(firstFault(in), qc::InputField::DrawLength);
    in.bow.drawLengthIn = 48;
    EXPECT_EQ(firstFault(in), qc::InputField::DrawLength);

    in = weighedArrow(compound(340, 70, 28), -1);
    EXPECT_EQ(firstFault(in), qc::InputField::ArrowWeight);
    in = weighedArrow(compound(340, 70, 28), 1e-3);  // would stop in the air within inches
    EXPECT_EQ(firstFault(in), qc::InputField::ArrowWeight);
    in = weighedArrow(compound(340, 1e300, 28), 400);
    EXPECT_EQ(firstFault(in), qc::InputField::DrawWeight);
    in = weighedArrow(compound(340, 0, 28), 400);
    EXPECT_EQ(firstFault(in), qc::InputField::DrawWeight);
    in = weighedArrow(traditional(qc::BowType::Compound, 70, 28), 400);
    EXPECT_EQ(firstFault(in), qc::InputField::Rating);
    in = builtArrow();
    in.arrow.pointGr = -5;
    EXPECT_EQ(firstFault(in), qc::InputField::Point);
    in = builtArrow();
    in.arrow.balanceIn = 30;
    EXPECT_EQ(firstFault(in), qc::InputField::Balance);
    in = builtArrow();
    in.arrow.shaft.reset();
    EXPECT_EQ(firstFault(in), qc::InputField::Shaft);
    in = builtArrow();
    in.bow.stringAccessoriesGr = -2;
    EXPECT_EQ(firstFault(in), qc::InputField::StringWeight);
}

TEST(BuildSheet, WarnsUnderTheMinimumGrainsPerPound) {
    auto warned = [](const qc::BuildSheetInput& in) {
        return !qc::computeBuildSheet(in).warnings.empty();
    };
    EXPECT_TRUE(warned(weighedArrow(compound(340, 70, 28), 349.9)));
    EXPECT_FALSE(warned(weighedArrow(compound(340, 70, 28), 350)));
    EXPECT_TRUE(warned(weighedArrow(traditional(qc::BowType::Recurve, 50, 28), 399)));
    EXPECT_FALSE(warned(weighedArrow(traditional(qc::BowType::Recurve, 50, 28), 400)));
    EXPECT_TRUE(warned(weighedArrow(traditional(qc::BowType::Longbow, 50, 28), 399)));
}

TEST(BuildSheet, BuiltArrowGetsEverySection) {
    const qc::BuildSheet s = qc::computeBuildSheet(builtArrow());
    ASSERT_TRUE(s.ok());
    EXPECT_DOUBLE_EQ(s.arrowWeightGr, 29 * 9.26 + 100 + 15 + 9 + 15);
    EXPECT_DOUBLE_EQ(s.grainsPerPound, s.arrowWeightGr / 70);
    ASSERT_TRUE(s.ruleFps);
    EXPECT_NEAR(*s.ruleFps, 340 - 20 - (s.arrowWeightGr - 350) / 3, 1e-9);
    EXPECT_EQ(s.downrange.points.front().fps, s.energyFps);
    EXPECT_TRUE(s.balanceEstimated);
    ASSERT_TRUE(s.focPercent && s.spine);
    EXPECT_EQ(s.spine->verdict, "matches the chart");
    // Metric figures by exact SI units; the ft-lb figure carries the 32.16
    // ft/s^2 of the shop constant, 0.04 % from standard gravity.
    EXPECT_NEAR(s.metric.kineticEnergyJ / (s.kineticEnergyFtLb * qc::units::kJoulesPerFootPound),
                1.0, 6e-4);
    EXPECT_DOUBLE_EQ(s.metric.arrowGrams, s.arrowWeightGr * 0.06479891);

    qc::BuildSheetInput measured = builtArrow();
    measured.arrow.balanceIn = 18;
    const qc::BuildSheet m = qc::computeBuildSheet(measured);
    EXPECT_FALSE(m.balanceEstimated);
    EXPECT_DOUBLE_EQ(*m.focPercent, qc::frontOfCenterPercent(29, 18));

    qc::BuildSheetInput longbow = builtArrow();
    longbow.bow = traditional(qc::BowType::Longbow, 50, 28);
    longbow.chart.page = sel::Page::Targ;
    const qc::BuildSheet lb = qc::computeBuildSheet(longbow);
    ASSERT_TRUE(lb.ok());
    EXPECT_FALSE(lb.ruleFps);
    ASSERT_FALSE(lb.warnings.empty());
    EXPECT_NE(lb.warnings.back().find("no longbow column"), std::string::npos);
}

// Messages carry numbers with a point whatever the process locale says.
TEST(BuildSheet, IgnoresTheProcessLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
    }
    qc::BuildSheetInput in = weighedArrow(compound(340, 70, 6.5), 420);
    in.bow.braceHeightIn = 7.25;
    const qc::BuildSheet faulty = qc::computeBuildSheet(in);
    const qc::BuildSheet light = qc::computeBuildSheet(weighedArrow(compound(340, 70, 28), 300.5));
    std::setlocale(LC_ALL, saved.c_str());
    ASSERT_FALSE(faulty.ok());
    EXPECT_EQ(faulty.errors.front().message,
              "The draw length (6.5 in) is under the brace height (7.25 in).");
    ASSERT_FALSE(light.warnings.empty());
    EXPECT_EQ(light.warnings.front().rfind("At 4.29 grains per pound", 0), 0u)
        << light.warnings.front();
}

}  // namespace
