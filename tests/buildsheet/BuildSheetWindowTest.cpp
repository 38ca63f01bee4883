// The "Arrow Build Sheet" window on a small shaft catalogue of its own, run
// under a German default locale (decimal comma) to show that what it reads
// and shows does not follow the locale.
#include "CatalogueTable.h"
#include "MessageBox.h"
#include "ReportCommandsTesting.h"
#include "ShopRecord.h"
#include "TBuildSheet.h"
#include "TableStore.h"
#include "ValueLabel.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <clocale>
#include <functional>
#include <string>

namespace qb = quivra::buildsheet;
namespace qs = quivra::shell;
namespace fs = std::filesystem;

namespace {

class BuildSheetWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_data = fs::path(m_dir.path().toStdU32String());
        const std::vector<quivra::storage::test::CatalogueRow> rows{
            {"340", "CH", "0.340", "CH", "CH", "9.26", "100", "9", "15", "15", "Carbon hunting",
             "0.295\"", "0.244\"", "", "32\""},
            {"2213", "M4", "0.400", "KV,M4", "KV,M4", "9.30,9.50", "125", "10", "15", "18",
             "Aluminum M4 alloy", "0.344\"", "0.300\"", "0.022\"", "32\""},
        };
        ASSERT_TRUE(quivra::storage::test::writeCatalogue(m_data, rows).isOk());
        qs::MessageBox::setAutoAnswer(true);
        qs::MessageBox::clearShownTexts();
    }
    void TearDown() override {
        qs::MessageBox::setAutoAnswer(false);
        quivra::reports::testing::reset();
    }

    // The main window's Hunting page: a 70 lb compound, 29 in arrow, 100 gr
    // point; the builder's parts when `built`.
    qb::SheetStart start(const char* key = "340CH", bool built = true) const {
        qb::SheetStart s;
        s.inputs.page = quivra::core::Page::Hunt;
        s.inputs.bowWeight = "70";
        s.inputs.arrowLength = "29";
        s.inputs.pointWeight = "100";
        s.slot = quivra::selection::DetailRequest{.page = quivra::core::Page::Hunt,
                                                  .key = key,
                                                  .sizeCaption = "340",
                                                  .modelsCaption = "CH"};
        if (built) {
            s.parts = quivra::details::ArrowBuild{
                .length = 29.0, .nock = 9.0, .point = 100.0, .fletching = 15.0, .insert = 15.0};
        }
        return s;
    }

    // A compound needs its speed rating, which the main window does not
    // know: the clerk types it first.
    static void typeRating(qb::TBuildSheet& w, double fps = 340.0) {
        child<QDoubleSpinBox>(w, "RatingSpin")->setValue(fps);
    }

    template <class T>
    static T* child(const QWidget& w, const char* name) {
        T* found = w.findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    static QString shown(const QWidget& w, const char* name) {
        return child<qs::ValueLabel>(w, name)->text();
    }

    // Everything the window shows as results, in one text.
    static QString everything(const qb::TBuildSheet& w) {
        QString all;
        for (const qs::ValueLabel* v : w.findChildren<qs::ValueLabel*>()) all += v->text() + "|";
        const auto* table = child<QTableWidget>(w, "DownrangeGrid");
        for (int r = 0; r < table->rowCount(); ++r) {
            for (int c = 0; c < table->columnCount(); ++c) all += table->item(r, c)->text() + "|";
        }
        return all;
    }

    QTemporaryDir m_dir;
    fs::path m_data;
};

