#include "ShopRecord.h"

#include "CustomerFiles.h"
#include "StorableText.h"
#include "TableStore.h"

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

}  // namespace

storage::Result<ShopRecord> loadShopRecord(const std::filesystem::path& dataDir) {
    storage::TableStore table(dataDir / kShopTableFile);
    if (Status s = table.open(); !s) return s;
    ShopRecord r;
    if (table.eof()) return r;  // an empty table: a blank shop block
    for (const ShopField& field : kEditedShopFields) {
        auto text = table.fieldText(field.name);
        if (!text.isOk()) return text.status();
        r.*field.text = trimmed(std::move(text).value());
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
    for (const ShopField& field : kEditedShopFields) {
        if (!s) break;
        s = checkStorable(table, field.caption, record.*field.text);
        if (s) s = table.setFieldText(field.name, record.*field.text);
    }
    if (s) s = table.post();
    if (table.editState() != storage::EditState::Browse) table.cancel();
    table.close();
    return s;
}

}  // namespace quivra::customers
