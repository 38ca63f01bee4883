// Rules of the kinetic energy, FOC and trajectory windows.
#include "FrontOfCenter.h"
#include "KineticEnergy.h"
#include "NumberText.h"
#include "TableStore.h"
#include "TempDir.h"
#include "TestTables.h"
#include "TrajectoryRules.h"
#include "TrajectoryTable.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace qc = quivra::calculators;

namespace {

// --- number texts -------------------------------------------------------------

// Results never depend on the process locale.
TEST(NumberText, IgnoresTheProcessLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    bool switched = false;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "nl_NL.UTF-8"}) {
        if (std::setlocale(LC_ALL, name) != nullptr) {
            switched = true;
            break;
        }
    }
    if (!switched) GTEST_SKIP() << "no locale with a decimal comma is installed";
    EXPECT_EQ(quivra::core::decimalText(8.75), "8.75");
    EXPECT_EQ(qc::computeKineticEnergy("400", "200").text, "35.54");
    EXPECT_EQ(qc::computeFrontOfCenter(30, 17.5).text, "8.3%");
    EXPECT_DOUBLE_EQ(*quivra::core::parseDecimal("8.8"), 8.8);
    std::setlocale(LC_ALL, saved.c_str());
}

// --- kinetic energy -----------------------------------------------------------

TEST(KineticEnergy, WorkedExamples) {
    const auto first = qc::computeKineticEnergy("400", "200");
    ASSERT_EQ(first.outcome, qc::KineticEnergy::Outcome::Ok);
    EXPECT_EQ(first.text, "35.54");
    EXPECT_EQ(first.barPosition, 35);
    EXPECT_EQ(first.gameClass, qc::GameClass::Medium);

    const auto second = qc::computeKineticEnergy("450", "300");
    EXPECT_EQ(second.text, "89.95");
    EXPECT_EQ(second.barPosition, 89);
    EXPECT_EQ(second.gameClass, qc::GameClass::Tough);
}

TEST(KineticEnergy, RoundsHalfUpToTwoDecimals) {
    // 450240 / 450240 = 1 exactly: 1.005 shows 1.00, not 1.01 (the cut drops
    // the added 0.005 again), while 35.5366 shows 35.54.
    EXPECT_EQ(qc::computeKineticEnergy("1", "1").text, "0.00");
    EXPECT_EQ(qc::computeKineticEnergy("450240", "1").text, "1.00");
}

struct ClassCase {
    long long whole;
    qc::GameClass expected;
    const char* list;
};

TEST(KineticEnergy, ClassLimits) {
    const ClassCase cases[] = {
        {0, qc::GameClass::Small, "SmallImg"},    {24, qc::GameClass::Small, "SmallImg"},
        {25, qc::GameClass::Medium, "MediumImg"}, {40, qc::GameClass::Medium, "MediumImg"},
        {41, qc::GameClass::Big, "BigImg"},       {64, qc::GameClass::Big, "BigImg"},
        {65, qc::GameClass::Tough, "ToughImg"},   {200, qc::GameClass::Tough, "ToughImg"},
        {201, qc::GameClass::Tanks, "Tanks"},     {5000, qc::GameClass::Tanks, "Tanks"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(qc::gameClassFor(c.whole), c.expected) << c.whole;
        EXPECT_EQ(qc::pictureListName(c.expected), c.list) << c.whole;
    }
}

TEST(KineticEnergy, BarStopsAtOneHundred) {
    // v 300 fps, w 751 gr: 150.1199 + 0.005.
    const auto big = qc::computeKineticEnergy("751", "300");
    EXPECT_EQ(big.text, "150.12");
    EXPECT_EQ(big.whole, 150);
    EXPECT_EQ(big.barPosition, 100);
    EXPECT_EQ(big.gameClass, qc::GameClass::Tough);
    const auto huge = qc::computeKineticEnergy("9999", "9999");
    EXPECT_EQ(huge.barPosition, 100);
    EXPECT_EQ(huge.gameClass, qc::GameClass::Tanks);
}

struct RefusalCase {
    const char* weight;
    const char* velocity;
    qc::KineticEnergy::Outcome outcome;
    const char* message;
};

TEST(KineticEnergy, RefusesZeroAndNonNumbersVelocityFirst) {
    using O = qc::KineticEnergy::Outcome;
    const std::string zero(qc::kZeroInvalidMessage);
    const RefusalCase cases[] = {
        {"0", "0", O::ZeroInvalid, zero.c_str()},
        {"400", "0", O::ZeroInvalid, zero.c_str()},
        {"0", "200", O::ZeroInvalid, zero.c_str()},
        {"400", "-5", O::ZeroInvalid, zero.c_str()},
        {"abc", "0", O::ZeroInvalid, zero.c_str()},  // velocity is tested before the weight is read
        {"400", "", O::ConversionError, "'' is not a valid integer value"},
        {"4.5", "200", O::ConversionError, "'4.5' is not a valid integer value"},
        {"0", "x", O::ConversionError, "'x' is not a valid integer value"},
    };
    for (const auto& c : cases) {
        const auto r = qc::computeKineticEnergy(c.weight, c.velocity);
        EXPECT_EQ(r.outcome, c.outcome) << c.weight << "/" << c.velocity;
        EXPECT_EQ(r.message, c.message) << c.weight << "/" << c.velocity;
        EXPECT_TRUE(r.text.empty());
    }
}

// --- front of centre -----------------------------------------------------------

struct FocCase {
    double length;
    double balance;
    const char* text;
};

TEST(FrontOfCenter, Examples) {
    const FocCase cases[] = {
        {30, 18, "10%"},
        {30, 17.5, "8.3%"},
        {30, 12, "-10%"},
        {30, 15, "0%"},
        {28, 15.4, "5%"},  // mathematically 5: binary rounding must not
                           // show 4.9
        {29, 16.82, "8%"},
        {31.25, 17.5, "6%"},
        {30, 14.99, "0.0%"},  // -0.033 cut to 0.0
        {27.5, 15.25, "5.4%"},
    };
    for (const auto& c : cases) {
        const auto r = qc::computeFrontOfCenter(c.length, c.balance);
        EXPECT_TRUE(r.ok);
        EXPECT_EQ(r.text, c.text) << c.length << "/" << c.balance;
    }
}

TEST(FrontOfCenter, ZeroLengthComputesNothing) {
    const auto r = qc::computeFrontOfCenter(0.0, 15.0);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.text.empty());
    EXPECT_EQ(r.message, qc::kZeroLengthMessage);
}

