// The arrow weight builder on a small shaft catalogue of its own.
#include "CatalogueTable.h"
#include "MessageBox.h"
#include "ModalPattern.h"
#include "QStringPrinter.h"
#include "ShaftDetails.h"
#include "TSpecsFrm.h"

#include <QAccessible>
#include <QApplication>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <vector>

namespace qd = quivra::details;
namespace qs = quivra::shell;
namespace fs = std::filesystem;

namespace {

struct SpecRow {
    const char* size;
    const char* keySpine;
    const char* models;
    const char* gpi;
    const char* point;
    const char* nock;
    const char* vane;
    const char* insert;
    const char* type;
};

const SpecRow kRows[] = {
    {"2213", "M4", "KV,M4", "9.30,9.50", "125", "10", "15", "18", "Aluminum M4 alloy"},
    {"400", "CH", "CH", "8.8", "100", "10", "15", "12", "Carbon hunting"},
    {"1516", "YA", "YA", "6.20", "60", "8", "12", "9", "Youth aluminum"},
};

class SpecsFrmTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_data = fs::path(m_dir.path().toStdU32String());
        std::vector<quivra::storage::test::CatalogueRow> rows;
        for (const SpecRow& row : kRows) {
            rows.push_back({row.size, row.keySpine, "0.400", row.models, row.models, row.gpi,
                            row.point, row.nock, row.vane, row.insert, row.type, "0.344\"",
                            "0.300\"", "0.022\"", "32\""});
        }
        ASSERT_TRUE(quivra::storage::test::writeCatalogue(m_data, rows).isOk());
        qs::MessageBox::setAutoAnswer(true);
        qs::MessageBox::clearShownTexts();
    }
    void TearDown() override {
        qs::MessageBox::setAutoAnswer(false);
        qs::setDialogObserver({});
    }

    qd::DetailRequest request(const QString& key, const QString& size, const QString& models,
                              const QString& page) const {
        quivra::selection::SelectionInputs inputs;
        inputs.arrowLength = "29";
        inputs.youthArrowLength = "25.5";
        inputs.pointWeight = "125";
        return {key,
                size,
                models,
                quivra::core::pageFromKey(page.toStdString()).value_or(quivra::core::Page::Hunt),
                inputs,
                m_data,
                {}};
    }

    static QString text(QWidget* w, const char* name) {
        auto* label = w->findChild<QLabel*>(QLatin1String(name));
        return label != nullptr ? label->text() : QStringLiteral("<no %1>").arg(name);
    }

    QTemporaryDir m_dir;
    fs::path m_data;
};

TEST_F(SpecsFrmTest, WorkedExampleOnTheTargetPage) {
    qd::TSpecsFrm form(request("400CH", "400", "CH", "Targ"));
    EXPECT_EQ(form.windowTitle(), "2012 Arrow Weight Calculator/Specifications");
    EXPECT_TRUE(qs::MessageBox::shownTexts().isEmpty())
        << qs::MessageBox::shownTexts().join('|').toStdString();
    EXPECT_EQ(text(&form, "Label4"), "400");
    EXPECT_EQ(text(&form, "Mods"), "CH");
    EXPECT_EQ(text(&form, "ArrowTypeLbl"), "Carbon hunting");
    EXPECT_EQ(text(&form, "GPILbl"), "8.8");
    EXPECT_EQ(text(&form, "LengthLbl"), "32\"");
    EXPECT_DOUBLE_EQ(form.spinEdit(0)->value(), 29.0);
    EXPECT_DOUBLE_EQ(form.spinEdit(2)->value(), 100.0);  // DEFPTWT, not the entered 125
    EXPECT_EQ(text(&form, "Label21"), "255 Gr.");
    EXPECT_EQ(text(&form, "Label9"), "392 Gr.");
    EXPECT_EQ(form.spinEdit(0)->text(), "29.00");  // "." under a German default locale
}

struct PageCase {
    const char* page;
    double length;
    double point;
    const char* shaft;
    const char* total;
};

TEST_F(SpecsFrmTest, PageDecidesLengthAndPointWeight) {
    const PageCase cases[] = {
        {"Hunt", 29.0, 125.0, "255 Gr.", "417 Gr."},
        {"Targ", 29.0, 100.0, "255 Gr.", "392 Gr."},
        {"Kstr", 29.0, 100.0, "255 Gr.", "392 Gr."},
        {"Youth", 25.5, 100.0, "224 Gr.", "361 Gr."},  // 224.4 + 137
    };
    for (const auto& c : cases) {
        qd::TSpecsFrm form(request("400CH", "400", "CH", QLatin1String(c.page)));
        EXPECT_DOUBLE_EQ(form.spinEdit(0)->value(), c.length) << c.page;
        EXPECT_DOUBLE_EQ(form.spinEdit(2)->value(), c.point) << c.page;
        EXPECT_EQ(text(&form, "Label21"), c.shaft) << c.page;
        EXPECT_EQ(text(&form, "Label9"), c.total) << c.page;
    }
}

