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
#include "Status.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::storage {

class IndexFile;
class TableFile;

enum class EditState { Browse, Edit, Append };

class TableStore {
public:
    // Binds the handle to a file; nothing is opened yet.
    explicit TableStore(std::filesystem::path file);
    ~TableStore();
    TableStore(const TableStore&) = delete;
    TableStore& operator=(const TableStore&) = delete;

    // Creates a new, empty table (FoxPro 2.x: version 0x03, or 0xF5 with an
    // .FPT memo file when a field is of type M).  Fails when the file exists
    // unless `replace` is set; a replaced file is written under a temporary
    // name and renamed, so the old one survives a failure.
    static Status create(const std::filesystem::path& file, const std::vector<FieldSpec>& fields,
                         CodePage codePage = CodePage::Cp1252, bool replace = false);

    // --- open / close -------------------------------------------------------
    // Opens the table.  Opening an open table does nothing and keeps the
    // current record.  A new open stands on the first record (or at end of
    // table when it is empty).
    Status open();
    // Closes the table, its memo file and its index.  Pending edits are discarded.
    void close();
    [[nodiscard]] bool isOpen() const;
    [[nodiscard]] const std::filesystem::path& path() const { return m_path; }

    // --- schema -------------------------------------------------------------
    // Precondition for the calls below: isOpen().
    [[nodiscard]] const std::vector<FieldDef>& fields() const;
    // Index of the field (name compared without regard to case), or -1.
    [[nodiscard]] int fieldIndex(std::string_view name) const;
    [[nodiscard]] CodePage codePage() const;
    [[nodiscard]] std::uint8_t version() const;

    // --- navigation ---------------------------------------------------------
    [[nodiscard]] std::uint32_t recordCount() const;  // physical records, deleted included
    [[nodiscard]] std::uint32_t recNo() const;        // current record; 0 at end of table
    [[nodiscard]] bool eof() const;
    [[nodiscard]] bool bof() const;  // true after previous() tried to move before the first record
    [[nodiscard]] bool isDeleted() const;
    Status goTo(std::uint32_t recNo);  // physical, also while an index is selected
    Status first();
    Status next();
    Status previous();
    Status last();

    // --- fields of the current record ---------------------------------------
    // Character fields come back padded with blanks to the field width; memo
    // fields give the memo text; numbers as stored (trimmed); dates YYYYMMDD;
    // logicals "T"/"F"/" ".
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

    // --- editing ------------------------------------------------------------
    // Starts a new blank record; nothing reaches the file until post().
    Status appendBlank();
    // Puts the current record into edit mode (takes its record lock).
    Status edit();
    // Writes the pending record.  A new record is appended as
    // record, count, sync; an edit rewrites the record in place.  The selected
    // index is brought up to date before post() returns.
    Status post();
    // Drops the pending record or edit.
    void cancel();
    [[nodiscard]] EditState editState() const;

    // --- indexes (single-order FoxPro .idx) -----------------------------------
    // Opens the index file and makes it the controlling order; selecting the
    // same file again does nothing.  A missing file gives
    // "Index file does not exist.\rFile: " followed by the name.
    Status selectIndex(const std::filesystem::path& idxFile);
    // Closes the selected index; navigation returns to physical order.
    void closeIndexes();
    // Rebuilds the selected index from the table (new file, renamed over the old).
    Status rebuildIndex();
    // Seeks the controlling order: found positions on the first record in key
    // order whose key begins with `key` (compared as typed, byte by byte in the
    // table's code page); not found leaves the handle at end of table.
    Result<bool> seek(std::string_view key);
    [[nodiscard]] bool hasIndex() const;
    // Writes a new standard-layout .idx for this (open) table on the key expression.
    Status createIndex(const std::filesystem::path& idxFile, std::string_view keyExpression);

    // --- export -------------------------------------------------------------
    // Copies every record that is not deleted, in physical order, to a text
    // file.  Type code 21 is delimited text (see docs/export-format.md).  The
    // file is written under a temporary name and renamed when complete.
    Status copyToText(const std::filesystem::path& target, int typeCode) const;

private:
    // Hooks between the table and its index (implemented with the index code).
    Status indexAfterPost(std::uint32_t recNo, const std::string& oldRecord, bool appended);

    std::filesystem::path m_path;
    std::unique_ptr<TableFile> m_table;  // null while closed
    std::unique_ptr<IndexFile> m_index;  // null while no index is selected
};

}  // namespace quivra::storage
