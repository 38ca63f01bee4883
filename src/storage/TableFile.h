#pragma once
// TableFile: one open .DBF file with its memo file, below the TableStore
// handle.  It knows the header, reads and writes raw records, converts field
// bytes to and from UTF-8 and takes the file locks.  The index code uses it
// to read keys: raw records are in the table's code page, exactly as on disk.
//
// Locking: writers take open-file-description locks at the offsets FoxPro
// uses, so other programs on the same file see them:
//   header/append lock: 1 byte at 0x40000000
//   record n:           1 byte at 0x40000000 + headerLength + (n - 1) * recordLength
// Readers take no lock, except a shared header lock while they make sure
// that what looks like damage is not an append in progress.  Every wait for
// a lock is bounded by lockWait(); docs/multi-process.md gives the rules.
//
// Damage: a file that disagrees with its header (cut short, a count too low
// or too high, bytes after the last record) or holds what the format does
// not allow (unknown field types, impossible decimals, a field named twice,
// a deleted flag other than blank or '*') is read as far as it goes, and
// damage() says what is wrong; such a table is never written (writeRefusal())
// until TableRepair has mended it.
//
// Not thread-safe; one TableFile belongs to one TableStore.

#include "FieldDef.h"
#include "FileIo.h"
#include "Status.h"
#include "TextCodec.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::storage {

class MemoFile;

// Whether a field type keeps its value in the memo file (M, and G/P of Visual FoxPro).
inline bool isMemoType(char type) {
    return type == 'M' || type == 'G' || type == 'P';
}
// The memo file beside a table: same name, extension .FPT (or .DBT for
// dBASE III), in the letter case of the table's extension when it exists.
std::filesystem::path memoPathFor(const std::filesystem::path& table, bool dbase, FileIo& io);

// Field values of a record being written: the record bytes plus the memo
// texts (code-page bytes) set since the record was loaded, by field index.
struct RecordImage {
    std::string bytes;                         // recordLength() bytes, byte 0 the deleted flag
    std::map<std::size_t, std::string> memos;  // new memo texts; "" clears the memo
};

class TableFile {
public:
    // How long a lock is waited for unless setLockWait() says otherwise.
    static constexpr std::chrono::milliseconds kDefaultLockWait{2000};

    // Opens an existing table (read-write when the file allows it, else read
    // only) and its memo file when the version has one.  `io` must outlive
    // the TableFile.  `lockWait` bounds the wait for the header lock while
    // damage is told from an append in progress.
    static Result<std::unique_ptr<TableFile>> open(
        const std::filesystem::path& path, FileIo& io,
        std::chrono::milliseconds lockWait = kDefaultLockWait);
    // Writes a new empty FoxPro 2.x table (and .FPT when a field is a memo)
    // under temporary names, then renames them into place.
    static Status create(const std::filesystem::path& path, const std::vector<FieldSpec>& fields,
                         CodePage codePage, bool replace, FileIo& io);

    ~TableFile();
    TableFile(const TableFile&) = delete;
    TableFile& operator=(const TableFile&) = delete;

    // --- layout -------------------------------------------------------------
    [[nodiscard]] const std::filesystem::path& path() const { return m_path; }
    // The visible fields in record order (a Visual FoxPro _NullFlags field is left out).
    [[nodiscard]] const std::vector<FieldDef>& fields() const { return m_fields; }
    // Index into fields() (name compared without regard to case), or -1.
    [[nodiscard]] int fieldIndex(std::string_view name) const;
    [[nodiscard]] std::uint8_t version() const { return m_version; }
    [[nodiscard]] CodePage codePage() const { return m_codec.codePage(); }
    [[nodiscard]] const TextCodec& codec() const { return m_codec; }
    [[nodiscard]] std::uint32_t headerLength() const { return m_headerLength; }
    [[nodiscard]] std::uint32_t recordLength() const { return m_recordLength; }
    [[nodiscard]] bool hasMemo() const { return m_memo != nullptr; }
    // Whether this engine writes this table (FoxPro 2.x versions, file
    // writable, no damage).
    [[nodiscard]] bool writable() const;
    // Why writes are refused, when !writable(): the damage, the file that is
    // read-only, or the version this engine only reads.
    [[nodiscard]] Status writeRefusal() const;
    // Whether the table file itself was opened for writing (damage aside).
    [[nodiscard]] bool fileWritable() const { return !m_readOnly; }