TEST_F(SpecsFrmTest, TwoFamilyRowUsesTheM4FigureAndTheKeyLosesItsBlankPart) {
    // "2213 " and 14 more characters are removed: the seek key is 2213M4.
    qd::TSpecsFrm form(request("2213 alternate sizeM4", "2213", "KV,M4", "Hunt"));
    EXPECT_TRUE(qs::MessageBox::shownTexts().isEmpty());
    EXPECT_EQ(text(&form, "GPILbl"), "9.30,9.50");
    EXPECT_EQ(text(&form, "Label21"), "276 Gr.");  // 29 x 9.50 + 0.5 = 276
    EXPECT_DOUBLE_EQ(form.spinEdit(4)->value(), 18.0);
    EXPECT_EQ(text(&form, "Label9"), "443 Gr.");  // 275.5 + 10 + 125 + 15 + 18
}

TEST_F(SpecsFrmTest, EveryChangeRecomputesBothWeights) {
    qd::TSpecsFrm form(request("400CH", "400", "CH", "Targ"));
    form.spinEdit(0)->setValue(30.0);
    EXPECT_EQ(text(&form, "Label21"), "264 Gr.");  // 264.0 + 0.5
    form.spinEdit(1)->setValue(20.0);
    EXPECT_EQ(text(&form, "Label9"), "411 Gr.");  // 264 + 20 + 100 + 15 + 12
    // An emptied field counts as its minimum while it is empty.
    form.spinEdit(2)->findChild<QLineEdit*>()->clear();
    EXPECT_EQ(text(&form, "Label9"), "311 Gr.");
    form.spinEdit(0)->findChild<QLineEdit*>()->clear();
    EXPECT_EQ(text(&form, "Label21"), "132 Gr.");  // 15 x 8.8 = 132.0
    EXPECT_TRUE(qs::MessageBox::shownTexts().isEmpty());
}

TEST_F(SpecsFrmTest, EveryFigureIsAnnouncedWithItsCaption) {
    qd::TSpecsFrm form(request("400CH", "400", "CH", "Targ"));
    const auto announced = [&form](const char* name) {
        QAccessibleInterface* iface =
            QAccessible::queryAccessibleInterface(form.findChild<QLabel*>(QLatin1String(name)));
        return iface->text(QAccessible::Name) + " = " + iface->text(QAccessible::Value);
    };
    EXPECT_EQ(announced("ArrowTypeLbl"), "Shaft Type: = Carbon hunting");
    EXPECT_EQ(announced("GPILbl"), "Grains per Inch: = 8.8");
    EXPECT_EQ(announced("Label4"), "Shaft Size = 400");
    EXPECT_EQ(announced("Label21"), "Shaft Weight: = 255 Gr.");
    EXPECT_EQ(announced("Label9"), "Approx. Total Arrow Weight: = 392 Gr.");
    form.spinEdit(0)->setValue(30.0);
    EXPECT_EQ(announced("Label21"), "Shaft Weight: = 264 Gr.");
    EXPECT_EQ(announced("Label9"), "Approx. Total Arrow Weight: = 401 Gr.");
}

// Mend: the tab order follows the screen (length, point, nock, insert,
// fletching), not the order the fields were once made in.
TEST_F(SpecsFrmTest, TabGoesDownTheFieldsAsTheyStand) {
    qd::TSpecsFrm form(request("400CH", "400", "CH", "Targ"));
    std::vector<QWidget*> spins;
    for (int n = 0; n < 5; ++n) spins.push_back(form.spinEdit(n));
    std::vector<int> order;
    QWidget* w = spins[0];
    do {
        const auto it = std::find(spins.begin(), spins.end(), w);
        if (it != spins.end()) order.push_back(static_cast<int>(it - spins.begin()));
        w = w->nextInFocusChain();
    } while (w != spins[0] && order.size() < 5);
    EXPECT_EQ(order, (std::vector<int>{0, 2, 1, 4, 3}));  // FSpinEdit1, 3, 2, 5, 4
    form.show();                                          // laid out
    const auto top = [&](int n) {
        return spins[static_cast<std::size_t>(n)]->mapTo(&form, QPoint(0, 0)).y();
    };
    for (std::size_t i = 0; i + 1 < order.size(); ++i) EXPECT_LT(top(order[i]), top(order[i + 1]));
}

