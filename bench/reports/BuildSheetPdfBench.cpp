// The arrow build sheet's "Save as PDF": the sheet computed, its page laid
// out (texts, table and plot) and written to a PDF file.  Goal: under 200 ms.
#include "BuildSheetReport.h"
#include "ReportOutput.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

namespace qc = quivra::calculators;
namespace qr = quivra::reports;

// A 70 lb compound rated 340 fps with a 29 in carbon arrow.
qc::BuildSheetInput compound() {
    qc::BuildSheetInput in;
    in.bow = {qc::BowType::Compound, 340.0, qc::RatingStandard::Ibo, 70.0, 28.0, 7.0, 0.0};
    in.arrow.shaft = qc::ShaftRecord{"340CH", "340", "CH", 0.340, 9.26, 0.295};
    in.arrow.lengthIn = 29.0;
    in.arrow.pointGr = 100.0;
    in.arrow.insertGr = 15.0;
    in.arrow.nockGr = 9.0;
    in.arrow.fletchingGr = 15.0;
    return in;
}

void BM_BuildSheetToPdf(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
    qr::BuildSheetReportData data;
    data.input = compound();
    data.shop.name = "Cedar Point Archery";
    data.shop.addr1 = "12 Mill Street";
    data.shop.city = "Ashford";
    data.shop.state = "CT";
    data.shop.zip = "06278";
    data.shop.phone = "860-555-0100";
    data.printedAt = QDateTime(QDate(2026, 12, 8), QTime(14, 35));
    for (auto _ : state) {
        data.sheet = qc::computeBuildSheet(data.input);
        const quivra::storage::Status status = qr::writeBuildSheetPdf(path, data);
        if (!status.isOk()) state.SkipWithError(status.message().c_str());
    }
}
BENCHMARK(BM_BuildSheetToPdf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