    // Records this handle knows of: the header's count, or fewer when the
    // file ends early; for a damaged table every whole record on file (see
    // damage()).
    [[nodiscard]] std::uint32_t recordCount() const { return m_recordCount; }
    // Re-reads the record count from the file (another handle may have appended).
    Status refreshCount();
    // Ok, or a Corruption status naming the file and every fault found so
    // far: on opening, or later in a record read (a bad deleted flag).
    [[nodiscard]] const Status& damage() const { return m_damage; }

    // --- header lock ----------------------------------------------------------
    // Holds the header lock for its lifetime: exclusive on a table opened for
    // writing, shared on one opened for reading (which keeps writers out
    // while it reads).  Nested holders share the one lock.  A lock that stays
    // busy for lockWait() gives a Busy status: "Another copy of Quivra is
    // saving to <file>. Try again in a moment."
    class HeaderLock {
    public:
        // `shared` asks for a shared lock even on a table opened for writing.
        explicit HeaderLock(TableFile& table, bool shared = false);
        ~HeaderLock();
        HeaderLock(const HeaderLock&) = delete;
        HeaderLock& operator=(const HeaderLock&) = delete;
        [[nodiscard]] const Status& status() const { return m_status; }

    private:
        TableFile& m_table;
        Status m_status;
    };

    // --- reading ------------------------------------------------------------
    // Reads record `recNo` (1..recordCount()) into `out` (recordLength()
    // bytes), straight from the file.
    Status readRecord(std::uint32_t recNo, std::string& out) const;
    // Reads `count` consecutive records starting at `recNo` into `out`
    // (count * recordLength() bytes).  For scans.
    Status readRecords(std::uint32_t recNo, std::uint32_t count, std::string& out) const;
    // A blank record: deleted flag and every field set to blanks.
    [[nodiscard]] std::string blankRecord() const;
    // The bytes of field `field` in a raw record.
    [[nodiscard]] std::string_view fieldBytes(std::string_view record, std::size_t field) const;
    static bool isDeleted(std::string_view record) { return !record.empty() && record[0] == '*'; }

    // The value of a field of a raw record as UTF-8 text: character fields
    // padded to their width, numbers trimmed, dates YYYYMMDD, logicals T/F/blank,
    // memos read from the memo file (a pending text in `image` wins).
    [[nodiscard]] Result<std::string> fieldText(std::string_view record, std::size_t field,
                                                const RecordImage* image = nullptr) const;
    // Appends the same text to `out`; the fast path of scans and exports.
    Status appendFieldText(std::string_view record, std::size_t field, std::string& out,
                           const RecordImage* image = nullptr) const;
    // The memo text (UTF-8) a memo field of a raw record points to; "" when none.
    [[nodiscard]] Result<std::string> memoText(std::string_view record, std::size_t field) const;

    // --- writing ------------------------------------------------------------
    // Sets a field of `image` from UTF-8 text (see TableStore::setFieldText).
    Status setField(RecordImage& image, std::size_t field, std::string_view utf8) const;
    // Appends a record: under the header lock re-reads the count, makes sure
    // the file still agrees with it (else the table counts as damaged and
    // nothing is written), writes the memo blocks, the record and the new
    // count, then syncs.  A failure puts the old size and count back.  On
    // success `recNo` is the new record's number.
    Status appendRecord(RecordImage& image, std::uint32_t& recNo);
    // Rewrites record `recNo` in place (memo blocks first), then syncs.  The
    // caller holds the record lock.
    Status rewriteRecord(std::uint32_t recNo, RecordImage& image);
    // Takes the lock of record `recNo`, waiting at most lockWait() while
    // another handle holds it; then Busy.  (Held from edit to post, a record
    // lock may be kept for minutes; waiting without end would freeze the
    // caller, or deadlock it when the holder is another handle of its own.)
    Status lockRecord(std::uint32_t recNo);
    void unlockRecord(std::uint32_t recNo);
    void setLockWait(std::chrono::milliseconds wait) { m_lockWait = wait; }
    [[nodiscard]] std::chrono::milliseconds lockWait() const { return m_lockWait; }

private:
    struct Token {
        explicit Token() = default;
    };

public:
    TableFile(Token, std::filesystem::path path, FileIo& io, TextCodec codec);