TEST_F(BuildSheetWindowTest, OpensWithTheBuildersArrowAndTheMainWindowsBow) {
    qb::TBuildSheet w(start(), m_data);
    EXPECT_EQ(w.windowTitle(), "Arrow Build Sheet");
    // Until the rating is typed, the compound's rating field is in fault.
    EXPECT_FALSE(w.sheet().ok());
    EXPECT_FALSE(child<QDoubleSpinBox>(w, "RatingSpin")->accessibleDescription().isEmpty());
    EXPECT_TRUE(shown(w, "NotesLbl").contains("speed rating"));
    typeRating(w);
    EXPECT_TRUE(w.sheet().ok()) << shown(w, "NotesLbl").toStdString();
    EXPECT_NEAR(w.sheet().arrowWeightGr, 407.54, 1e-9);
    EXPECT_DOUBLE_EQ(w.input().bow.drawWeightLb, 70.0);
    EXPECT_DOUBLE_EQ(w.input().bow.drawLengthIn, 28.0);  // arrow length less 1 in
    EXPECT_DOUBLE_EQ(w.input().bow.braceHeightIn, 7.0);  // "over 6.5"
    EXPECT_EQ(child<QLineEdit>(w, "ShaftEdit")->text(), "340CH");
    EXPECT_TRUE(shown(w, "ShaftLbl").startsWith("340 CH, spine 0.340"));
    EXPECT_TRUE(shown(w, "RuleSpeedLbl").startsWith("300.8 fps ("));
    EXPECT_TRUE(shown(w, "EnergySpeedLbl").startsWith("303.9 fps ("));
    EXPECT_TRUE(shown(w, "KineticEnergyLbl").endsWith("Largest Game"));
    EXPECT_TRUE(shown(w, "MomentumLbl").endsWith("Dangerous Game"));
    EXPECT_TRUE(shown(w, "SpineCheckLbl").contains("Hunting chart"));
}

TEST_F(BuildSheetWindowTest, EveryInputRecomputesTheSheetAtOnce) {
    qb::TBuildSheet w(start(), m_data);
    struct Change {
        const char* field;
        std::function<void(QWidget*)> apply;
        bool changesFigures;
    };
    const auto value = [](double v) {
        return [v](QWidget* f) { static_cast<QDoubleSpinBox*>(f)->setValue(v); };
    };
    const auto index = [](int i) {
        return [i](QWidget* f) { static_cast<QComboBox*>(f)->setCurrentIndex(i); };
    };
    const std::vector<Change> changes{
        {"RatingSpin", value(340.0), true},
        {"RatingSpin", value(330.0), true},
        {"StandardCombo", index(1), false},  // IBO and ATA share their conditions
        {"DrawWeightSpin", value(65.0), true},
        {"DrawLengthSpin", value(27.5), true},
        {"BraceHeightSpin", value(6.5), true},
        {"StringWeightSpin", value(20.0), true},
        {"BowTypeCombo", index(1), true},
        {"BowTypeCombo", index(2), true},
        {"BowTypeCombo", index(0), true},
        {"ChartCombo", index(1), true},
        {"ChartCombo", index(0), true},
        {"ReleaseCombo", index(1), true},
        {"CamCombo", index(1), true},
        {"ShaftLengthSpin", value(28.0), true},
        {"PointSpin", value(125.0), true},
        {"InsertSpin", value(16.0), true},
        {"NockSpin", value(10.0), true},
        {"FletchingSpin", value(18.0), true},
        {"BalanceSpin", value(18.0), true},
        {"SightRadiusSpin", value(36.0), true},
        {"ShaftEdit",
         [](QWidget* f) { static_cast<QLineEdit*>(f)->setText(QStringLiteral("2213M4")); }, true},
    };
    for (const Change& c : changes) {
        SCOPED_TRACE(c.field);
        QWidget* field = w.findChild<QWidget*>(QLatin1String(c.field));
        ASSERT_NE(field, nullptr);
        const int before = w.computeCount();
        const QString shownBefore = everything(w);
        c.apply(field);
        EXPECT_EQ(w.computeCount(), before + 1);
        if (c.field != std::string("RatingSpin") || w.input().bow.ratingFps) {
            EXPECT_TRUE(w.sheet().ok()) << shown(w, "NotesLbl").toStdString();
        }
        if (c.changesFigures) {
            EXPECT_NE(everything(w), shownBefore);
        }
    }
    EXPECT_TRUE(shown(w, "ShaftLbl").startsWith("2213 KV,M4"));
    EXPECT_TRUE(shown(w, "RuleSpeedLbl").contains(" fps ("));
    // A recurve without a rating has an estimate of its own.
    child<QComboBox>(w, "BowTypeCombo")->setCurrentIndex(1);
    child<QDoubleSpinBox>(w, "RatingSpin")->setValue(0.0);
    EXPECT_EQ(child<QDoubleSpinBox>(w, "RatingSpin")->text(), "none");
    EXPECT_TRUE(w.sheet().ok()) << shown(w, "NotesLbl").toStdString();
    EXPECT_TRUE(shown(w, "RuleSpeedLbl").startsWith("none"));
}

