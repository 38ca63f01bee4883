// The print preview (Qt's dialog over the same drawing code, opened
// offscreen) and the bench ticket window's numbering.

#include "MessageBox.h"
#include "ReportCommands.h"
#include "ReportCommandsTesting.h"
#include "TBenchTicket.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace quivra::reports {
namespace {

using quivra::shell::MessageBox;

TicketData ticket() {
    TicketData t;
    t.shop.name = "Cedar Point Archery";
    t.customer.name = "Whitfield Ann";
    t.build.size = "340";
    t.build.models = "CH";
    t.build.lengthIn = 28.75;
    t.build.grainsPerInch = 9.3;
    t.printedAt = QDateTime(QDate(2026, 12, 8), QTime(9, 0));
    return t;
}

// Runs `open`, and while the preview it opens is showing notes its title
// and page count and closes it.
struct PreviewSeen {
    QString title;
    int pages = -1;
};
template <class Open>
PreviewSeen whilePreviewOpen(Open open) {
    PreviewSeen seen;
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QPrintPreviewDialog*>(w);
            if (dialog == nullptr || !dialog->isVisible()) continue;
            seen.title = dialog->windowTitle();
            if (auto* view = dialog->findChild<QPrintPreviewWidget*>()) {
                view->updatePreview();
                seen.pages = view->pageCount();
            }
            dialog->reject();
        }
    });
    open();
    return seen;
}

class PreviewAndTicket : public ::testing::Test {
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

TEST_F(PreviewAndTicket, EachReportPreviewsAsOnePage) {
    CategoryReportData category;
    category.page = quivra::core::Page::Targ;
    category.grid.resize(3);
    const PreviewSeen report = whilePreviewOpen([&] { previewCategoryReport(nullptr, category); });
    EXPECT_EQ(report.pages, 1);
    EXPECT_TRUE(report.title.startsWith(QStringLiteral("Print Preview - ")))
        << report.title.toStdString();

    quivra::customers::CustomerRecordView view;
    view.name = "Whitfield Ann";
    EXPECT_EQ(whilePreviewOpen([&] { previewCustomerRecord(nullptr, view, {}); }).pages, 1);

    TicketData t = ticket();
    t.number = 7;
    const PreviewSeen bench = whilePreviewOpen([&] { previewBenchTicket(nullptr, t); });
    EXPECT_EQ(bench.pages, 1);
    EXPECT_EQ(bench.title, QStringLiteral("Print Preview - Bench Work Ticket 7 - Whitfield Ann"));
    EXPECT_TRUE(MessageBox::shownTexts().isEmpty());
}

TEST_F(PreviewAndTicket, OneNumberPerTicketWindowTakenAtTheFirstOutput) {
    int taken = 0;
    TBenchTicket window(ticket(), [&] {
        ++taken;
        return storage::Result<std::uint32_t>(41U + static_cast<std::uint32_t>(taken));
    });
    auto* number = window.findChild<QLabel*>(QStringLiteral("TicketNo"));
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->text(), QStringLiteral("(given when printed)"));
    EXPECT_EQ(taken, 0);  // opening the window uses no number

    testing::redirectPrinterToPdf(path("printed.pdf"));
    window.PrintBtnClick();
    testing::setNextSaveFileName(path("ticket.pdf"));
    window.SavePdfBtnClick();
    EXPECT_EQ(taken, 1);
    EXPECT_EQ(window.ticket().number, 42U);
    EXPECT_EQ(number->text(), QStringLiteral("42"));
    EXPECT_TRUE(QFile::exists(path("printed.pdf")));
    EXPECT_TRUE(QFile::exists(path("ticket.pdf")));
}

TEST_F(PreviewAndTicket, ACounterThatFailsPrintsNothing) {
    TBenchTicket window(ticket(), [] {
        return storage::Result<std::uint32_t>(
            storage::Status::ioError("Tickets.dbf is locked by another counter"));
    });
    MessageBox::setAutoAnswer(true);
    testing::redirectPrinterToPdf(path("printed.pdf"));
    window.PrintBtnClick();
    EXPECT_FALSE(QFile::exists(path("printed.pdf")));
    ASSERT_EQ(MessageBox::shownTexts().size(), 1);
    EXPECT_TRUE(MessageBox::shownTexts().front().contains(QStringLiteral("locked")));
    EXPECT_EQ(window.ticket().number, 0U);
}

}  // namespace
}  // namespace quivra::reports
