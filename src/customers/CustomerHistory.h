#pragma once
// CustomerHistory: the rules of a customer's history, every set-up saved
// for one customer, newest first, with the arrow built for each, as the
// retrieval window lists it.  Each store reads the history its own way
// (SetupStore::history()); these rules make the lists alike.
//
// One customer is one name (as stored, trailing blanks aside) at one
// address: the first address line, city and state agree, and so do the
// second line and the ZIP code where both records have one.  Addresses are
// compared without regard to case or runs of blanks ("12 Elm st" is
// "12  Elm St").
//
// Order: by the stored DATE, read in whatever form it was written
// (parseStoredDate()); set-ups of one day, and set-ups whose date cannot be
// read (listed last), by saving order, the last saved first.  Dates are
// shown as stored.

#include "CustomerAddress.h"
#include "SavedBuild.h"
#include "SetupStore.h"

#include <string>
#include <vector>

namespace quivra::customers {

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

// The name as a customer's key: the stored text without trailing blanks.
std::string customerName(std::string name);

// Puts `entries`, given in saving order with the last saved first, in the
// history's order (see above).
void sortNewestFirst(std::vector<HistoryEntry>& entries);

HistoryRow historyRow(const HistoryEntry& entry);

// The entry with its build (precondition: entry.build).
CustomerBuild customerBuild(const HistoryEntry& entry);

// "340 CH": the size and the models of a build.
std::string shaftText(const SavedBuild& build);

}  // namespace quivra::customers
