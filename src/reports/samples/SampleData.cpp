#include "SampleData.h"

#include <string>

namespace quivra::reports::samples {

namespace {

using quivra::core::Page;
using quivra::selection::GridButton;
using quivra::selection::RecommendationSlot;

struct Row {
    const char* size;
    const char* spine;
    const char* models;
    const char* weight;
};

GridButton button(const char* caption) {
    GridButton b;
    b.caption = caption;
    return b;
}

RecommendationSlot slot(const Row& row) {
    return {button(row.size), button(row.spine), button(row.models), button(row.weight), {}};
}

std::vector<RecommendationSlot> grid(std::initializer_list<Row> rows) {
    std::vector<RecommendationSlot> result;
    for (const Row& row : rows) result.push_back(slot(row));
    return result;
}

}  // namespace

quivra::customers::ShopRecord sampleShop() {
    quivra::customers::ShopRecord shop;
    shop.name = "Timberline Archery Supply";
    shop.addr1 = "1420 North Ridge Road";
    shop.addr2 = "Suite 4";
    shop.city = "Bozeman";
    shop.state = "MT";
    shop.zip = "59715";
    shop.country = "USA";
    shop.comments = "Thank you for your business - ask us about fall tuning specials!";
    shop.phone = "(406) 555-0142";
    shop.fax = "(406) 555-0143";
    return shop;
}

QDateTime samplePrintTime() {
    return {QDate(2026, 12, 8), QTime(14, 35)};
}

CategoryReportData sampleCategoryReport(Page page) {
    CategoryReportData data;
    data.page = page;
    data.shop = sampleShop();
    data.printedAt = samplePrintTime();
    data.inputs.page = page;
    data.inputs.overDraw = 2;
    data.inputs.braceHt = 1;
    switch (page) {
        case Page::Hunt:
            data.grid = grid({{"2215", "0.407", "KV,M4", "330,339"},
                              {"2216", "0.385", "KV,M4", "351,360"},
                              {"2117", "0.423", "KV,M4", "354,363"},
                              {"400", "0.400", "Carbon", "Details"},
                              {"2119", "0.386", "XT", "399"},
                              {"2219", "0.333", "XT", "420"},
                              {"340", "0.340", "Carbon", "Details"},
                              {"400", "0.400", "CA", "288"},
                              {"", "", "", ""},
                              {"500", "0.500", "CA", "255"},
                              {"400", "0.400", "CH", "252"},
                              {"400", "0.400", "CL", "222"},
                              {"400", "0.400", "CX", "276"},
                              {"340", "0.340", "CH", "278"},
                              {"340", "0.340", "CL", "245"},
                              {"", "", "", ""}});
            break;
        case Page::Targ:
            data.inputs.targBowType = 0;
            data.inputs.wheelType = 2;
            data.grid = grid({{"2315", "0.354", "TP", "345"},
                              {"2413", "0.352", "TP", "315"},
                              {"2314", "0.376", "TP", "324"},
                              {"350", "0.350", "TC", "215"},
                              {"400", "0.400", "TC", "198"},
                              {"300", "0.300", "TC", "235"},
                              {"350", "0.350", "TA", "252"},
                              {"300", "0.300", "TA", "274"},
                              {"2315", "0.354", "ZP,M4", "345,354"},
                              {"2413", "0.352", "ZP,M4", "315,324"},
                              {"", "", "", ""},
                              {"2314", "0.376", "ZP,M4", "324,333"},
                              {"2512", "0.331", "ZP,M4", "338,347"},
                              {"450", "0.450", "TC", "186"}});
            break;
        case Page::Youth:
            data.inputs.bowWeight = "70";
            data.inputs.arrowLength = "31";
            data.inputs.youthBowWeight = "25";
            data.inputs.youthArrowLength = "24";
            data.grid = grid({{"1813", "0.899", "YA", "187"},
                              {"1816", "0.754", "YA", "228"},
                              {"1716", "0.905", "YA", "214"},
                              {"900", "0.900", "YC", "95"},
                              {"", "", "", ""},
                              {"1000", "1.000", "YC", "90"},
                              {"1716", "0.869", "TP", "223"},
                              {"900", "0.900", "TC", "102"}});
            break;
        case Page::Kstr:
            data.inputs.targBowType = 1;
            data.inputs.huntCamType = 1;
            data.grid = grid({{"2315", "0.354", "KA", "348"},
                              {"2413", "0.352", "KA", "318"},
                              {"340", "0.340", "KC", "265"},
                              {"", "", "", ""},
                              {"340", "0.340", "KH", "318"},
                              {"300", "0.300", "KH", "342"}});
            break;
    }
    return data;
}

quivra::customers::CustomerRecordView sampleCustomer() {
    quivra::customers::CustomerRecordView view;
    view.name = "Marsh, Eleanor";
    view.addr1 = "88 Willow Creek Lane";
    view.addr2 = "Apt 2";
    view.city = "Livingston";
    view.state = "MT";
    view.zip = "59047";
    view.country = "USA";
    view.ccode = "EM-0412";
    view.comments =
        "Shoots a 2011 single-cam bow with a drop-away rest. Prefers four-inch vanes; "
        "wants the same set-up in camo for the elk season. Check the nocking point "
        "height at the next visit.\nCall before ordering shafts.";
    view.bowWeight = "62#";
    view.arrowLength = "29\"";
    view.pointWeight = "125Gr";
    view.category = "Hunting Shafts";
    view.bowType = "Compound";
    view.wheelType = "Hard";
    view.release = "Mechanical";
    view.braceHeight = "Under 6.5\"";
    view.overDraw = "2\"";
    return view;
}

BuildSheetReportData sampleBuildSheet() {
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
    data.shop = sampleShop();
    data.printedAt = samplePrintTime();
    return data;
}

}  // namespace quivra::reports::samples
