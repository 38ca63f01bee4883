#include "ShopRecord.h"

#include "CustomerFiles.h"
#include "TableStore.h"

#include <array>
#include <utility>

namespace quivra::customers {

using storage::Status;

namespace {

std::string trimmed(std::string text) {
    const auto last = text.find_last_not_of(' ');
    text.erase(last == std::string::npos ? 0 : last + 1);
    const auto first = text.find_first_not_of(' ');
    text.erase(0, first == std::string::npos ? text.size() : first);
    return text;
}

// The fields the shop window edits, in its tab order.  COUNTRY is not among
// them: no edit shows it, so a save must leave it as stored.
template <class Record>
auto editedFields(Record& r) {
    return std::array<std::pair<const char*, decltype(&r.name)>, 9>{{
        {"NAME", &r.name},
        {"ADDR1", &r.addr1},
        {"ADDR2", &r.addr2},
        {"CITY", &r.city},
        {"STATE", &r.state},
        {"ZIP", &r.zip},
        {"PHONE", &r.phone},
        {"FAX", &r.fax},
        {"COMMENTS", &r.comments},
    }};
}

}  // namespace

storage::Result<ShopRecord> loadShopRecord(const std::filesystem::path& dataDir) {
    storage::TableStore table(dataDir / kShopTableFile);
    if (Status s = table.open(); !s) return s;
    ShopRecord r;
    if (table.eof()) return r;  // an empty table: a blank shop block
    auto fields = editedFields(r);
    for (const auto& [field, target] : fields) {
        auto text = table.fieldText(field);
        if (!text.isOk()) return text.status();
        *target = trimmed(std::move(text).value());
    }
    auto country = table.fieldText("COUNTRY");
    if (!country.isOk()) return country.status();
    r.country = trimmed(std::move(country).value());
    return r;
}

storage::Status saveShopRecord(const std::filesystem::path& dataDir, const ShopRecord& record) {
    storage::TableStore table(dataDir / kShopTableFile);
    if (Status s = table.open(); !s) return s;
    // The shop record is the table's first record; an empty table gains it.
    Status s = table.eof() ? table.appendBlank() : table.edit();
    if (s) {
        const auto fields = editedFields(record);
        for (const auto& [field, value] : fields) {
            s = table.setFieldText(field, *value);
            if (!s) break;
        }
    }
    if (s) s = table.post();
    if (table.editState() != storage::EditState::Browse) table.cancel();
    table.close();
    return s;
}

}  // namespace quivra::customers
