// The print commands as the windows call them: the no-printer fallback to a
// PDF file, "Save as PDF", the progress window's Cancel, and errors that
// reach the user.  Message boxes and file dialogs are answered through their
// seams; printing goes into a PDF file instead of a real printer.

#include "MessageBox.h"
#include "ReportCommands.h"
#include "ReportCommandsTesting.h"

#include <QApplication>
#include <QFile>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace quivra::reports {
namespace {

using quivra::core::Page;
using quivra::shell::MessageBox;

CategoryReportData reportData() {
    CategoryReportData data;
    data.page = Page::Targ;
    data.shop.name = "Cedar Point Archery";
    data.printedAt = QDateTime(QDate(2026, 12, 8), QTime(9, 0));
    data.grid.resize(3);
    data.grid[0].size.caption = "2213";
    return data;
}

quivra::customers::CustomerRecordView customer() {
    quivra::customers::CustomerRecordView view;
    view.name = "Whitfield Ann";
    return view;
}

bool isPdf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(5) == "%PDF-";
}

class ReportCommands : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        testing::reset();
        MessageBox::clearShownTexts();
    }
    void TearDown() override {
        testing::reset();
        MessageBox::setAutoAnswer(false);
    }
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir m_dir;
};

TEST_F(ReportCommands, NoPrinterSaysSoAndSavesAPdfWhenAsked) {
    testing::simulateNoPrinter(true);
    const QString pdf = path("hunting.pdf");
    MessageBox::setNextAnswer(MessageBox::Answer::Yes);
    testing::setNextSaveFileName(pdf);
    printCategoryReport(nullptr, reportData());
    ASSERT_EQ(MessageBox::shownTexts().size(), 1);
    EXPECT_TRUE(MessageBox::shownTexts().front().startsWith(
        QLatin1String("No printer is set up on this computer")));
    EXPECT_TRUE(isPdf(pdf));
}

TEST_F(ReportCommands, NoPrinterAndNoPdfWantedWritesNothing) {
    testing::simulateNoPrinter(true);
    const QString pdf = path("record.pdf");
    MessageBox::setNextAnswer(MessageBox::Answer::No);
    testing::setNextSaveFileName(pdf);
    printCustomerRecord(nullptr, customer(), {});
    EXPECT_EQ(MessageBox::shownTexts().size(), 1);
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(ReportCommands, CustomerRecordWithoutPrinterCanBeSavedToo) {
    testing::simulateNoPrinter(true);
    const QString pdf = path("record.pdf");
    MessageBox::setNextAnswer(MessageBox::Answer::Yes);
    testing::setNextSaveFileName(pdf);
    printCustomerRecord(nullptr, customer(), {});
    EXPECT_TRUE(isPdf(pdf));
}

TEST_F(ReportCommands, PrintingGoesToThePrinterWithoutAQuestion) {
    const QString printed = path("printed.pdf");
    testing::redirectPrinterToPdf(printed);
    printCategoryReport(nullptr, reportData());
    EXPECT_TRUE(MessageBox::shownTexts().isEmpty());
    EXPECT_TRUE(isPdf(printed));
}

TEST_F(ReportCommands, CustomerRecordShowsPrintingProgressAndCancelStopsTheJob) {
    const QString printed = path("printed.pdf");
    testing::redirectPrinterToPdf(printed);
    QString title;
    QString button;
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* progress = qobject_cast<QProgressDialog*>(w);
            if (progress == nullptr || !progress->isVisible()) continue;
            title = progress->windowTitle();
            if (auto* cancel = progress->findChild<QPushButton*>()) button = cancel->text();
            progress->cancel();
        }
    });
    printCustomerRecord(nullptr, customer(), {});
    EXPECT_EQ(title, QStringLiteral("Printing progress"));
    EXPECT_EQ(button, QStringLiteral("Cancel"));
    EXPECT_FALSE(isPdf(printed));
    EXPECT_TRUE(MessageBox::shownTexts().isEmpty());
}

TEST_F(ReportCommands, CustomerRecordPrintsWhenNotCancelled) {
    const QString printed = path("printed.pdf");
    testing::redirectPrinterToPdf(printed);
    printCustomerRecord(nullptr, customer(), {});
    EXPECT_TRUE(isPdf(printed));
}

TEST_F(ReportCommands, SaveAsPdfCancelledWritesNothingAndSaysNothing) {
    testing::setNextSaveFileName(QString());
    saveCategoryReportPdf(nullptr, reportData());
    EXPECT_TRUE(MessageBox::shownTexts().isEmpty());
    EXPECT_TRUE(QDir(m_dir.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(ReportCommands, SaveAsPdfFailureIsShownWithTheFileName) {
    MessageBox::setAutoAnswer(true);
    const QString pdf = path("missing-folder/kestra.pdf");
    testing::setNextSaveFileName(pdf);
    saveCustomerRecordPdf(nullptr, customer(), {});
    ASSERT_EQ(MessageBox::shownTexts().size(), 1);
    EXPECT_TRUE(MessageBox::shownTexts().front().contains(QLatin1String("missing-folder")))
        << MessageBox::shownTexts().front().toStdString();
}

TEST_F(ReportCommands, PrinterThatCannotStartIsReported) {
    MessageBox::setAutoAnswer(true);
    testing::redirectPrinterToPdf(path("missing-folder/printed.pdf"));
    printCategoryReport(nullptr, reportData());
    ASSERT_EQ(MessageBox::shownTexts().size(), 1);
    EXPECT_TRUE(MessageBox::shownTexts().front().contains(QLatin1String("printer")));
}

}  // namespace
}  // namespace quivra::reports
