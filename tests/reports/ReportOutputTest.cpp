// The outputs behind the layouts: PDF files (written whole or not at all) and
// images of the sheet.

#include "ReportFixtures.h"
#include "ReportOutput.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quivra::reports::test {
namespace {

using quivra::core::Page;

TEST(ReportPdf, IsOneUsLetterPortraitPage) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("hunting.pdf"));
    ASSERT_TRUE(writeCategoryReportPdf(path, categoryData(Page::Hunt, 16)).isOk());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r"), 1);
    EXPECT_TRUE(bytes.contains("/MediaBox [0 0 612.000000 792.000000]")) << "US Letter in points";
}

TEST(ReportPdf, UnwritablePlaceGivesAClearErrorNamingTheFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("no-such-folder/report.pdf"));
    const auto status = writeCategoryReportPdf(path, categoryData(Page::Targ, 3));
    ASSERT_FALSE(status.isOk());
    EXPECT_NE(status.message().find("no-such-folder"), std::string::npos) << status.message();
    EXPECT_FALSE(QFile::exists(path));

    const auto empty = writeCustomerRecordPdf(QString(), testCustomer(), testShop(), testTime());
    EXPECT_FALSE(empty.isOk());
}

TEST(ReportPdf, ReplacesAnExistingFileWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("record.pdf"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(500000, 'x'));
    }
    ASSERT_TRUE(writeCustomerRecordPdf(path, testCustomer(), testShop(), testTime()).isOk());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_FALSE(bytes.contains(QByteArray(1000, 'x')));
    // No temporary file is left beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

TEST(ReportImage, SheetAtTheAskedResolutionWithTheSameLayout) {
    const QImage image = renderToImage(categoryData(Page::Hunt, 16), 100);
    ASSERT_EQ(image.size(), QSize(850, 1100));  // 8.5 x 11 inches
    const auto inked = [&image](double xMm, double yMm, double wMm, double hMm) {
        const auto px = [](double mm) { return static_cast<int>(mm / 25.4 * 100); };
        for (int y = px(yMm); y < px(yMm + hMm); ++y) {
            for (int x = px(xMm); x < px(xMm + wMm); ++x) {
                if (qGray(image.pixel(x, y)) < 128) return true;
            }
        }
        return false;
    };
    // The top margin is clean; the shop name and the top rule are inked where
    // the PDF has them.
    EXPECT_FALSE(inked(0, 0, 215.9, 30));
    EXPECT_TRUE(inked(60, kBandTop + 16.9, 95, 5));
    EXPECT_TRUE(inked(kBandLeft + 20, kBandTop + 45.5 - 0.3, 100, 0.6));
    // Nothing is drawn past the side margins.
    EXPECT_FALSE(inked(0, 0, 12.0, 279.4));
    EXPECT_FALSE(inked(215.9 - 12.0, 0, 12.0, 279.4));

    const QImage record = renderToImage(testCustomer(), testShop(), testTime(), 50);
    EXPECT_EQ(record.size(), QSize(425, 550));
}

}  // namespace
}  // namespace quivra::reports::test
