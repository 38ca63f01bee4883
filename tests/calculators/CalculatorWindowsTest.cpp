// The kinetic energy/FOC calculator and the trajectory window, driven
// offscreen through their controls.
#include "CalculatorWindows.h"
#include "FrontOfCenter.h"
#include "KillWindowDiagram.h"
#include "MessageBox.h"
#include "ModalPattern.h"
#include "PictureCycler.h"
#include "QStringPrinter.h"
#include "TKECalc2.h"
#include "TTrajectory.h"
#include "TableStore.h"

#include <QAccessible>
#include <QApplication>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <clocale>

namespace qc = quivra::calculators;
namespace qs = quivra::shell;
namespace fs = std::filesystem;

namespace {

fs::path toPath(const QString& s) {
    return fs::path(s.toStdU32String());
}

// Synthetic trajectory figures, distinct per combination.
int velFor(int v, int w, int d) {
    return v - d / 2 - (w - 350) / 25;
}
int lowFor(int v, int d) {
    return d - (v - 160) / 4;
}
int highFor(int v, int d) {
    return d + (v - 160) / 20;
}

class CalculatorWindows : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_data = toPath(m_dir.path());
        fs::create_directories(m_data / "pictures");
        for (const char* list : {"ke_small_", "ke_medium_", "ke_big_", "ke_tough_", "ke_tanks_"}) {
            for (int n = 1; n <= 3; ++n) {
                QImage frame(150, 150, QImage::Format_RGB32);
                frame.fill(QColor::fromHsv(n * 100, 200, 200));
                frame.save(m_dir.filePath(QStringLiteral("pictures/%1%2.jpg").arg(list).arg(n)));
            }
        }
        qs::MessageBox::setAutoAnswer(true);
        qs::MessageBox::clearShownTexts();
    }
    void TearDown() override {
        qs::MessageBox::setAutoAnswer(false);
        qs::setDialogObserver({});
    }

    void writeTrajectoryTable() {
        using quivra::storage::TableStore;
        const fs::path file = m_data / "Newtraj.dbf";
        ASSERT_TRUE(TableStore::create(
            file, {{"VEL", 'N', 3, 0}, {"LOW", 'N', 3, 0}, {"HIGH", 'N', 3, 0}}));
        TableStore table(file);
        ASSERT_TRUE(table.open());
        for (int w = 350; w <= 650; w += 50) {
            for (int v = 180; v <= 300; v += 20) {
                for (int d = 20; d <= 60; d += 10) {
                    ASSERT_TRUE(table.appendBlank());
                    ASSERT_TRUE(table.setFieldText("VEL", std::to_string(velFor(v, w, d))));
                    ASSERT_TRUE(table.setFieldText("LOW", std::to_string(lowFor(v, d))));
                    ASSERT_TRUE(table.setFieldText("HIGH", std::to_string(highFor(v, d))));
                    ASSERT_TRUE(table.post());
                }
            }
        }
    }

    template <class T>
    static T* child(QWidget* w, const char* name) {
        T* found = w->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QTemporaryDir m_dir;
    fs::path m_data;
};

// --- kinetic energy and FOC ----------------------------------------------------

TEST_F(CalculatorWindows, StartsWithTheInitialFigures) {
    qc::TKECalc2 calc(m_data);
    EXPECT_EQ(calc.windowTitle(), "2012 Kinetic Energy and Front of Center Calculators");
    auto* pages = child<QTabWidget>(&calc, "PageControl1");
    ASSERT_EQ(pages->count(), 2);
    EXPECT_EQ(pages->tabText(0), "Kinetic Energy");
    EXPECT_EQ(pages->tabText(1), "Front of Center");
    EXPECT_EQ(child<QSpinBox>(&calc, "GrainWt")->value(), 400);
    EXPECT_EQ(child<QSpinBox>(&calc, "Velocity")->value(), 200);
    EXPECT_EQ(child<QSpinBox>(&calc, "Velocity")->singleStep(), 10);
    EXPECT_EQ(child<QSpinBox>(&calc, "GrainWt")->maximum(), 9999);
    EXPECT_DOUBLE_EQ(child<QDoubleSpinBox>(&calc, "FSpinLenEdit")->value(), 30.0);
    EXPECT_DOUBLE_EQ(child<QDoubleSpinBox>(&calc, "FSpinBalEdit")->value(), 15.0);
    EXPECT_EQ(child<QLabel>(&calc, "Label6")->text(), "35.54");
    EXPECT_TRUE(child<QLabel>(&calc, "Label9")->text().isEmpty());
    auto* bar = child<QProgressBar>(&calc, "ALProgressBar1");
    EXPECT_EQ(bar->value(), 35);
    EXPECT_EQ(bar->orientation(), Qt::Vertical);
    EXPECT_FALSE(bar->isTextVisible());
    auto* animator = child<quivra::info::PictureCycler>(&calc, "Animator1");
    EXPECT_EQ(calc.animationList(), "MediumImg");
    EXPECT_TRUE(animator->isRunning());
    EXPECT_EQ(animator->interval(), 3000);
    EXPECT_EQ(animator->pictureCount(), 3);
    EXPECT_EQ(animator->size(), QSize(150, 150));
}

