#pragma once
// The shop's own details: the one record of SHOPINFO.DBF, printed at the head
// and foot of every report and edited in the shop window.

#include "Status.h"

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

// Reads the first record of SHOPINFO.DBF in `dataDir`, trimmed.  An empty
// table gives an empty record; a missing or damaged file gives its error.
storage::Result<ShopRecord> loadShopRecord(const std::filesystem::path& dataDir);

// Writes every field but COUNTRY (which no window edits) into the first
// record of SHOPINFO.DBF in `dataDir`; an empty table gains its first record.
// Ok only when the record has been written.
storage::Status saveShopRecord(const std::filesystem::path& dataDir, const ShopRecord& record);

}  // namespace quivra::customers