TEST_F(BuildSheetWindowTest, TypedTextIsReadWithAPointWhateverTheLocale) {
    ASSERT_EQ(QLocale().decimalPoint(), ",");  // the German default of main()
    qb::TBuildSheet w(start(), m_data);
    typeRating(w);
    auto* length = child<QDoubleSpinBox>(w, "DrawLengthSpin");
    EXPECT_EQ(length->text(), "28.00");
    length->selectAll();
    QTest::keyClicks(length, "27.25");
    EXPECT_DOUBLE_EQ(w.input().bow.drawLengthIn, 27.25);
    EXPECT_EQ(shown(w, "DrawLengthSpinMetric"), "69.2 cm");
    // No decimal comma anywhere in the results or the table.
    EXPECT_FALSE(everything(w).contains(QRegularExpression(QStringLiteral("\\d,\\d"))))
        << everything(w).toStdString();
    EXPECT_TRUE(shown(w, "TotalWeightLbl").startsWith("407.5 gr"));
}

TEST_F(BuildSheetWindowTest, AnInputInFaultIsMarkedAndNothingIsPrinted) {
    qb::TBuildSheet w(start(), m_data);
    typeRating(w);
    auto* draw = child<QDoubleSpinBox>(w, "DrawLengthSpin");
    draw->setValue(5.0);  // under the 7 in brace height
    EXPECT_FALSE(w.sheet().ok());
    EXPECT_FALSE(draw->accessibleDescription().isEmpty());
    EXPECT_EQ(shown(w, "EnergySpeedLbl"), "-");
    EXPECT_TRUE(shown(w, "NotesLbl").startsWith("Correct the inputs marked in yellow:"));
    EXPECT_EQ(child<QTableWidget>(w, "DownrangeGrid")->item(0, 1)->text(), "-");

    const QString pdf = m_dir.filePath(QStringLiteral("sheet.pdf"));
    quivra::reports::testing::setNextSaveFileName(pdf);
    child<QPushButton>(w, "SavePdfBtn")->click();
    ASSERT_EQ(qs::MessageBox::shownTexts().size(), 1);
    EXPECT_TRUE(qs::MessageBox::shownTexts().front().startsWith(
        "The build sheet cannot be printed while inputs need correcting"));
    EXPECT_FALSE(QFile::exists(pdf));

    // Corrected, the mark goes and the figures come back.
    draw->setValue(28.0);
    EXPECT_TRUE(w.sheet().ok());
    EXPECT_TRUE(draw->accessibleDescription().isEmpty());
    EXPECT_NE(shown(w, "EnergySpeedLbl"), "-");
}

TEST_F(BuildSheetWindowTest, AShaftKeyTheCatalogueLacksIsAFaultOfTheShaftField) {
    qb::TBuildSheet w(start("9999ZZ"), m_data);
    typeRating(w);
    EXPECT_FALSE(w.sheet().ok());
    auto* key = child<QLineEdit>(w, "ShaftEdit");
    EXPECT_FALSE(key->accessibleDescription().isEmpty());
    EXPECT_EQ(shown(w, "ShaftLbl"), "-");
    key->setText(QStringLiteral("340CH"));
    EXPECT_TRUE(w.sheet().ok());
    EXPECT_TRUE(key->accessibleDescription().isEmpty());
}