    // --- for TableCheck and TableRepair ------------------------------------------
    // The record count the header gives and the file's size, read in this
    // order (an append writes the record before the count, so the size is
    // never older than the count).
    struct DiskState {
        std::uint32_t count = 0;
        std::uint64_t size = 0;
    };
    Result<DiskState> readDiskState();
    // What is wrong with `state` (file cut short, records beyond the count,
    // bytes after the last record); "" when the file agrees with its count.
    Result<std::string> sizeFault(const DiskState& state);
    // Why a deleted flag is wrong, or "" for a blank or '*'.
    static std::string flagFault(std::uint32_t recNo, char flag);
    // Adds a fault to damage().
    void addDamage(const std::string& what) const;
    // Whether damage() includes faults of the field descriptions (types,
    // decimals, names, header length), which no repair of records mends.
    [[nodiscard]] bool fieldsDamaged() const { return m_fieldsDamaged; }
    // Lets reads go up to `count` records, whatever the header says
    // (TableRepair reads the whole records beyond a count too low).
    void setKnownCount(std::uint32_t count) { m_recordCount = count; }
    // Writes raw record bytes in place, unsynced (TableRepair mends flags).
    Status writeRawRecord(std::uint32_t recNo, std::string_view bytes);
    // Makes the file end after record `count`: count and date in the header,
    // the end marker, nothing after it; synced.  Clears the damage.
    Status setEnd(std::uint32_t count);
    [[nodiscard]] std::uint64_t recordOffset(std::uint32_t recNo) const;
    [[nodiscard]] MemoFile* memo() const { return m_memo.get(); }
    [[nodiscard]] FileIo& io() const { return m_io; }

private:
    Status parseHeader(const std::string& header);
    Status parseFields(const std::string& header);
    void checkFields(const std::string& header);
    Status checkSize();
    [[nodiscard]] std::uint32_t knownCount(const DiskState& state) const;
    void checkEdgeFlags();
    Status openMemo();
    Status writeMemos(RecordImage& image);
    Status writeCountAndDate(std::uint32_t count);
    Status writeDate();
    Status lockHeader(bool shared);
    void unlockHeader();
    [[nodiscard]] std::uint64_t lockOffset(std::uint32_t recNo) const;
    [[nodiscard]] Status fileError(const std::string& what) const;

    std::filesystem::path m_path;
    FileIo& m_io;
    std::unique_ptr<FileIo::File> m_file;
    std::unique_ptr<MemoFile> m_memo;
    TextCodec m_codec;
    std::vector<FieldDef> m_fields;
    std::uint8_t m_version = 0;
    std::uint32_t m_headerLength = 0;
    std::uint32_t m_recordLength = 0;
    std::uint32_t m_recordCount = 0;
    std::uint32_t m_fieldListEnd = 0;  // just past the field list's 0x0D
    bool m_fieldsDamaged = false;
    bool m_readOnly = false;
    std::filesystem::path m_readOnlyFile;       // the file that made the table read-only
    mutable Status m_damage;                    // a record read may find more
    mutable std::vector<std::string> m_faults;  // what m_damage lists
    int m_headerLockDepth = 0;
    std::chrono::milliseconds m_lockWait = kDefaultLockWait;
};

}  // namespace quivra::storage
