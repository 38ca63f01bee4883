#pragma once
// TableStore: the handle on one xBase table (.DBF, with its .FPT/.DBT memo file
// and at most one selected single-order .idx index).  Every table the program
// uses is one TableStore bound to a fixed file name.
//
// Texts cross this API as UTF-8; inside the file they are in the table's code
// page.  Nothing here throws: every fallible call returns a Status or a Result.
//
// Record numbers are 1-based and physical.  Without an index the navigation
// calls (first/next/previous/last) follow physical order and skip deleted
// records; with an index selected they follow key order.  The handle is at
// end of table (eof()) after moving past the last record or after a failed
// seek; there every field reads as blanks and every number as 0.

#include "FieldDef.h"
#include "Progress.h"
#include "Status.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::storage {

class FileIo;
class IndexFile;
class TableFile;
struct RecordImage;

enum class EditState { Browse, Edit, Append };

class TableStore {
public:
    // Binds the handle to a file; nothing is opened yet.
    explicit TableStore(std::filesystem::path file);
    // Same, with every file access going through `io` (tests put a failing
    // device there).  `io` must outlive the handle.
    TableStore(std::filesystem::path file, FileIo& io);
    ~TableStore();
    TableStore(const TableStore&) = delete;
    TableStore& operator=(const TableStore&) = delete;

    // Creates a new, empty table (FoxPro 2.x: version 0x03, or 0xF5 with an
    // .FPT memo file when a field is of type M).  Fails when the file exists
    // unless `replace` is set; a replaced file is written under a temporary
    // name and renamed, so the old one survives a failure.
    static Status create(const std::filesystem::path& file, const std::vector<FieldSpec>& fields,
                         CodePage codePage = CodePage::Cp1252, bool replace = false);
    static Status create(const std::filesystem::path& file, const std::vector<FieldSpec>& fields,
                         CodePage codePage, bool replace, FileIo& io);

    // --- open / close -------------------------------------------------------
    // Opens the table.  Opening an open table does nothing and keeps the
    // current record.  A new open stands on the first record (or at end of
    // table when it is empty).
    Status open();
    // Closes the table, its memo file and its index.  Pending edits are discarded.
    void close();
    [[nodiscard]] bool isOpen() const;
    [[nodiscard]] const std::filesystem::path& path() const { return m_path; }
    // Ok, or a Corruption status naming the file and what is wrong with it:
    // a file that disagrees with its header (cut short, a count too low or
    // too high, bytes after the last record), field descriptions no writer
    // makes, deleted flags other readers refuse (found as records are read).
    // A damaged table is read as far as it goes and never written: appends,
    // edits and exports are refused until TableRepair has mended it.
    // Callers should show it and offer the repair.
    [[nodiscard]] Status damage() const;

    // --- schema -------------------------------------------------------------
    // Precondition for the calls below: isOpen().
    [[nodiscard]] const std::vector<FieldDef>& fields() const;
    // Index of the field (name compared without regard to case), or -1.
    [[nodiscard]] int fieldIndex(std::string_view name) const;
    [[nodiscard]] CodePage codePage() const;
    [[nodiscard]] std::uint8_t version() const;

    // --- navigation ---------------------------------------------------------
    // Moving (goTo, first, next, previous, last, seek) or starting another
    // edit while a record is being edited or appended first posts it when a
    // field was set, and drops it otherwise, as data-aware controls expect;
    // when that post fails the move does not happen and its Status is returned.
    // first() and last() re-read the record count, so records appended by
    // another handle become visible.
    [[nodiscard]] std::uint32_t recordCount() const;  // physical records, deleted included
    [[nodiscard]] std::uint32_t recNo() const;        // current record; 0 at end of table
    [[nodiscard]] bool eof() const;
    [[nodiscard]] bool bof() const;  // true after previous() tried to move before the first record
    [[nodiscard]] bool isDeleted() const;
    Status goTo(std::uint32_t recNo);  // physical, also while an index is selected
    // first/next/previous/last: without a record to move to, next() and
    // last() end at end of table, previous() stays and sets bof().
    Status first();
    Status next();
    Status previous();
    Status last();

    // --- fields of the current record ---------------------------------------
    // Character fields come back padded with blanks to the field width; memo
    // fields give the memo text; numbers as stored (trimmed); dates YYYYMMDD
    // ("" when blank); logicals "T"/"F"/" ".  Layouts: docs/dbf-format.md.
    [[nodiscard]] Result<std::string> fieldText(std::string_view name) const;
    // The text converted; a text that is not a whole number (32 bits) gives a
    // Conversion status with notAnIntegerMessage(trimmed text).  Blank reads as 0.
    [[nodiscard]] Result<std::int32_t> fieldInt(std::string_view name) const;
    // Likewise with notAFloatMessage(trimmed text).  Blank reads as 0.
    [[nodiscard]] Result<double> fieldFloat(std::string_view name) const;
    // Writes a field of the record being edited or appended (precondition:
    // editState() != Browse).  Texts too long for a character field are cut
    // at the width; a number that does not fit its width is refused; a text
    // the code page cannot hold is refused with an Encoding status naming the field.
    Status setFieldText(std::string_view name, std::string_view utf8);
    // The first character of `utf8` that this table's code page cannot hold
    // (as UTF-8), or "" when setFieldText() would take every character.  For
    // a message that names the field as the user knows it.  Precondition: open.
    [[nodiscard]] std::string unstorableCharacter(std::string_view utf8) const;

