// The small widgets of the main window on their own, and the start-up.

#include "AppTestSupport.h"

#include "ChoiceGroup.h"
#include "Startup.h"
#include "TSplashV.h"
#include "UpDown.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>

namespace quivra::app::test {
namespace {

struct StepCase {
    const char* name;
    const char* text;
    int steps;
    const char* expected;
};

class UpDownStepTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(UpDownStepTest, StepsFromTheTextWithinTheRange) {
    QLineEdit field;
    UpDown arrows(65, 160, 5, 100);
    arrows.setBuddy(&field);
    field.setText(QString::fromLatin1(GetParam().text));
    arrows.stepBy(GetParam().steps);
    EXPECT_EQ(field.text(), QString::fromLatin1(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    PointWeight, UpDownStepTest,
    ::testing::Values(StepCase{"Up", "100", 1, "105"}, StepCase{"Down", "100", -1, "95"},
                      StepCase{"TypedOffStep", "103", 1, "108"},
                      StepCase{"StopsAtMaximum", "158", 1, "160"},
                      StepCase{"StopsAtMinimum", "65", -1, "65"},
                      StepCase{"TypedAboveRangeComesBackIn", "200", -1, "155"},
                      StepCase{"TypedBelowRangeComesBackIn", "10", 1, "70"},
                      StepCase{"NotANumberStepsFromTheLastPosition", "abc", 1, "105"},
                      StepCase{"EmptyStepsFromTheLastPosition", "", -1, "95"}),
    [](const ::testing::TestParamInfo<StepCase>& p) { return p.param.name; });

TEST(UpDownTest, DisabledArrowsDoNotStep) {
    QLineEdit field(QStringLiteral("100"));
    UpDown arrows(65, 160, 5, 100);
    arrows.setBuddy(&field);
    arrows.setEnabled(false);
    arrows.stepBy(1);
    EXPECT_EQ(field.text(), QStringLiteral("100"));
}

TEST(ChoiceGroupTest, RaisesClickedOnlyWhenTheSelectionChanges) {
    ChoiceGroup group(QStringLiteral("G"), {}, {QStringLiteral("A"), QStringLiteral("B")},
                      QStringLiteral("Group"));
    QSignalSpy clicked(&group, &ChoiceGroup::clicked);
    group.setItemIndex(1);
    EXPECT_EQ(clicked.count(), 1);
    group.setItemIndex(1);
    EXPECT_EQ(clicked.count(), 1);
    group.item(0)->click();  // as the user does
    EXPECT_EQ(group.itemIndex(), 0);
    EXPECT_EQ(clicked.count(), 2);
    group.setItemIndex(-1);
    EXPECT_EQ(group.itemIndex(), -1);
    EXPECT_EQ(clicked.count(), 3);
    group.setItemIndex(7);  // outside the items: stays cleared
    EXPECT_EQ(clicked.count(), 3);
    EXPECT_EQ(group.accessibleName(), QStringLiteral("Group"));
}

TEST(SplashTest, DrawsABrandedPanelWhenThePictureIsMissing) {
    TSplashV splash(std::filesystem::path("no-such-folder") / "splash.jpg");
    EXPECT_FALSE(splash.hasPicture());
    EXPECT_EQ(splash.size(), QSize(TSplashV::kFallbackWidth, TSplashV::kFallbackHeight));
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    const QImage shot = splash.grab().toImage();
    EXPECT_NE(shot.pixel(10, 10), shot.pixel(shot.width() / 2, shot.height() / 2 - 20));
}

TEST(SplashTest, TakesTheSizeOfItsPicture) {
    QTemporaryDir dir;
    const std::filesystem::path file = std::filesystem::path(dir.path().toStdString()) / "s.jpg";
    QImage picture(320, 200, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    ASSERT_TRUE(picture.save(QString::fromStdString(file.string()), "JPG"));
    TSplashV splash(file);
    EXPECT_TRUE(splash.hasPicture());
    EXPECT_EQ(splash.size(), QSize(320, 200));
}

TEST(StartupTest, SplashIsGoneBeforeTheMainWindowShows) {
    QTemporaryDir dir;
    const auto data = makeDataCopy(dir);
    if (!data) GTEST_SKIP() << "The delivered tables are missing from " << QUIVRA_TEST_RUN_DIR;
    const std::unique_ptr<TArrowSel> window = startMainWindow(*data);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    for (const QWidget* w : QApplication::topLevelWidgets()) {
        EXPECT_NE(w->objectName(), QStringLiteral("SplashV"));
    }
    EXPECT_EQ(window->searchCount(), 1);
}

}  // namespace
}  // namespace quivra::app::test
