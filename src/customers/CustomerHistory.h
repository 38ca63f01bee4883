#pragma once
// CustomerHistory: every set-up saved for one customer, newest first, with
// the arrow built for each, for the retrieval window's history list.
//
// One customer is one name (as stored, trailing blanks aside) at one
// address: the first address line, city and state agree, and so do the
// second line and the ZIP code where both records have one.  Addresses are
// compared without regard to case or runs of blanks ("12 Elm st" is
// "12  Elm St").  The name is found through the name index Saved.idx, so
// listing one customer's history reads that customer's records only.
//
// Order: by the stored DATE, read in whatever form it was written
// (parseStoredDate()); set-ups of one day, and set-ups whose date cannot be
// read (listed last), by saving order, the last saved first.  Dates are
// shown as stored.

#include "BuildStore.h"
#include "CustomerAddress.h"
#include "SavedSetupStore.h"
#include "Status.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quivra::customers {

struct HistoryItem {
    std::uint32_t recNo = 0;  // the set-up's record in Saveddb.dbf
    SavedSetup setup;
    std::optional<std::chrono::year_month_day> date;  // DATE read as a date
    std::string signature;                            // setupSignature(setup)
    std::optional<FoundBuild> build;                  // none for older set-ups
};

// A customer's set-up with the arrow built for it: what "Re-order" opens
// the build sheet with and what the bench ticket prints.
struct CustomerBuild {
    CustomerAddress customer;
    std::string setupDate;  // DATE as stored
    SetupCodes codes;
    SavedBuild build;
};

// The texts of one line of the history list.
struct HistoryRow {
    std::string date;         // DATE as stored
    std::string category;     // "Hunting Shafts", ...
    std::string bowWeight;    // "60#"
    std::string arrowLength;  // 30"
    std::string shaft;        // "340 CH", or "(no build)"
};

// Whether two addresses belong to one customer (see above).
bool sameCustomer(const CustomerAddress& a, const CustomerAddress& b);

// The set-ups of `customer`, newest first.  `setups` must be open; it is
// left on an unspecified record.  `builds` may be closed (no builds yet).
storage::Result<std::vector<HistoryItem>> customerHistory(SavedSetupStore& setups,
                                                          BuildStore& builds,
                                                          const CustomerAddress& customer);

HistoryRow historyRow(const HistoryItem& entry);

// The entry with its build (precondition: entry.build).
CustomerBuild customerBuild(const HistoryItem& entry);

// "340 CH": the size and the models of a build.
std::string shaftText(const SavedBuild& build);

}  // namespace quivra::customers
