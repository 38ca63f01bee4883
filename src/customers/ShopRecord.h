#pragma once
// The shop's own details: the one record of SHOPINFO.DBF, printed at the head
// and foot of every report and edited in the shop window.

#include "Status.h"

#include <array>
#include <filesystem>
#include <string>

namespace quivra::customers {

struct ShopRecord {
    std::string name;      // NAME, 30
    std::string addr1;     // ADDR1, 30
    std::string addr2;     // ADDR2, 30
    std::string city;      // CITY, 18
    std::string state;     // STATE, 10
    std::string zip;       // ZIP, 10
    std::string country;   // COUNTRY, 12 (never edited by the program)
    std::string comments;  // COMMENTS, 60: "Additional Report Text:"
    std::string phone;     // PHONE, 20
    std::string fax;       // FAX, 20

    bool operator==(const ShopRecord&) const = default;
};

// The fields the shop window edits, in its tab order (DBEdit1 .. DBEdit9),
// with the caption each is shown under.  COUNTRY is not among them: no edit
// shows it, so a save leaves it as stored.
struct ShopField {
    const char* name;     // field of SHOPINFO.DBF
    const char* caption;  // "Shop Name"
    std::string ShopRecord::*text;
};
inline constexpr std::array<ShopField, 9> kEditedShopFields{{
    {"NAME", "Shop Name", &ShopRecord::name},
    {"ADDR1", "Address 1", &ShopRecord::addr1},
    {"ADDR2", "Address 2", &ShopRecord::addr2},
    {"CITY", "City", &ShopRecord::city},
    {"STATE", "State", &ShopRecord::state},
    {"ZIP", "Zip", &ShopRecord::zip},
    {"PHONE", "Phone", &ShopRecord::phone},
    {"FAX", "FAX", &ShopRecord::fax},
    {"COMMENTS", "Additional Report Text", &ShopRecord::comments},
}};

// Reads the first record of SHOPINFO.DBF in `dataDir`, trimmed.  An empty
// table gives an empty record; a missing or damaged file gives its error.
storage::Result<ShopRecord> loadShopRecord(const std::filesystem::path& dataDir);

// Writes every field but COUNTRY (which no window edits) into the first
// record of SHOPINFO.DBF in `dataDir`; an empty table gains its first record.
// Ok only when the record has been written.  A letter the table's code page
// cannot hold refuses the save with a message naming the field's caption
// (StorableText.h).
storage::Status saveShopRecord(const std::filesystem::path& dataDir, const ShopRecord& record);

}  // namespace quivra::customers
