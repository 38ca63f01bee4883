#pragma once
// SavedSetupStore: the saved set-ups table (Saveddb.dbf) with its name index
// (Saved.idx) selected, as the customer windows use it.
//
// Record layout (19 fields; every field is written through its text):
//   NAME ADDR1 ADDR2 CITY STATE ZIP COUNTRY CCODE   the customer's address
//   COMMENTS (memo)                                 free, multi-line text
//   DATE                                            save date, MM/dd/yyyy
//                                                   (yyyyMMdd in a D field)
//   HORT BOWWT ARLEN PNTWT BOTYP WHTYP RETYP BOLEN ODLEN   the set-up codes
//
// Every change goes through TableStore::post(), which writes the record and
// brings the selected index up to date before it returns; a change is
// reported as done only when post() said so.
//
// The name index is derived data: when opening or walking it finds damage
// in its nodes, it is rebuilt from the table at once and notice() says so
// (once).  A damaged table is opened all the same, for reading only; see
// damage() and DamagedTable.h.

#include "CustomerAddress.h"
#include "FileIo.h"
#include "Progress.h"
#include "SetupCodes.h"
#include "Status.h"
#include "TableStore.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace quivra::customers {

// One saved record as read back, texts trimmed (the memo keeps its lines).
struct SavedSetup {
    CustomerAddress address;
    std::string date;  // DATE as stored
    SetupCodes codes;

    bool operator==(const SavedSetup&) const = default;
};

// What became of a save: `status` ok means the record and its index entry are
// on disk.  `stored` tells, on failure, whether the record itself reached the
// file (only its index entry is then missing), so that the caller neither
// claims success nor invites the user to save the same record twice.
struct AppendOutcome {
    storage::Status status;
    bool stored = false;
    std::uint32_t recNo = 0;  // the new record's number when stored
};

class SavedSetupStore {
public:
    // Binds to Saveddb.dbf and Saved.idx in `dataDir`; nothing is opened.
    // Every file access goes through `io`, which must outlive the store.
    explicit SavedSetupStore(const std::filesystem::path& dataDir,
                             storage::FileIo& io = storage::FileIo::posix());
    SavedSetupStore(const SavedSetupStore&) = delete;
    SavedSetupStore& operator=(const SavedSetupStore&) = delete;

    // Opens the table, checks that it has the 19 fields and selects the name
    // index.  Errors name the missing file or field.  Stands on the first
    // record in name order.  A name index that misses set-ups is rebuilt
    // first, reporting to `progress`; cancelled there, the store stays closed
    // and the index file as it was.
    storage::Status open(const storage::ProgressFn& progress = {});
    void close();
    [[nodiscard]] bool isOpen() const { return m_table.isOpen(); }
    // What is wrong with the table when it is damaged (then every change is
    // refused), else ok.  Precondition: open.
    [[nodiscard]] storage::Status damage() const { return m_table.damage(); }
    // What the window should tell the user once, or "": that the name index
    // was found damaged and rebuilt.  Taking it clears it.
    std::string takeNotice();

    // Records on file (0 for an empty table), without needing the index.
    static storage::Result<std::uint32_t> countRecords(const std::filesystem::path& dataDir);

    // --- saving (precondition: open) ------------------------------------------
    // Appends one record with the address, the set-up codes and `date`; the
    // name index holds the new key when this returns ok.  Should the index
    // update fail after the record was written, the index is rebuilt from the
    // table before giving up.  Afterwards nothing is pending any more.
    AppendOutcome appendSetup(const CustomerAddress& address, const SetupCodes& codes,
                              const std::chrono::year_month_day& date);

    // --- browsing in name order (precondition: open) ------------------------------
    storage::Status first();
    storage::Status next();
    storage::Status previous();
    storage::Status last();
    // Stands on a record by its physical number (key order goes on from there).
    storage::Status goTo(std::uint32_t recNo) { return m_table.goTo(recNo); }
    // The first record in name order whose name begins with `letters`
    // (compared as typed).  Not found leaves the store at end of table.
    storage::Result<bool> seekName(std::string_view letters);
    [[nodiscard]] bool atEnd() const { return m_table.eof(); }
    [[nodiscard]] std::uint32_t recNo() const { return m_table.recNo(); }
    storage::Result<SavedSetup> current() const;

    // --- correcting the address of the current record --------------------------
    storage::Status beginEdit();
    // Writes the address fields and posts; the set-up codes and DATE stay.
    storage::Status postAddress(const CustomerAddress& address);
    void cancelEdit();
    [[nodiscard]] bool isEditing() const;

    // Width of a character field (the most characters it holds), 0 for a
    // memo or a field the table lacks.  Precondition: open.
    [[nodiscard]] int textWidth(std::string_view field) const;

private:
    // Writes the record's fields (only the address ones with `addressOnly`).
    storage::Status writeFields(SavedSetup& record, bool addressOnly);
    // Rebuilds the name index found damaged by what gave `fault`, and notes
    // it; gives `fault` back when the table itself is damaged (nothing is
    // written into it then, its index included).
    storage::Status rebuildDamagedIndex(const storage::Status& fault);
    // Runs `walk` (an index walk); once more after rebuilding a damaged index.
    storage::Status walkIndex(const std::function<storage::Status()>& walk);

    storage::TableStore m_table;
    std::filesystem::path m_indexFile;
    std::string m_notice;
};

}  // namespace quivra::customers
