#pragma once
// SetupStore: the saved set-ups as the customer windows, the export and the
// customer's history see them, wherever they are kept.  Two stores implement
// it: SavedSetupStore, the xBase tables of the data folder (the default, no
// server needed), and the chain's store on a PostgreSQL server
// (src/chain), which falls back to the local tables while the server cannot
// be reached.
//
// A store is a cursor over the set-ups in name order, as the retrieval
// window browses them.  Every set-up has an id that stays the same while the
// store is open (the record number of the local table, the UUID on the
// server): the window comes back to a record by it, and a customer's history
// and the arrow saved with a set-up are found by it.
//
// Nothing here throws; every fallible call returns a Status that says what
// failed, in words for the user's error box.  A store is used by one thread
// at a time.

#include "CustomerAddress.h"
#include "Progress.h"
#include "SavedBuild.h"
#include "SetupCodes.h"
#include "Status.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::customers {

// Adds `more` (when there is any) to a notice the window tells once, a
// blank line between the two.
inline void addNotice(std::string& notice, const std::string& more) {
    if (more.empty()) return;
    if (!notice.empty()) notice += "\n\n";
    notice += more;
}

// One saved record as read back, texts trimmed (the memo keeps its lines).
struct SavedSetup {
    CustomerAddress address;
    std::string date;  // DATE as stored
    SetupCodes codes;

    bool operator==(const SavedSetup&) const = default;
};

// The 19 fields of a saved set-up, in the order of Saveddb.dbf (which the
// server's columns, the outbox and the export keep too): the field's name,
// the part of a SavedSetup it holds, whether it belongs to the customer's
// address (an address correction writes those), and what the windows call
// it (nullptr for DATE and the set-up codes).  Every reader and writer of
// the fields goes through this one list.
struct SetupField {
    const char* name;
    std::string& (*text)(SavedSetup&);
    bool address;
    const char* caption;

    // The field's text in `setup`, read only.
    [[nodiscard]] const std::string& in(const SavedSetup& setup) const {
        return text(const_cast<SavedSetup&>(setup));  // the accessor only picks a member
    }
};
const std::array<SetupField, 19>& setupFields();

// Identity of a saved set-up inside its store; empty for none.
using SetupId = std::string;

// One set-up of a customer's history, with the arrow built for it (the
// newest, should it have been saved twice); none for a set-up saved without.
struct HistoryEntry {
    SetupId id;
    SavedSetup setup;
    std::optional<SavedBuild> build;

    bool operator==(const HistoryEntry&) const = default;
};

// What became of a save: `status` ok means the set-up is kept (on disk with
// its index entry, or on the server, or queued for the server with a local
// copy).  `stored` tells, on failure, whether the record itself was kept
// (only its index entry is then missing), so that the caller neither claims
// success nor invites the user to save the same record twice.
struct AppendOutcome {
    storage::Status status;
    bool stored = false;
    std::uint32_t recNo = 0;   // the new record's number in the local table, when stored there
    bool buildStored = false;  // the arrow given with the set-up is kept with it
};

class SetupStore {
public:
    SetupStore() = default;
    virtual ~SetupStore() = default;
    SetupStore(const SetupStore&) = delete;
    SetupStore& operator=(const SetupStore&) = delete;

    // Opens the store and stands on the first set-up in name order.  Long
    // work (an index rebuild) reports to `progress`; cancelled there, the
    // store stays closed and nothing was changed.
    virtual storage::Status open(const storage::ProgressFn& progress = {}) = 0;
    virtual void close() = 0;
    [[nodiscard]] virtual bool isOpen() const = 0;
    // What is wrong with the store's table when it is damaged (every change
    // is then refused), else ok.
    [[nodiscard]] virtual storage::Status damage() const = 0;
    // What the window should tell the user once, or "" (an index rebuilt,
    // working offline).  Taking it clears it.
    virtual std::string takeNotice() = 0;
    // True when no set-up is saved.  Precondition: open.
    virtual storage::Result<bool> isEmpty() = 0;

    // --- saving (precondition: open) ------------------------------------------
    // Stores one new set-up with the address, the codes and `date`.
    virtual AppendOutcome appendSetup(const CustomerAddress& address, const SetupCodes& codes,
                                      const std::chrono::year_month_day& date) = 0;
    // Stores a new set-up with the arrow built for it: both are kept, or
    // the set-up alone (`stored`, and `status` says why the arrow is not),
    // or neither.  Never an arrow without its set-up.
    virtual AppendOutcome appendSetupWithBuild(const CustomerAddress& address,
                                               const SetupCodes& codes,
                                               const std::chrono::year_month_day& date,
                                               const SavedBuild& build) = 0;

    // --- browsing in name order (precondition: open) ------------------------------
    virtual storage::Status first() = 0;
    virtual storage::Status next() = 0;
    virtual storage::Status previous() = 0;
    virtual storage::Status last() = 0;
    // The first set-up in name order whose name begins with `letters`.  Not
    // found leaves the store at end.
    virtual storage::Result<bool> seekName(std::string_view letters) = 0;
    [[nodiscard]] virtual bool atEnd() const = 0;
    // The current set-up's id ("" at end) and the way back to it.
    [[nodiscard]] virtual SetupId currentId() const = 0;
    virtual storage::Status goToId(const SetupId& id) = 0;
    [[nodiscard]] virtual storage::Result<SavedSetup> current() const = 0;

    // --- correcting the address of the current set-up ---------------------------
    virtual storage::Status beginEdit() = 0;
    // Writes the address fields; the set-up codes and DATE stay.
    virtual storage::Status postAddress(const CustomerAddress& address) = 0;
    virtual void cancelEdit() = 0;
    [[nodiscard]] virtual bool isEditing() const = 0;

    // The most characters a text field keeps (0: no limit, or a memo).
    [[nodiscard]] virtual int textWidth(std::string_view field) const = 0;

    // --- the customer's history ----------------------------------------------------
    // Every set-up saved for the customer with this name and address
    // (sameCustomer()), newest first (sortNewestFirst()), each with its
    // arrow.  The store stays on the set-up it stood on.
    virtual storage::Result<std::vector<HistoryEntry>> history(const CustomerAddress& customer) = 0;

    // --- export ------------------------------------------------------------------------
    // Writes the set-ups as delimited text (docs/export-format.md) to
    // `target`, in the order they were saved; the file is replaced only when
    // complete.  A false answer of `progress` stops with Cancelled and leaves
    // an earlier file as it was.
    virtual storage::Status exportText(const std::filesystem::path& target,
                                       const storage::ProgressFn& progress = {}) = 0;
};

}  // namespace quivra::customers
