// quivra-report-samples: writes every report, filled with sample data, as PDF
// files into a folder, for review (scripts/report-pngs.sh turns them into
// PNG pages).  Beside each PDF it writes NAME-image.png, the same page drawn
// straight into an image at 100 dpi, so both outputs can be compared.
//
//   quivra-report-samples OUTPUT-FOLDER

#include "ReportOutput.h"
#include "SampleData.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

using quivra::core::Page;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quivra-report-samples OUTPUT-FOLDER\n");
        return 2;
    }
    // Fonts need a GUI application object, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "cannot create folder %s\n", argv[1]);
        return 1;
    }
    namespace s = quivra::reports::samples;
    int failures = 0;
    const auto check = [&failures](const QString& path, const quivra::storage::Status& status) {
        if (status.isOk()) {
            std::printf("%s\n", qPrintable(path));
        } else {
            std::fprintf(stderr, "%s\n", status.message().c_str());
            ++failures;
        }
    };
    const std::pair<Page, const char*> pages[] = {{Page::Hunt, "hunting"},
                                                  {Page::Targ, "target"},
                                                  {Page::Youth, "youth"},
                                                  {Page::Kstr, "kestra"}};
    const auto saveImage = [&failures, &out](const char* name, const QImage& image) {
        const QString path = out.filePath(QString::fromLatin1(name) + QStringLiteral("-image.png"));
        if (!image.save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            ++failures;
        }
    };
    for (const auto& [page, name] : pages) {
        const QString path = out.filePath(QString::fromLatin1(name) + QStringLiteral(".pdf"));
        const auto data = s::sampleCategoryReport(page);
        check(path, quivra::reports::writeCategoryReportPdf(path, data));
        saveImage(name, quivra::reports::renderToImage(data, 100));
    }
    saveImage("customer-record",
              quivra::reports::renderToImage(s::sampleCustomer(), s::sampleShop(),
                                             s::samplePrintTime(), 100));
    const QString record = out.filePath(QStringLiteral("customer-record.pdf"));
    check(record, quivra::reports::writeCustomerRecordPdf(record, s::sampleCustomer(),
                                                          s::sampleShop(), s::samplePrintTime()));
    const auto sheet = s::sampleBuildSheet();
    saveImage("build-sheet", quivra::reports::renderToImage(sheet, 100));
    const QString sheetPdf = out.filePath(QStringLiteral("build-sheet.pdf"));
    check(sheetPdf, quivra::reports::writeBuildSheetPdf(sheetPdf, sheet));
    return failures == 0 ? 0 : 1;
}
