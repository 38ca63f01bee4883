#pragma once
// SavedSetupStore: the local store of saved set-ups (SetupStore.h), the
// table Saveddb.dbf with its name index (Saved.idx) selected.  A set-up's id
// is its record number as decimal text.
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
#include "SetupStore.h"
#include "Status.h"
#include "TableStore.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::customers {

class SavedSetupStore final : public SetupStore {
public:
    // Binds to Saveddb.dbf and Saved.idx in `dataDir`; nothing is opened.
    // Every file access goes through `io`, which must outlive the store.
    explicit SavedSetupStore(const std::filesystem::path& dataDir,
                             storage::FileIo& io = storage::FileIo::posix());

    // Opens the table, checks that it has the 19 fields and selects the name
    // index.  Errors name the missing file or field.  Stands on the first
    // record in name order.  A name index that misses set-ups is rebuilt
    // first, reporting to `progress`; cancelled there, the store stays closed
    // and the index file as it was.
    storage::Status open(const storage::ProgressFn& progress = {}) override;
    void close() override;
    [[nodiscard]] bool isOpen() const override { return m_table.isOpen(); }
    // What is wrong with the table when it is damaged (then every change is
    // refused), else ok.  Precondition: open.
    [[nodiscard]] storage::Status damage() const override { return m_table.damage(); }
    // What the window should tell the user once, or "": that the name index
    // was found damaged and rebuilt.  Taking it clears it.
    std::string takeNotice() override;

    // The 19 fields of a new Saveddb.dbf, at the widths the program is
    // delivered with (quivra-sync export writes such a table).
    static std::vector<storage::FieldSpec> tableFields();
    // What writeRecord() wrote.
    struct WriteReport {
        storage::Status status;
        long cut = 0;       // texts longer than their field, cut at its width
        long replaced = 0;  // texts the code page cannot hold, written with '?' for such letters
    };
    // Writes every field of `setup` into the record `table` is appending or
    // editing.  Unlike a save from the windows, a text the code page cannot
    // hold is written with '?' in place of each letter beyond ASCII.
    static WriteReport writeRecord(storage::TableStore& table, const SavedSetup& setup);

    // Records on file (0 for an empty table), without needing the index.
    static storage::Result<std::uint32_t> countRecords(
        const std::filesystem::path& dataDir, storage::FileIo& io = storage::FileIo::posix());
    storage::Result<bool> isEmpty() override;

    // --- saving (precondition: open) ------------------------------------------
    // Appends one record with the address, the set-up codes and `date`; the
    // name index holds the new key when this returns ok.  Should the index
    // update fail after the record was written, the index is rebuilt from the
    // table before giving up.  Afterwards nothing is pending any more.
    AppendOutcome appendSetup(const CustomerAddress& address, const SetupCodes& codes,
                              const std::chrono::year_month_day& date) override;
    // Appends the set-up as appendSetup() does, then the arrow into
    // Builds.dbf beside it (BuildStore.h), each durable before the next
    // begins: a crash leaves both, the set-up alone, or nothing.
    AppendOutcome appendSetupWithBuild(const CustomerAddress& address, const SetupCodes& codes,
                                       const std::chrono::year_month_day& date,
                                       const SavedBuild& build) override;

    // --- browsing in name order (precondition: open) ------------------------------
    storage::Status first() override;
    storage::Status next() override;
    storage::Status previous() override;
    storage::Status last() override;
    // Stands on a record by its physical number (key order goes on from there).
    storage::Status goTo(std::uint32_t recNo) { return m_table.goTo(recNo); }
    // The first record in name order whose name begins with `letters`
    // (compared as typed).  Not found leaves the store at end of table.
    storage::Result<bool> seekName(std::string_view letters) override;
    [[nodiscard]] bool atEnd() const override { return m_table.eof(); }
    [[nodiscard]] std::uint32_t recNo() const { return m_table.recNo(); }
    [[nodiscard]] SetupId currentId() const override;
    storage::Status goToId(const SetupId& id) override;
    storage::Result<SavedSetup> current() const override;

    // --- correcting the address of the current record --------------------------
    storage::Status beginEdit() override;
    // Writes the address fields and posts; the set-up codes and DATE stay.
    storage::Status postAddress(const CustomerAddress& address) override;
    void cancelEdit() override;
    [[nodiscard]] bool isEditing() const override;

    // Width of a character field (the most characters it holds), 0 for a
    // memo or a field the table lacks.  Precondition: open.
    [[nodiscard]] int textWidth(std::string_view field) const override;

    // The customer's set-ups found through the name index, so that only
    // that customer's records are read, with the arrows Builds.dbf keeps
    // for them.  The store stands where it stood before.
    storage::Result<std::vector<HistoryEntry>> history(const CustomerAddress& customer) override;
    // The table in record order, through a handle of its own (no index).
    storage::Status exportText(const std::filesystem::path& target,
                               const storage::ProgressFn& progress = {}) override;

private:
    // Writes the record's fields (only the address ones with `addressOnly`).
    storage::Status writeFields(SavedSetup& record, bool addressOnly);
    // Rebuilds the name index found damaged by what gave `fault`, and notes
    // it; gives `fault` back when the table itself is damaged (nothing is
    // written into it then, its index included).
    storage::Status rebuildDamagedIndex(const storage::Status& fault);
    // Runs `walk` (an index walk); once more after rebuilding a damaged index.
    storage::Status walkIndex(const std::function<storage::Status()>& walk);

    storage::FileIo* m_io;
    storage::TableStore m_table;
    std::filesystem::path m_indexFile;
    std::string m_notice;
};

}  // namespace quivra::customers
