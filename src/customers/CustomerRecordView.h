#pragma once
// The texts the retrieval window shows for one saved customer: what the user
// sees, already decoded ("60#", "Compound", `Over 6.5"` ...).  The customer
// record report prints exactly these.

#include <string>

namespace quivra::customers {

struct CustomerRecordView {
    // Bound edits
    std::string name;
    std::string addr1;
    std::string addr2;
    std::string city;
    std::string state;
    std::string zip;
    std::string country;
    std::string ccode;
    std::string comments;
    // Header panel value labels
    std::string bowWeight;    // Label24: BOWWT + "#"
    std::string arrowLength;  // Label25: ARLEN + inch mark
    std::string pointWeight;  // Label27: PNTWT + "Gr"
    std::string category;     // Label17: "Hunting Shafts", ...
    std::string bowType;      // Label9
    std::string wheelType;    // Label10
    std::string release;      // Label12
    std::string braceHeight;  // Label15
    std::string overDraw;     // Label16

    bool operator==(const CustomerRecordView&) const = default;
};

}  // namespace quivra::customers