TEST_F(BuildSheetWindowTest, PrintingWithoutTheShopTableSaysWhichFileFailed) {
    qb::TBuildSheet w(start(), m_data);
    typeRating(w);
    const QString pdf = m_dir.filePath(QStringLiteral("sheet.pdf"));
    quivra::reports::testing::setNextSaveFileName(pdf);
    child<QPushButton>(w, "SavePdfBtn")->click();
    ASSERT_EQ(qs::MessageBox::shownTexts().size(), 1);
    EXPECT_TRUE(qs::MessageBox::shownTexts().front().contains("SHOPINFO", Qt::CaseInsensitive))
        << qs::MessageBox::shownTexts().front().toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(BuildSheetWindowTest, ValuesAndThePlotAreAnnouncedWithTheirCaptions) {
    qb::TBuildSheet w(start(), m_data);
    typeRating(w);
    w.show();
    for (qs::ValueLabel* v : w.findChildren<qs::ValueLabel*>()) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(v);
        ASSERT_NE(iface, nullptr);
        EXPECT_FALSE(iface->text(QAccessible::Name).isEmpty()) << v->objectName().toStdString();
        EXPECT_EQ(iface->text(QAccessible::Value), v->text()) << v->objectName().toStdString();
    }
    QWidget* plot = child<QWidget>(w, "DownrangePlot");
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(plot);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->text(QAccessible::Name), "Downrange plot");
    EXPECT_TRUE(iface->text(QAccessible::Value).startsWith("Path: highest"))
        << iface->text(QAccessible::Value).toStdString();
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

namespace {

// The sheet's build as its commands received it, with how often each ran.
struct Handed {
    std::vector<quivra::customers::SavedBuild> saved;
    std::vector<quivra::customers::SavedBuild> ticketed;
    qb::SheetCommands commands() {
        return {
            [this](QWidget*, const quivra::customers::SavedBuild& b) { saved.push_back(b); },
            [this](QWidget*, const quivra::customers::SavedBuild& b) { ticketed.push_back(b); }};
    }
};

}  // namespace

// Every input the sheet has goes into the saved build, and a sheet opened
// on that build (Re-order) shows the same arrow: the same build again and
// the same figures.
TEST_F(BuildSheetWindowTest, ASavedBuildOpensTheSameSheetAgain) {
    Handed first;
    qb::TBuildSheet w(start(), m_data, first.commands());
    typeRating(w, 330.0);
    child<QComboBox>(w, "StandardCombo")->setCurrentIndex(1);
    child<QDoubleSpinBox>(w, "BraceHeightSpin")->setValue(6.5);
    child<QDoubleSpinBox>(w, "StringWeightSpin")->setValue(12.0);
    child<QDoubleSpinBox>(w, "BalanceSpin")->setValue(11.5);
    child<QDoubleSpinBox>(w, "SightRadiusSpin")->setValue(34.0);
    child<QComboBox>(w, "ReleaseCombo")->setCurrentIndex(1);
    child<QComboBox>(w, "OverdrawCombo")->setCurrentIndex(2);
    child<QDoubleSpinBox>(w, "PointSpin")->setValue(125.0);
    child<QSpinBox>(w, "QuantityEdit")->setValue(6);
    child<QLineEdit>(w, "NotesEdit")->setText(QStringLiteral("Blue vanes, 3 cock"));
    ASSERT_TRUE(w.sheet().ok());
    child<QPushButton>(w, "SaveCustBtn")->click();
    ASSERT_EQ(first.saved.size(), 1U);
    const quivra::customers::SavedBuild& b = first.saved.front();
    EXPECT_EQ(b.shaftKey, "340CH");
    EXPECT_EQ(b.size, "340");
    EXPECT_EQ(b.models, "CH");
    EXPECT_DOUBLE_EQ(b.spineIn, 0.340);
    EXPECT_DOUBLE_EQ(b.lengthIn, 29.0);
    EXPECT_DOUBLE_EQ(b.pointGr, 125.0);
    EXPECT_EQ(b.quantity, 6);
    EXPECT_EQ(b.notes, "Blue vanes, 3 cock");
    EXPECT_DOUBLE_EQ(b.totalGr, w.sheet().arrowWeightGr);
    EXPECT_EQ(b.focPercent, w.sheet().focPercent);
    EXPECT_EQ(b.speedFps, w.sheet().energyFps);
    ASSERT_TRUE(w.sheet().spine.has_value());
    EXPECT_EQ(b.spineCheck, w.sheet().spine->verdict);
    EXPECT_EQ(b.ratingStandard, "ATA");
    EXPECT_EQ(b.ratingFps, 330.0);
    EXPECT_EQ(b.balanceIn, 11.5);
    EXPECT_EQ(b.sightRadiusIn, 34.0);
    EXPECT_EQ(b.releaseType, 1);
    EXPECT_EQ(b.overDraw, 2);

    // Re-ordered on another page of the main window: the build's own chart holds.
    qb::SheetStart again;
    again.inputs.page = quivra::core::Page::Targ;
    again.saved = b;
    Handed second;
    qb::TBuildSheet reopened(again, m_data, second.commands());
    EXPECT_EQ(child<QLineEdit>(reopened, "ShaftEdit")->text(), "340CH");
    EXPECT_EQ(child<QLineEdit>(reopened, "NotesEdit")->text(), "Blue vanes, 3 cock");
    EXPECT_EQ(everything(reopened), everything(w));
    child<QPushButton>(reopened, "TicketBtn")->click();
    ASSERT_EQ(second.ticketed.size(), 1U);
    EXPECT_EQ(second.ticketed.front(), b);
    EXPECT_TRUE(qs::MessageBox::shownTexts().isEmpty())
        << qs::MessageBox::shownTexts().join('\n').toStdString();
}

