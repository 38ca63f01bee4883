#include "ReportFixtures.h"

#include "ReportOutput.h"

namespace quivra::reports::test {

using quivra::core::Page;
using quivra::selection::GridButton;
using quivra::selection::RecommendationSlot;

quivra::customers::ShopRecord testShop() {
    quivra::customers::ShopRecord shop;
    shop.name = "Cedar Point Archery";
    shop.addr1 = "12 Mill Street";
    shop.addr2 = "Unit 9";
    shop.city = "Ashford";
    shop.state = "CT";
    shop.zip = "06278";
    shop.country = "Nowhere";
    shop.comments = "Open every day but Tuesday";
    shop.phone = "860-555-0100";
    shop.fax = "860-555-0101";
    return shop;
}

QDateTime testTime() {
    return {QDate(2026, 12, 8), QTime(14, 35, 12)};
}

std::vector<RecommendationSlot> numberedGrid(int count) {
    std::vector<RecommendationSlot> grid;
    const auto button = [](char column, int n) {
        GridButton b;
        b.caption = column + std::to_string(n);
        return b;
    };
    for (int n = 1; n <= count; ++n) {
        grid.push_back({button('S', n), button('P', n), button('M', n), button('W', n), {}});
    }
    return grid;
}

CategoryReportData categoryData(Page page, int filledSlots) {
    CategoryReportData data;
    data.page = page;
    data.inputs.page = page;
    data.grid = numberedGrid(filledSlots);
    data.shop = testShop();
    data.printedAt = testTime();
    return data;
}

quivra::customers::CustomerRecordView testCustomer() {
    quivra::customers::CustomerRecordView view;
    view.name = "Whitfield Ann";
    view.addr1 = "7 Orchard Road";
    view.addr2 = "Not Printed";
    view.city = "Mystic";
    view.state = "CT";
    view.zip = "06355";
    view.country = "Canada";
    view.ccode = "C-17";
    view.comments = "Wants lighter points";
    view.bowWeight = "62#";
    view.arrowLength = "29\"";
    view.pointWeight = "125Gr";
    view.category = "Target Shafts";
    view.bowType = "Recurve";
    view.wheelType = "Medium";
    view.release = "Fingers";
    view.braceHeight = "Under 6.5\"";
    view.overDraw = "2\"";
    return view;
}

TicketData testTicket() {
    TicketData t;
    t.shop = testShop();
    t.customer.name = "Whitfield Ann";
    t.customer.addr1 = "7 Orchard Road";
    t.customer.city = "Mystic";
    t.customer.state = "CT";
    t.customer.zip = "06355";
    t.setupDate = "03/07/2026";
    t.category = "Hunting Shafts";
    t.number = 1042;
    t.printedAt = testTime();
    quivra::customers::SavedBuild& b = t.build;
    b.shaftKey = "340CH";
    b.size = "340";
    b.models = "CH";
    b.spineIn = 0.34;
    b.grainsPerInch = 9.3;
    b.lengthIn = 28.75;
    b.pointGr = 100;
    b.insertGr = 15;
    b.nockGr = 9;
    b.fletchingGr = 15.5;
    b.quantity = 6;
    b.totalGr = 406.9;
    b.focPercent = 11.48;
    b.speedFps = 303.94;
    b.spineCheck = "matches the chart";
    b.notes = "Blue wraps, left wing";
    return t;
}

namespace {
std::optional<PdfWords> readBack(QTemporaryDir& dir, const QString& path,
                                 const quivra::storage::Status& status, QString* error) {
    if (!dir.isValid()) {
        *error = QStringLiteral("no temporary folder");
        return std::nullopt;
    }
    if (!status.isOk()) {
        *error = QString::fromStdString(status.message());
        return std::nullopt;
    }
    return PdfWords::read(path, error);
}
}  // namespace

std::optional<PdfWords> PrintedPage::category(const CategoryReportData& data, QString* error) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    return readBack(dir, path, writeCategoryReportPdf(path, data), error);
}

std::optional<PdfWords> PrintedPage::customerRecord(
    const quivra::customers::CustomerRecordView& view, const quivra::customers::ShopRecord& shop,
    const QDateTime& at, QString* error) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("record.pdf"));
    return readBack(dir, path, writeCustomerRecordPdf(path, view, shop, at), error);
}

std::optional<PdfWords> PrintedPage::benchTicket(const TicketData& ticket, QString* error) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ticket.pdf"));
    return readBack(dir, path, writeBenchTicketPdf(path, ticket), error);
}

BuildSheetReportData buildSheetData() {
    namespace qc = quivra::calculators;
    BuildSheetReportData data;
    qc::BuildSheetInput& in = data.input;
    in.bow = {qc::BowType::Compound, 340.0, qc::RatingStandard::Ibo, 70.0, 28.0, 7.0, 0.0};
    in.arrow.shaft = qc::ShaftRecord{"340CH", "340", "CH", 0.340, 9.26, 0.295};
    in.arrow.lengthIn = 29.0;
    in.arrow.pointGr = 100.0;
    in.arrow.insertGr = 15.0;
    in.arrow.nockGr = 9.0;
    in.arrow.fletchingGr = 15.0;
    data.sheet = qc::computeBuildSheet(in);
    data.shop = testShop();
    data.printedAt = testTime();
    return data;
}

std::optional<PdfWords> PrintedPage::buildSheet(const BuildSheetReportData& data, QString* error) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
    return readBack(dir, path, writeBuildSheetPdf(path, data), error);
}

}  // namespace quivra::reports::test
