#include "SampleData.h"

#include <string>

namespace quivra::reports::samples {

namespace {

using quivra::selection::GridButton;
using quivra::selection::Page;
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
    return {button(row.size), button(row.spine), button(row.models), button(row.weight)};
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
            data.grid = grid({{"2213", "0.500", "XX75", "466"},
                              {"2215", "0.480", "XX75,Camo", "486"},
                              {"2117", "0.500", "KV,M4", "417,428"},
                              {"400", "0.400", "Carbon", "Details"},
                              {"2216", "0.440", "XX78", "510"},
                              {"2219", "0.430", "XX78", "548"},
                              {"340", "0.340", "Carbon", "Details"},
                              {"2312", "0.460", "XX75", "480"},
                              {"", "", "", ""},
                              {"2314", "0.420", "XX78", "512"},
                              {"400", "0.400", "Carbon Hunter", "285"},
                              {"340", "0.340", "Carbon Hunter", "312"},
                              {"3-49", "0.390", "Carbon Express Pro", "297"},
                              {"3-28", "0.420", "Carbon Express Pro", "264"},
                              {"500", "0.500", "Lightweight", "240"},
                              {"", "", "", ""}});
            break;
        case Page::Targ:
            data.inputs.targBowType = 0;
            data.inputs.wheelType = 2;
            data.grid = grid({{"1916", "0.756", "XX75", "344"},
                              {"2013", "0.710", "XX75", "332"},
                              {"2014", "0.650", "X7", "358"},
                              {"2114", "0.600", "X7", "371"},
                              {"2012", "0.720", "XX75", "316"},
                              {"A/C/E 720", "0.720", "ACE", "222"},
                              {"A/C/E 670", "0.670", "ACE", "234"},
                              {"X10 550", "0.550", "X10", "246"},
                              {"X10 500", "0.500", "X10", "258"},
                              {"1914", "0.800", "XX75", "327"},
                              {"", "", "", ""},
                              {"A/C/C 3-49", "0.490", "ACC", "240"},
                              {"A/C/C 3-39", "0.560", "ACC", "228"},
                              {"Navigator 600", "0.600", "ACG", "252"}});
            break;
        case Page::Youth:
            data.inputs.bowWeight = "70";
            data.inputs.arrowLength = "31";
            data.inputs.youthBowWeight = "25";
            data.inputs.youthArrowLength = "24";
            data.grid = grid({{"1413", "1.250", "Jazz", "183"},
                              {"1516", "1.000", "Jazz", "205"},
                              {"1616", "0.880", "Jazz", "220"},
                              {"1716", "0.780", "Platinum", "235"},
                              {"", "", "", ""},
                              {"1816", "0.650", "Platinum", "252"},
                              {"1820", "0.580", "Eclipse", "288"},
                              {"1913", "0.730", "Eclipse", "264"}});
            break;
        case Page::Kstr:
            data.inputs.targBowType = 1;
            data.inputs.wheelType = 1;
            data.grid = grid({{"300", "0.300", "Trailblazer", "296"},
                              {"350", "0.350", "Trailblazer", "280"},
                              {"400", "0.400", "Ridgeline", "262"},
                              {"", "", "", ""},
                              {"500", "0.500", "Ridgeline", "231"},
                              {"600", "0.600", "Youth Carbon", "205"}});
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

}  // namespace quivra::reports::samples
