#include "ReportFile.h"

#include "ReportOutput.h"
#include "ReportTexts.h"
#include "ShopRecord.h"

#include <QDateTime>
#include <QFile>
#include <QGuiApplication>

namespace quivra::tools {

std::optional<std::string> writeReportFile(const selection::SearchOutcome& outcome,
                                           const std::filesystem::path& dataDir,
                                           const std::filesystem::path& pdfPath,
                                           const char* programPath) {
    storage::Result<customers::ShopRecord> shop = customers::loadShopRecord(dataDir);
    if (!shop) return shop.status().message();

    // The report's fonts need a GUI application object, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char* argv[] = {const_cast<char*>(programPath), nullptr};  // NOLINT: Qt's signature
    const QGuiApplication app(argc, argv);

    reports::CategoryReportData data;
    data.page = outcome.page;
    data.inputs = outcome.inputs;
    data.grid = outcome.activeGrid();
    data.shop = shop.value();
    data.printedAt = reports::printTime();
    const storage::Status status =
        reports::writeCategoryReportPdf(QFile::decodeName(pdfPath.c_str()), data);
    if (!status.isOk()) return status.message();
    return std::nullopt;
}

}  // namespace quivra::tools
