// The main window's controls: names, captions, items, accessible names, the
// up-down fields, what each page shows and hides, menus, command rows and
// the way out.

#include "AppTestSupport.h"

#include "CarbonPanel.h"
#include "MessageBox.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include "ReportCommandsTesting.h"

#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace quivra::app::test {
namespace {

using core::Page;

QStringList itemTexts(const ChoiceGroup* group) {
    QStringList texts;
    for (int i = 0; i < group->count(); ++i) texts << group->item(i)->text();
    return texts;
}

QStringList actionTexts(const QMenu* menu) {
    QStringList texts;
    for (const QAction* a : menu->actions()) texts << QString(a->text()).remove(QLatin1Char('&'));
    return texts;
}

TEST_F(MainWindowTest, WindowIsAFixedSizeQuivraWindowThatFitsTheScreen) {
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Quivra 2012"));
    EXPECT_EQ(window().minimumSize(), window().maximumSize());
    EXPECT_TRUE(window().windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window().windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_LE(window().width(), 1366);
    EXPECT_LE(window().height(), 768 - 80);  // room for a title bar and a task bar
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((window().frameGeometry().center() - screen.center()).manhattanLength(), 4);
}

TEST_F(MainWindowTest, EveryNamedControlExists) {
    QStringList names{QStringLiteral("BowWeightSpin"),
                      QStringLiteral("YouthBowWtSpin"),
                      QStringLiteral("ArrowLengthSpin"),
                      QStringLiteral("YouthArrowLenSpin"),
                      QStringLiteral("PointWtSpin"),
                      QStringLiteral("BowType"),
                      QStringLiteral("TargBowType"),
                      QStringLiteral("ReleaseType"),
                      QStringLiteral("OverDraw"),
                      QStringLiteral("WheelType"),
                      QStringLiteral("HuntCamType"),
                      QStringLiteral("BraceHt"),
                      QStringLiteral("ShaftsNB"),
                      QStringLiteral("Hunt"),
                      QStringLiteral("Targ"),
                      QStringLiteral("Youth"),
                      QStringLiteral("Kstr"),
                      QStringLiteral("CAWTPanel"),
                      QStringLiteral("Label17"),
                      QStringLiteral("Label9"),
                      QStringLiteral("Label6")};
    for (int n = 1; n <= 5; ++n) names << QStringLiteral("UpDown%1").arg(n);
    const std::array<std::pair<char, int>, 4> grids{{{'H', 16}, {'T', 14}, {'Y', 8}, {'B', 6}}};
    for (const auto& [prefix, count] : grids) {
        for (int n = 1; n <= count; ++n) {
            for (const char* column : {"Sz", "Sp", "Md", "Wt"}) {
                names << QStringLiteral("%1%2Btn%3")
                             .arg(QLatin1Char(prefix))
                             .arg(QLatin1String(column))
                             .arg(n);
            }
        }
    }
    for (const QString& name : names) {
        EXPECT_NE(window().findChild<QWidget*>(name), nullptr) << name.toStdString();
    }
}

TEST_F(MainWindowTest, ChoiceGroupsCarryTheirCaptionsAndItemsExactly) {
    const QString inch = QStringLiteral("\"");
    EXPECT_EQ(itemTexts(inputs().bowType()),
              (QStringList{"Compound Bow", "Recurve Bow", "Modern Longbow"}));
    EXPECT_EQ(itemTexts(inputs().targBowType()), (QStringList{"Compound Bow", "Recurve Bow"}));
    EXPECT_EQ(itemTexts(inputs().releaseType()),
              (QStringList{"Mechanical Release", "Fingers Release"}));
    EXPECT_EQ(inputs().overDraw()->title(), QStringLiteral("OverDraw"));
    EXPECT_EQ(itemTexts(inputs().overDraw()),
              (QStringList{"No", "1" + inch, "2" + inch, "3" + inch, "4" + inch, "5" + inch}));
    EXPECT_EQ(inputs().wheelType()->title(), QStringLiteral("AMO fps"));
    EXPECT_EQ(itemTexts(inputs().wheelType()),
              (QStringList{"Single/Hard Cam over 230 ", "Medium Cam        211-230",
                           "Soft Cam               under 211"}));
    EXPECT_EQ(itemTexts(inputs().huntCamType()), (QStringList{"Single or Hard Cam", "Medium Cam"}));
    EXPECT_EQ(inputs().braceHt()->title(), QStringLiteral("Brace Height"));
    EXPECT_EQ(itemTexts(inputs().braceHt()), (QStringList{"Over 6.5" + inch, "Under 6.5" + inch}));
    for (const ChoiceGroup* group : inputs().groups()) EXPECT_EQ(group->itemIndex(), 0);
}

TEST_F(MainWindowTest, EveryControlHasAnAccessibleNameAndGridCellsADescription) {
    for (QWidget* w : window().findChildren<QWidget*>()) {
        if (qobject_cast<QTabBar*>(w->parentWidget()) ||
            qobject_cast<QMenuBar*>(w->parentWidget())) {
            continue;  // Qt's own scroll and extension arrows
        }
        const bool control =
            qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
            qobject_cast<QGroupBox*>(w) || qobject_cast<QTabWidget*>(w) ||
            qobject_cast<UpDown*>(w) ||
            (qobject_cast<QLabel*>(w) && !qobject_cast<QLabel*>(w)->text().isEmpty()) ||
            w->focusPolicy() != Qt::NoFocus;
        if (!control || w->objectName().startsWith(QLatin1String("qt_"))) continue;
        EXPECT_FALSE(w->accessibleName().isEmpty())
            << w->metaObject()->className() << " " << w->objectName().toStdString();
    }
    const QRegularExpression description(
        QStringLiteral("^(Hunting|Target|Youth|Kestra) slot (\\d+) (size|spine|models|weight)$"));
    for (const Page page : {Page::Hunt, Page::Targ, Page::Youth, Page::Kstr}) {
        for (const SlotButton* b : window().page(page)->slotButtons()) {
            const auto match = description.match(b->accessibleDescription());
            ASSERT_TRUE(match.hasMatch()) << b->objectName().toStdString();
            EXPECT_EQ(match.captured(1), window().page(page)->descriptor().caption);
            EXPECT_EQ(match.captured(2).toInt(), b->slot());
            EXPECT_EQ(b->accessibleName().isEmpty(), false);
        }
    }
    EXPECT_EQ(button(Page::Hunt, 3, SlotColumn::Size)->accessibleDescription(),
              QStringLiteral("Hunting slot 3 size"));
}

TEST_F(MainWindowTest, PointWeightArrowsStepByFiveWithinTheRangeAndTypedValuesStay) {
    UpDown* arrows = inputs().upDown(4);
    QLineEdit* field = inputs().pointWeight();
    QTest::mouseClick(arrows->upButton(), Qt::LeftButton);
    EXPECT_EQ(field->text(), QStringLiteral("105"));
    QTest::mouseClick(arrows->downButton(), Qt::LeftButton);
    QTest::mouseClick(arrows->downButton(), Qt::LeftButton);
    EXPECT_EQ(field->text(), QStringLiteral("95"));

    field->setText(QStringLiteral("65"));
    arrows->stepBy(-1);
    EXPECT_EQ(field->text(), QStringLiteral("65"));
    field->setText(QStringLiteral("160"));
    arrows->stepBy(1);
    EXPECT_EQ(field->text(), QStringLiteral("160"));

    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("103"));
    EXPECT_EQ(field->text(), QStringLiteral("103"));
    EXPECT_EQ(window().engine().current().inputs.pointWeight, "103");
    QTest::keyClick(field, Qt::Key_Up);  // the Up key steps like the arrow
    EXPECT_EQ(field->text(), QStringLiteral("108"));
}

struct PageShows {
    Page page;
    bool adultFields, youthFields, bowType, targBowType, wheelType, huntCamType;
};

class PageSwitchTest : public MainWindowTest, public ::testing::WithParamInterface<PageShows> {};

TEST_P(PageSwitchTest, EachPageShowsItsOwnFields) {
    const PageShows& s = GetParam();
    window().setActivePage(s.page);
    QWidget* panel = window().inputs();
    EXPECT_EQ(inputs().bowWeight()->isVisibleTo(panel), s.adultFields);
    EXPECT_EQ(inputs().arrowLength()->isVisibleTo(panel), s.adultFields);
    EXPECT_EQ(inputs().upDown(1)->isVisibleTo(panel), s.adultFields);
    EXPECT_EQ(inputs().youthBowWeight()->isVisibleTo(panel), s.youthFields);
    EXPECT_EQ(inputs().youthArrowLength()->isVisibleTo(panel), s.youthFields);
    EXPECT_EQ(inputs().upDown(5)->isVisibleTo(panel), s.youthFields);
    EXPECT_EQ(inputs().bowType()->isVisibleTo(panel), s.bowType);
    EXPECT_EQ(inputs().targBowType()->isVisibleTo(panel), s.targBowType);
    EXPECT_EQ(inputs().wheelType()->isVisibleTo(panel), s.wheelType);
    EXPECT_EQ(inputs().huntCamType()->isVisibleTo(panel), s.huntCamType);
    EXPECT_EQ(inputs().pointWeight()->isEnabled(), s.page != Page::Youth);

    window().setActivePage(Page::Hunt);  // and back: the adult fields return
    EXPECT_TRUE(inputs().bowWeight()->isVisibleTo(panel));
    EXPECT_FALSE(inputs().youthBowWeight()->isVisibleTo(panel));
    EXPECT_TRUE(inputs().bowType()->isVisibleTo(panel));
    EXPECT_FALSE(inputs().wheelType()->isVisibleTo(panel));
}

INSTANTIATE_TEST_SUITE_P(
    AllPages, PageSwitchTest,
    ::testing::Values(PageShows{Page::Hunt, true, false, true, false, false, true},
                      PageShows{Page::Targ, true, false, false, true, true, false},
                      // Youth leaves the bow-type groups as the last page left them.
                      PageShows{Page::Youth, false, true, true, false, false, true},
                      PageShows{Page::Kstr, true, false, false, true, false, true}));

TEST_F(MainWindowTest, MenusListTheirCommandsInOrder) {
    const QList<QAction*> top = window().menuBar()->actions();
    ASSERT_EQ(top.size(), 3);
    EXPECT_EQ(actionTexts(top[0]->menu()),
              (QStringList{"Get Setup", "Save Setup", "", "Shop Information",
                           "Save Report as PDF...", "Print Preview...", "", "Exit"}));
    EXPECT_EQ(actionTexts(top[1]->menu()),
              (QStringList{"Kinetic Energy/F.O.C. Calculator", "Arrow Build Sheet...",
                           "Tuning Information", "", "Export Customer Database", "",
                           "Trajectory Table", "Open Tuning Guide (PDF)"}));
    EXPECT_TRUE(window().menuAction(QStringLiteral("Contents1Click"))->isCheckable());
    EXPECT_EQ(QString(top[2]->text()).remove(QLatin1Char('&')), QStringLiteral("About"));
    EXPECT_EQ(top[2]->menu(), nullptr);
}

TEST_F(MainWindowTest, CommandRowsCarryCaptionsAndHintsAndEveryCommandIsLive) {
    for (const Page page : {Page::Hunt, Page::Targ, Page::Youth, Page::Kstr}) {
        const CategoryPage* p = window().page(page);
        const std::array<std::pair<QPushButton*, const char*>, 4> row{{
            {p->printButton(), "Click to Print"},
            {p->saveButton(), "Click to Save Setup"},
            {p->getButton(), "Click to Get Setup"},
            {p->exitButton(), "Click to Exit"},
        }};
        for (const auto& [b, hint] : row) EXPECT_EQ(b->toolTip(), QLatin1String(hint));
        EXPECT_EQ(p->modelsButton()->text(), QStringLiteral("2012 Shaft Models"));
        EXPECT_EQ(p->yearButton()->text(), QStringLiteral("2012"));
        EXPECT_EQ(p->calculatorButton()->accessibleName(),
                  QStringLiteral("Kinetic Energy & FOC Calculator"));
        for (QPushButton* b : {p->printButton(), p->saveButton(), p->getButton(), p->exitButton(),
                               p->modelsButton(), p->yearButton(), p->calculatorButton()}) {
            EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
        }
    }
    for (QAction* a : window().menuBar()->findChildren<QAction*>()) {
        if (a->isSeparator() || a->text().isEmpty()) continue;
        EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
    }
}

TEST_F(MainWindowTest, SaveReportAsPdfWritesTheActivePagesReport) {
    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("target.pdf"));
    window().findChild<QTabWidget*>(QStringLiteral("ShaftsNB"))->setCurrentIndex(1);
    reports::testing::setNextSaveFileName(pdf);
    window().menuAction(QStringLiteral("SaveReportPdfClick"))->trigger();
    reports::testing::reset();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly))
        << shell::MessageBox::shownTexts().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(file.read(5).startsWith("%PDF"));
    file.close();

    // The report is the Target page's, not the Hunting page's.
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    if (!text.waitForFinished(30000) || text.exitCode() != 0) {
        GTEST_SKIP() << "pdftotext (poppler-utils) cannot be run";
    }
    const QString words = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(words.contains(QStringLiteral("2012 Target Shafts"))) << words.toStdString();
    EXPECT_FALSE(words.contains(QStringLiteral("2012 Hunting Shafts")));
}

TEST_F(MainWindowTest, ExitButtonEndsWithoutAQuestion) {
    QTest::mouseClick(window().page(Page::Targ)->exitButton(), Qt::LeftButton);
    EXPECT_FALSE(window().isVisible());
    EXPECT_TRUE(shell::MessageBox::shownTexts().isEmpty());
}

TEST_F(MainWindowTest, FileExitEndsWithoutAQuestion) {
    window().menuAction(QStringLiteral("ExitBtn1Click"))->trigger();
    EXPECT_FALSE(window().isVisible());
    EXPECT_TRUE(shell::MessageBox::shownTexts().isEmpty());
}

}  // namespace
}  // namespace quivra::app::test