struct EnergyCase {
    int weight;
    int velocity;
    const char* text;
    int bar;
    const char* list;
};

TEST_F(CalculatorWindows, CalculatesEnergyBarAndPictures) {
    const EnergyCase cases[] = {
        {450, 300, "89.95", 89, "ToughImg"},   {400, 200, "35.54", 35, "MediumImg"},
        {300, 150, "14.99", 14, "SmallImg"},   {500, 240, "63.97", 63, "BigImg"},
        {751, 300, "150.12", 100, "ToughImg"}, {9999, 9999, "2220371.42", 100, "Tanks"},
    };
    qc::TKECalc2 calc(m_data);
    for (const auto& c : cases) {
        child<QSpinBox>(&calc, "GrainWt")->setValue(c.weight);
        child<QSpinBox>(&calc, "Velocity")->setValue(c.velocity);
        child<QPushButton>(&calc, "KECalcBtn")->click();
        EXPECT_EQ(child<QLabel>(&calc, "Label6")->text(), c.text) << c.weight << "/" << c.velocity;
        EXPECT_EQ(child<QProgressBar>(&calc, "ALProgressBar1")->value(), c.bar);
        EXPECT_EQ(calc.animationList(), c.list);
    }
    EXPECT_TRUE(qs::MessageBox::shownTexts().isEmpty());
}

TEST_F(CalculatorWindows, ZeroFieldsGiveOneMessageAndChangeNothing) {
    qc::TKECalc2 calc(m_data);
    child<QSpinBox>(&calc, "GrainWt")->setValue(0);
    child<QSpinBox>(&calc, "Velocity")->setValue(0);
    child<QPushButton>(&calc, "KECalcBtn")->click();
    EXPECT_EQ(qs::MessageBox::shownTexts(),
              QStringList{"Zero is invalid, please enter a whole number."});
    EXPECT_EQ(child<QLabel>(&calc, "Label6")->text(), "35.54");
    EXPECT_EQ(child<QProgressBar>(&calc, "ALProgressBar1")->value(), 35);
}

TEST_F(CalculatorWindows, EmptyWholeNumberFieldIsAConversionError) {
    qc::TKECalc2 calc(m_data);
    child<QSpinBox>(&calc, "GrainWt")->findChild<QLineEdit*>()->clear();
    child<QPushButton>(&calc, "KECalcBtn")->click();
    EXPECT_EQ(qs::MessageBox::shownTexts(), QStringList{"'' is not a valid integer value"});
    EXPECT_EQ(child<QLabel>(&calc, "Label6")->text(), "35.54");
}

struct FocCase {
    double length;
    double balance;
    const char* text;
};

TEST_F(CalculatorWindows, FrontOfCenterUsesPointWhateverTheLocale) {
    const FocCase cases[] = {
        {30, 18, "10%"},  {30, 17.5, "8.3%"},    {30, 12, "-10%"},
        {28, 15.4, "5%"}, {27.5, 15.25, "5.4%"},
    };
    qc::TKECalc2 calc(m_data);
    for (const auto& c : cases) {
        child<QDoubleSpinBox>(&calc, "FSpinLenEdit")->setValue(c.length);
        child<QDoubleSpinBox>(&calc, "FSpinBalEdit")->setValue(c.balance);
        child<QPushButton>(&calc, "FOCCalcBtn")->click();
        EXPECT_EQ(child<QLabel>(&calc, "Label9")->text(), c.text) << c.length << "/" << c.balance;
    }
    EXPECT_EQ(child<QDoubleSpinBox>(&calc, "FSpinBalEdit")->text(), "15.25");
}