// --- trajectory ---------------------------------------------------------------

TEST(Trajectory, RecordChoice) {
    EXPECT_EQ(qc::trajectoryRecord(240, 450, 40), 88);
    EXPECT_EQ(qc::trajectoryRecord(180, 350, 20), 1);
    EXPECT_EQ(qc::trajectoryRecord(300, 650, 60), qc::kTrajectoryRecordCount);
    // One step of distance is the next record, of velocity five on, of weight 35 on.
    EXPECT_EQ(qc::trajectoryRecord(240, 450, 50), 89);
    EXPECT_EQ(qc::trajectoryRecord(260, 450, 40), 93);
    EXPECT_EQ(qc::trajectoryRecord(240, 500, 40), 123);
}

TEST(Trajectory, EveryCombinationHasItsOwnRecord) {
    std::vector<int> seen(qc::kTrajectoryRecordCount + 1, 0);
    for (int w = 350; w <= 650; w += 50) {
        for (int v = 180; v <= 300; v += 20) {
            for (int d = 20; d <= 60; d += 10) {
                const int r = qc::trajectoryRecord(v, w, d);
                ASSERT_GE(r, 1);
                ASSERT_LE(r, qc::kTrajectoryRecordCount);
                ++seen[static_cast<std::size_t>(r)];
            }
        }
    }
    for (int r = 1; r <= qc::kTrajectoryRecordCount; ++r)
        EXPECT_EQ(seen[static_cast<std::size_t>(r)], 1) << r;
}

TEST(Trajectory, DiagramPositions) {
    const auto atSight = qc::trajectoryDiagram(40, 40, 40);
    EXPECT_EQ(atSight.nearLeft, 391);
    EXPECT_EQ(atSight.farLeft, 496);
    EXPECT_EQ(atSight.barWidth, 107);

    const auto typical = qc::trajectoryDiagram(40, 31, 46);
    EXPECT_EQ(typical.nearLeft, 301);
    EXPECT_EQ(typical.farLeft, 556);
    EXPECT_EQ(typical.barLeft, 301);
    EXPECT_EQ(typical.barWidth, 257);
    EXPECT_EQ(typical.highLabelLeft, 292);
    EXPECT_EQ(typical.lowLabelLeft, 547);
}

TEST(Trajectory, NearMarkerStopsAtItsLimit) {
    EXPECT_EQ(qc::trajectoryDiagram(40, 21, 45).nearLeft, 201);  // 19 yards short
    EXPECT_EQ(qc::trajectoryDiagram(40, 20, 45).nearLeft, 191);  // 20 yards short
    const auto far = qc::trajectoryDiagram(60, 10, 70);          // 50 yards short
    EXPECT_EQ(far.nearLeft, 191);
    EXPECT_EQ(far.highLabelLeft, 182);
    EXPECT_EQ(far.barWidth, far.farLeft - 191 + 2);
}

// --- trajectory table -----------------------------------------------------------

TEST(TrajectoryTable, ReadsTheRecordOfTheCombinationTrimmed) {
    namespace st = quivra::storage;
    const st::test::TempDir dir;
    const auto file = dir.path() / qc::kTrajectoryFile;
    ASSERT_TRUE(st::TableStore::create(
        file, {{"VEL", 'C', 6, 0}, {"LOW", 'C', 4, 0}, {"HIGH", 'C', 4, 0}}));
    {
        st::TableStore table(file);
        ASSERT_TRUE(table.open());
        for (int record = 1; record <= qc::kTrajectoryRecordCount; ++record) {
            ASSERT_OK(st::test::appendRecord(table, {{"VEL", " " + std::to_string(record)},
                                                     {"LOW", "12"},
                                                     {"HIGH", std::to_string(record % 50)}}));
        }
    }
    qc::TrajectoryTable trajectory(dir.path());
    EXPECT_FALSE(trajectory.isOpen());
    ASSERT_TRUE(trajectory.open());
    const auto window = trajectory.killWindow(240, 500, 40);
    ASSERT_TRUE(window) << window.status().message();
    const int record = qc::trajectoryRecord(240, 500, 40);
    EXPECT_EQ(window->velocity, std::to_string(record));  // blanks trimmed
    EXPECT_EQ(window->nearest, "12");
    EXPECT_EQ(window->farthest, std::to_string(record % 50));
    EXPECT_FALSE(trajectory.killWindow(400, 900, 90));  // past the last record
}

TEST(TrajectoryTable, AMissingFileIsNamed) {
    const quivra::storage::test::TempDir dir;
    qc::TrajectoryTable trajectory(dir.path());
    const quivra::core::Status opened = trajectory.open();
    ASSERT_FALSE(opened);
    EXPECT_NE(opened.message().find(qc::kTrajectoryFile), std::string::npos);
}

}  // namespace