TEST_F(BuildSheetWindowTest, ABuildInFaultIsNeitherSavedNorTicketed) {
    Handed handed;
    qb::TBuildSheet w(start(), m_data, handed.commands());
    typeRating(w);
    child<QDoubleSpinBox>(w, "DrawLengthSpin")->setValue(0.0);
    ASSERT_FALSE(w.sheet().ok());
    child<QPushButton>(w, "SaveCustBtn")->click();
    child<QPushButton>(w, "TicketBtn")->click();
    EXPECT_TRUE(handed.saved.empty());
    EXPECT_TRUE(handed.ticketed.empty());
    ASSERT_EQ(qs::MessageBox::shownTexts().size(), 2);
    EXPECT_TRUE(qs::MessageBox::shownTexts().front().startsWith(
        "The build cannot be saved or ticketed while inputs need correcting"));

    // Opened without an opener's commands, the two buttons are off.
    qb::TBuildSheet alone(start(), m_data);
    EXPECT_FALSE(child<QPushButton>(alone, "SaveCustBtn")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(alone, "TicketBtn")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(alone, "PreviewBtn")->isEnabled());
}

TEST_F(BuildSheetWindowTest, PreviewShowsThePrintedPage) {
    // The shop's table as the shop window edits it, with one record.
    using quivra::storage::TableStore;
    std::vector<quivra::storage::FieldSpec> fields{{"COUNTRY", 'C', 12}};
    for (const auto& f : quivra::customers::kEditedShopFields) fields.push_back({f.name, 'C', 60});
    ASSERT_TRUE(TableStore::create(m_data / "SHOPINFO.DBF", fields).isOk());
    {
        TableStore shop(m_data / "SHOPINFO.DBF");
        ASSERT_TRUE(shop.open().isOk());
        ASSERT_TRUE(shop.appendBlank().isOk());
        ASSERT_TRUE(shop.setFieldText("NAME", "Cedar Point Archery").isOk());
        ASSERT_TRUE(shop.post().isOk());
    }
    qb::TBuildSheet w(start(), m_data);
    typeRating(w);
    int pages = -1;
    QTimer::singleShot(0, [&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QPrintPreviewDialog*>(top);
            if (dialog == nullptr || !dialog->isVisible()) continue;
            if (auto* view = dialog->findChild<QPrintPreviewWidget*>()) {
                view->updatePreview();
                pages = view->pageCount();
            }
            dialog->reject();
        }
    });
    child<QPushButton>(w, "PreviewBtn")->click();
    EXPECT_EQ(pages, 1);
    EXPECT_TRUE(qs::MessageBox::shownTexts().isEmpty())
        << qs::MessageBox::shownTexts().join('\n').toStdString();
}