// Mend: the FOC fields have no limits; a balance point behind the nock or
// a long arrow gives its percentage, not a clamped one.
TEST_F(CalculatorWindows, FrontOfCenterFieldsTakeAnyNumberNegativesIncluded) {
    const struct {
        const char* length;
        const char* balance;
        const char* text;
    } cases[] = {{"30", "-5", "-66.6%"}, {"-30", "15", "-100%"}, {"12000", "6600", "5%"}};
    qc::TKECalc2 calc(m_data);
    for (const auto& c : cases) {
        for (const auto& [name, typed] :
             {std::pair{"FSpinLenEdit", c.length}, std::pair{"FSpinBalEdit", c.balance}}) {
            QLineEdit* editor = child<QDoubleSpinBox>(&calc, name)->findChild<QLineEdit*>();
            editor->selectAll();
            editor->insert(QString::fromLatin1(typed));  // as typed: the validator applies
            EXPECT_EQ(editor->text(), typed);
        }
        child<QPushButton>(&calc, "FOCCalcBtn")->click();
        EXPECT_EQ(child<QLabel>(&calc, "Label9")->text(), c.text) << c.length << "/" << c.balance;
    }
}

// Each result is announced with its caption, and the announcement follows
// the result.
TEST_F(CalculatorWindows, ResultsAreAnnouncedWithTheirCaptions) {
    qc::TKECalc2 calc(m_data);
    const auto announced = [&calc](const char* name) {
        QAccessibleInterface* iface =
            QAccessible::queryAccessibleInterface(child<QLabel>(&calc, name));
        return iface->text(QAccessible::Name) + " = " + iface->text(QAccessible::Value);
    };
    EXPECT_EQ(announced("Label6"), "Kinetic Energy (Foot Lbs.) = 35.54");
    EXPECT_EQ(announced("Label9"), "Front-of-Center Percent: = ");
    child<QSpinBox>(&calc, "GrainWt")->setValue(450);
    child<QSpinBox>(&calc, "Velocity")->setValue(300);
    child<QPushButton>(&calc, "KECalcBtn")->click();
    child<QPushButton>(&calc, "FOCCalcBtn")->click();
    EXPECT_EQ(announced("Label6"), "Kinetic Energy (Foot Lbs.) = 89.95");
    EXPECT_EQ(announced("Label9"), "Front-of-Center Percent: = 0%");

    writeTrajectoryTable();
    qc::TTrajectory window(m_data);
    window.show();
    const auto figure = [](QLabel* label) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(label);
        return iface->text(QAccessible::Name) + " = " + iface->text(QAccessible::Value);
    };
    EXPECT_EQ(figure(child<QLabel>(&window, "Label8")), "Kill Window Depth (Yards): = 24");
    EXPECT_EQ(figure(window.diagram()->highLabel()), "Nearest Range = 20");
    EXPECT_EQ(figure(window.diagram()->lowLabel()), "Extreme Range = 44");
    child<QSpinBox>(&window, "VelocitySpin")->setValue(180);
    EXPECT_EQ(figure(window.diagram()->highLabel()),
              "Nearest Range = " + QString::number(lowFor(180, 40)));
}

TEST_F(CalculatorWindows, ZeroArrowLengthIsRefusedWithAMessage) {
    qc::TKECalc2 calc(m_data);
    child<QPushButton>(&calc, "FOCCalcBtn")->click();
    ASSERT_EQ(child<QLabel>(&calc, "Label9")->text(), "0%");
    child<QDoubleSpinBox>(&calc, "FSpinLenEdit")->setValue(0.0);
    child<QPushButton>(&calc, "FOCCalcBtn")->click();
    EXPECT_EQ(qs::MessageBox::shownTexts(),
              QStringList{QString::fromLatin1(qc::kZeroLengthMessage.data(),
                                              static_cast<int>(qc::kZeroLengthMessage.size()))});
    EXPECT_EQ(child<QLabel>(&calc, "Label9")->text(), "0%");
}

TEST_F(CalculatorWindows, EachOpeningIsAFreshWindow) {
    int opened = 0;
    qs::setDialogObserver([&](QDialog* dialog) {
        ++opened;
        QTimer::singleShot(0, dialog, [dialog, &opened] {
            auto* weight = dialog->findChild<QSpinBox*>(QStringLiteral("GrainWt"));
            EXPECT_EQ(weight->value(), 400) << "opening " << opened;
            EXPECT_EQ(dialog->focusWidget(), weight);
            weight->setValue(555);
            dialog->findChild<QPushButton*>(QStringLiteral("KECloseBtn"))->click();
        });
    });
    qc::openKECalculator(nullptr, m_data);
    qc::openKECalculator(nullptr, m_data);
    EXPECT_EQ(opened, 2);
}

