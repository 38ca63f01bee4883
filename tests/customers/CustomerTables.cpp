#include "CustomerTables.h"

#include "TableStore.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace quivra::customers::test {

using storage::FieldSpec;
using storage::Status;
using storage::TableStore;

Status createSavedTables(const std::filesystem::path& dir, bool dateField) {
    const std::vector<FieldSpec> fields{
        {"NAME", 'C', 30},    {"ADDR1", 'C', 30},
        {"ADDR2", 'C', 30},   {"CITY", 'C', 20},
        {"STATE", 'C', 10},   {"ZIP", 'C', 10},
        {"COUNTRY", 'C', 20}, {"CCODE", 'C', 10},
        {"COMMENTS", 'M'},    dateField ? FieldSpec{"DATE", 'D'} : FieldSpec{"DATE", 'C', 10},
        {"HORT", 'C', 1},     {"BOWWT", 'C', 4},
        {"ARLEN", 'C', 4},    {"PNTWT", 'C', 4},
        {"BOTYP", 'C', 1},    {"WHTYP", 'C', 1},
        {"RETYP", 'C', 1},    {"BOLEN", 'C', 1},
        {"ODLEN", 'C', 1},
    };
    if (Status s = TableStore::create(dir / "Saveddb.dbf", fields); !s) return s;
    TableStore table(dir / "Saveddb.dbf");
    if (Status s = table.open(); !s) return s;
    return table.createIndex(dir / "Saved.idx", "NAME");
}

Status createShopTable(const std::filesystem::path& dir, bool withRecord) {
    const std::vector<FieldSpec> fields{
        {"NAME", 'C', 30},  {"ADDR1", 'C', 30}, {"ADDR2", 'C', 30},   {"CITY", 'C', 18},
        {"STATE", 'C', 10}, {"ZIP", 'C', 10},   {"COUNTRY", 'C', 12}, {"COMMENTS", 'C', 60},
        {"PHONE", 'C', 20}, {"FAX", 'C', 20},
    };
    if (Status s = TableStore::create(dir / "SHOPINFO.DBF", fields); !s) return s;
    if (!withRecord) return Status::ok();
    TableStore table(dir / "SHOPINFO.DBF");
    if (Status s = table.open(); !s) return s;
    if (Status s = table.appendBlank(); !s) return s;
    for (const char* f :
         {"NAME", "ADDR1", "ADDR2", "CITY", "STATE", "ZIP", "COMMENTS", "PHONE", "FAX"}) {
        if (Status s = table.setFieldText(f, std::string(f) + " value"); !s) return s;
    }
    if (Status s = table.setFieldText("COUNTRY", "USA"); !s) return s;
    return table.post();
}

CustomerAddress addressNamed(const std::string& name) {
    CustomerAddress a;
    a.name = name;
    a.addr1 = "1 Main St";
    a.city = "Springfield";
    a.state = "IL";
    return a;
}

SetupCodes huntingCodes() {
    return SetupCodes{"0", "60", "30", "100", "0", "0", "0", "0", "0"};
}

SavedBuild sampleBuild() {
    SavedBuild b;
    b.shaftKey = "340CH";
    b.size = "340";
    b.models = "CH";
    b.spineIn = 0.34;
    b.grainsPerInch = 9.3;
    b.lengthIn = 29.0;
    b.pointGr = 100;
    b.insertGr = 15;
    b.nockGr = 9;
    b.fletchingGr = 15;
    b.quantity = 12;
    b.totalGr = 408.7;
    b.focPercent = 11.48;
    b.speedFps = 303.9;
    b.spineCheck = "matches the chart";
    b.bowType = "compound";
    b.ratingFps = 340;
    b.ratingStandard = "IBO";
    b.drawWeightLb = 70;
    b.drawLengthIn = 28;
    b.braceHeightIn = 7;
    b.stringAccessoriesGr = 0;
    b.chartPage = "Hunt";
    b.notes = "Fletch \"left\" wing, 3 vanes; cut from the point end.";
    return b;
}

}  // namespace quivra::customers::test