TEST_F(SpecsFrmTest, UnknownKeyIsNotReported) {
    qd::TSpecsFrm form(request("999ZZ", "999", "ZZ", "Targ"));
    EXPECT_TRUE(qs::MessageBox::shownTexts().isEmpty());
    EXPECT_EQ(text(&form, "Label4"), "999");
    EXPECT_EQ(text(&form, "Label21"), "0 Gr.");
    EXPECT_EQ(text(&form, "Label9"), "0 Gr.");
}

TEST_F(SpecsFrmTest, MissingFilesAreReportedAndTheWindowStillOpens) {
    fs::remove(m_data / "specs.idx");
    qd::TSpecsFrm noIndex(request("400CH", "400", "CH", "Targ"));
    ASSERT_EQ(qs::MessageBox::shownTexts().size(), 1);
    EXPECT_TRUE(qs::MessageBox::shownTexts().front().startsWith("Index file does not exist."));
    EXPECT_EQ(text(&noIndex, "Label4"), "400");
    EXPECT_TRUE(text(&noIndex, "Label9").isEmpty());

    qs::MessageBox::clearShownTexts();
    fs::remove(m_data / "Specs.DBF");
    qd::TSpecsFrm noTable(request("400CH", "400", "CH", "Targ"));
    ASSERT_EQ(qs::MessageBox::shownTexts().size(), 1);
    EXPECT_TRUE(qs::MessageBox::shownTexts().front().contains("Specs.DBF"));
}

TEST_F(SpecsFrmTest, WithoutItsRecordAChangeReportsAgainAndComputesNothing) {
    fs::remove(m_data / "specs.idx");
    qd::TSpecsFrm form(request("400CH", "400", "CH", "Targ"));
    qs::MessageBox::clearShownTexts();
    form.spinEdit(0)->setValue(28.0);  // the arrow length
    ASSERT_EQ(qs::MessageBox::shownTexts().size(), 1);
    EXPECT_TRUE(qs::MessageBox::shownTexts().front().startsWith("Index file does not exist."));
    EXPECT_TRUE(text(&form, "Label21").isEmpty());  // no weight from some other record
}

TEST_F(SpecsFrmTest, BadLengthTextEndsTheCreationWithAConversionError) {
    auto bad = request("400CH", "400", "CH", "Youth");
    bad.inputs.youthArrowLength = "2x";
    qd::TSpecsFrm form(bad);
    EXPECT_EQ(qs::MessageBox::shownTexts(),
              QStringList{"'2x' is not a valid floating point value"});
    EXPECT_TRUE(text(&form, "Label9").isEmpty());
}

TEST_F(SpecsFrmTest, ButtonsOpenGuideAndCalculatorOnTop) {
    QStringList opened;
    qs::setDialogObserver([&](QDialog* dialog) {
        opened << dialog->objectName();
        QTimer::singleShot(0, dialog, [dialog, &opened] {
            if (dialog->objectName() == "AboutBox1") opened << dialog->windowTitle();
            if (dialog->objectName() == "SpecsFrm") {
                dialog->findChild<QPushButton*>(QStringLiteral("wssSpeedButton2"))->click();
                dialog->findChild<QPushButton*>(QStringLiteral("wssSpeedButton1"))->click();
                auto* exit = dialog->findChild<QPushButton*>(QStringLiteral("ExitBtn"));
                EXPECT_EQ(exit->toolTip(), "Click to Exit");
                exit->click();
                return;
            }
            dialog->close();
        });
    });
    qd::openShaftDetails(nullptr, request("1516YA", "1516", "YA", "Youth"));
    EXPECT_EQ(opened, (QStringList{"SpecsFrm", "AboutBox1", "2012 Target/Youth Shaft Models Guide",
                                   "KECalc2"}));
}

TEST_F(SpecsFrmTest, MissingTuningGuideIsReported) {
    qd::TSpecsFrm form(request("400CH", "400", "CH", "Targ"));
    form.findChild<QPushButton*>(QStringLiteral("TuningGuideBtn"))->click();
    ASSERT_EQ(qs::MessageBox::shownTexts().size(), 1);
    EXPECT_TRUE(qs::MessageBox::shownTexts().front().contains("tuning_guide.pdf"));
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