// --- trajectory ------------------------------------------------------------------

TEST_F(CalculatorWindows, TrajectoryShowsTheChosenRecord) {
    writeTrajectoryTable();
    qc::TTrajectory window(m_data);
    EXPECT_EQ(window.windowTitle(), "Quivra Plus");
    window.show();  // the first fill runs when the window is shown
    auto* diagram = window.diagram();
    EXPECT_EQ(child<QLabel>(&window, "Label10")->text(), QString::number(velFor(240, 450, 40)));
    EXPECT_EQ(diagram->highLabel()->text(), "20");
    EXPECT_EQ(diagram->lowLabel()->text(), "44");
    EXPECT_EQ(child<QLabel>(&window, "Label8")->text(), "24");
    EXPECT_EQ(child<QLabel>(&window, "Label17")->text(), "40");
    EXPECT_EQ(diagram->nearMarker()->x(), 191);  // 20 yards short: at the limit
    EXPECT_EQ(diagram->farMarker()->x(), 536);
    EXPECT_EQ(diagram->bar()->x(), 191);
    EXPECT_EQ(diagram->bar()->width(), 536 - 191 + 2);
    EXPECT_EQ(diagram->highLabel()->x(), 182);
    EXPECT_EQ(diagram->lowLabel()->x(), 527);

    // One step of each input: distance, then velocity, then weight.
    child<QSpinBox>(&window, "DistanceSpin")->stepBy(1);
    EXPECT_EQ(child<QLabel>(&window, "Label17")->text(), "50");
    EXPECT_EQ(child<QLabel>(&window, "Label10")->text(), QString::number(velFor(240, 450, 50)));
    child<QSpinBox>(&window, "VelocitySpin")->setValue(180);
    EXPECT_EQ(diagram->highLabel()->text(), QString::number(lowFor(180, 50)));
    EXPECT_EQ(diagram->nearMarker()->x(), 391 - 10 * 5);
    EXPECT_EQ(diagram->farMarker()->x(), 496 + 10 * 1);
    child<QSpinBox>(&window, "WeightSpin")->setValue(650);
    EXPECT_EQ(child<QLabel>(&window, "Label10")->text(), QString::number(velFor(180, 650, 50)));
    child<QSpinBox>(&window, "VelocitySpin")->setValue(300);
    child<QSpinBox>(&window, "DistanceSpin")->setValue(60);
    EXPECT_EQ(child<QLabel>(&window, "Label10")->text(), QString::number(velFor(300, 650, 60)));
    EXPECT_TRUE(qs::MessageBox::shownTexts().isEmpty());
}

TEST_F(CalculatorWindows, TrajectoryInputsChangeOnlyByTheirArrows) {
    writeTrajectoryTable();
    qc::TTrajectory window(m_data);
    struct Range {
        const char* name;
        int min, max, step, value;
    };
    for (const Range& r :
         {Range{"VelocitySpin", 180, 300, 20, 240}, Range{"WeightSpin", 350, 650, 50, 450},
          Range{"DistanceSpin", 20, 60, 10, 40}}) {
        auto* spin = child<QSpinBox>(&window, r.name);
        EXPECT_EQ(spin->minimum(), r.min);
        EXPECT_EQ(spin->maximum(), r.max);
        EXPECT_EQ(spin->singleStep(), r.step);
        EXPECT_EQ(spin->value(), r.value);
        EXPECT_TRUE(spin->findChild<QLineEdit*>()->isReadOnly()) << r.name;
    }
    EXPECT_EQ(child<QPushButton>(&window, "ExitBtn1")->text(), "&Close");
}

TEST_F(CalculatorWindows, MissingTrajectoryTableIsReportedAndTheWindowStillOpens) {
    qc::TTrajectory window(m_data);
    const QStringList creation = qs::MessageBox::shownTexts();
    ASSERT_EQ(creation.size(), 1);
    EXPECT_TRUE(creation.front().contains("Newtraj.dbf")) << creation.front().toStdString();
    qs::MessageBox::clearShownTexts();
    window.VelocitySpinChange();
    EXPECT_EQ(qs::MessageBox::shownTexts(), QStringList{"'' is not a valid integer value"});
    EXPECT_TRUE(child<QLabel>(&window, "Label10")->text().isEmpty());
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Every figure must come out with "." under a locale that writes ",".
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