    // --- editing ------------------------------------------------------------
    // Tables this engine only reads (Visual FoxPro, dBASE III with memo,
    // read-only files) refuse appendBlank() and edit() with a status saying why.
    //
    // Starts a new blank record; nothing reaches the file until post().
    Status appendBlank();
    // Puts the current record into edit mode: takes its record lock (waiting
    // up to setLockTimeout() while another handle, in this or another
    // process, holds it; then Busy) and re-reads the record under the lock.
    Status edit();
    // Writes the pending record.  A new record is appended as
    // record, count, sync; an edit rewrites the record in place.  The selected
    // index is brought up to date before post() returns.  With an index, all
    // of it runs under the table's header lock, after making sure the index
    // file is still the one at its path (another handle's rebuild replaces
    // it).  A header lock that stays busy gives a Busy status, "Another copy
    // of Quivra is saving to <file>. Try again in a moment.", and the record
    // stays pending.
    Status post();
    // How long any lock is waited for before giving up with a Busy status:
    // a record another handle is editing (edit()), the header lock (post(),
    // rebuilds, a select that must rebuild).  Default 2 seconds.
    void setLockTimeout(std::chrono::milliseconds wait);
    // Drops the pending record or edit.  A failed post() leaves the record
    // pending, so the caller may correct it and post again, or cancel.
    void cancel();
    [[nodiscard]] EditState editState() const;

    // --- indexes (single-order FoxPro .idx) -----------------------------------
    // Opens the index file and makes it the controlling order; selecting the
    // same file again does nothing.  A missing file gives
    // "Index file does not exist.\rFile: " followed by the name.  The index
    // must pass a cheap structural check (IndexFile::checkStructure());
    // otherwise it is not selected and the Corruption status naming it is
    // returned (and kept in indexDamage()): rebuildIndexFile() mends it.  An
    // index that misses records, or whose last change was cut off, is
    // rebuilt here under the header lock, unless the table is damaged;
    // `progress` hears of that rebuild, and a cancel leaves nothing selected.
    Status selectIndex(const std::filesystem::path& idxFile, const ProgressFn& progress = {});
    // Closes the selected index; navigation returns to physical order.
    void closeIndexes();
    // Rebuilds the selected index from the table (new file, renamed over the
    // old) under the header lock.  A cancel through `progress` leaves the old
    // file.
    Status rebuildIndex(const ProgressFn& progress = {});
    // Rebuilds the named index on its own key expression, however damaged
    // its nodes, and selects it.
    Status rebuildIndexFile(const std::filesystem::path& idxFile, const ProgressFn& progress = {});
    // The damage the selected (or last selected) index was found with, else
    // ok.  Set when a select or a walk of the index meets damage in its
    // nodes that is still there under the header lock (not another writer's
    // change half seen); cleared by a select or a rebuild that succeeds.
    [[nodiscard]] const Status& indexDamage() const { return m_indexDamage; }
    // Seeks the controlling order: found positions on the first record in key
    // order whose key begins with `key` (compared as typed, byte by byte in the
    // table's code page); not found leaves the handle at end of table.  A
    // fault met on the way gives a Corruption status, never "not found".
    Result<bool> seek(std::string_view key);
    [[nodiscard]] bool hasIndex() const;
    // Writes a new standard-layout .idx for this (open) table on the key expression.
    Status createIndex(const std::filesystem::path& idxFile, std::string_view keyExpression,
                       const ProgressFn& progress = {});

    // --- export -------------------------------------------------------------
    // Copies every record that is not deleted, in physical order, to a text
    // file.  Type code 21 is delimited text (see docs/export-format.md).  The
    // file is written under a temporary name and renamed when complete, so a
    // failure or a cancel through `progress` leaves an earlier file of that
    // name as it was.  A damaged table gives its damage (see damage()).
    Status copyToText(const std::filesystem::path& target, int typeCode,
                      const ProgressFn& progress = {}) const;

private:
    // Hooks between the table and its index (implemented with the index code).
    Status indexAfterPost(std::uint32_t recNo, const std::string& oldRecord, bool appended);
    // Runs `walk` (a read of the index); when the index reports damage, runs
    // it again under the header lock, where no writer is midway, and keeps
    // what is still found in m_indexDamage.
    Status walkIndex(const std::function<Status()>& walk);
    // Opens the index `file` (the name `asGiven` by the caller, for the
    // message of a missing file) with this handle's lock wait.
    Result<std::unique_ptr<IndexFile>> openIndex(const std::filesystem::path& file,
                                                 const std::filesystem::path& asGiven);
    Status appendPending();
    Status rewritePending();

    // Stands on record `recNo` (1..recordCount(), read from the file) or, for
    // 0, at end of table.  Used by navigation and by seek.
    Status loadRecord(std::uint32_t recNo);
    // Posts a modified pending record, drops an unmodified one.
    Status leaveEditState();
    // The first record at or after (`forward`) / before `from` that is not
    // deleted, in the controlling order; 0 when there is none.
    Result<std::uint32_t> skipDeleted(std::uint32_t from, bool forward) const;
    Result<std::size_t> fieldFor(std::string_view name) const;
    [[nodiscard]] Status notOpen() const;

    std::filesystem::path m_path;
    FileIo& m_io;
    std::unique_ptr<TableFile> m_table;  // null while closed
    std::unique_ptr<IndexFile> m_index;  // null while no index is selected
    std::string m_record;                // the current record's bytes; blanks at end of table
    std::uint32_t m_recNo = 0;           // 0 at end of table
    bool m_bof = false;
    EditState m_state = EditState::Browse;
    std::unique_ptr<RecordImage> m_pending;  // the record being edited or appended
    bool m_modified = false;                 // a field of m_pending was set
    std::chrono::milliseconds m_lockTimeout{2000};
    Status m_indexDamage;
};

}  // namespace quivra::storage
