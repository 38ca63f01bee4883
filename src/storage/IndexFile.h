#pragma once
// IndexFile: one open single-order .idx file, the controlling order of a
// table.  Reads the standard and the compact layout; writes the standard one.
//
// Keys are evaluated from raw records through the key expression stored in
// the file.  While the index is open, recordAdded()/recordChanged() keep it
// current in place; a compact index is rewritten in the standard layout the
// first time it must change, since this engine writes only that layout.
//
// Crash safety: the header holds the key count, written only after the
// changed nodes are synced; an edit also marks the header busy (synced)
// before touching a node.  coversTable() treats a busy mark, or a key count
// different from the table's record count, as an index to rebuild.
//
// Several processes: every change and every rebuild runs under the table's
// header lock, held by the caller (TableStore).  A rebuild replaces the file,
// so before a change prepareWrite() makes sure the file open is still the
// one at the path, and every read follows a replacement too.
//
// Lifetime: the TableFile passed to open() must outlive the IndexFile.

#include "FileIo.h"
#include "IdxLayout.h"
#include "IndexOrder.h"
#include "KeyExpression.h"
#include "Progress.h"
#include "Status.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace quivra::storage {

class IdxNodeStore;
class IdxTree;
class TableFile;

class IndexFile final : public IndexOrder {
public:
    // Opens an existing index of `table`.  NotFound when the file is missing;
    // Corruption / Unsupported (naming the file) when it cannot be used,
    // including a key expression that does not fit the table.
    static Result<std::unique_ptr<IndexFile>> open(const std::filesystem::path& path, FileIo& io,
                                                   TableFile& table);
    // Writes a new standard index of `table` on `expression` (replacing any
    // file of that name through a temporary file and a rename).
    // `progress` as for IdxBuilder::build().
    static Status create(const std::filesystem::path& path, FileIo& io, const TableFile& table,
                         std::string_view expression, const ProgressFn& progress = {});

    ~IndexFile() override;
    IndexFile(const IndexFile&) = delete;
    IndexFile& operator=(const IndexFile&) = delete;

    [[nodiscard]] const std::filesystem::path& path() const { return m_path; }
    [[nodiscard]] idx::Layout layout() const;
    [[nodiscard]] std::size_t keyLength() const;
    [[nodiscard]] const std::string& expression() const { return m_expr.text(); }

    // Whether the index holds one key per record by the cheap test: the key
    // count of the header stamp (or, without a usable stamp, of a walk along
    // the leaves) equals the table's record count, and no write was cut off.
    Result<bool> coversTable();
    // The cheap structural check of a select (about a dozen node reads): the
    // key length fits the expression, the root and the paths to the first
    // and last leaf are sound, both leaves are linked to their neighbours and
    // hold keys, and the first key is not above the last.  Corruption naming
    // the fault otherwise.
    Status checkStructure();
    // Rebuilds the index from the table: a new standard file renamed over
    // this one.  A cancel through `progress` leaves the file as it was.
    Status rebuild(const ProgressFn& progress = {});
    // Under the table's header lock, before a change: reopens the file at the
    // path when another handle replaced it (or builds it when it is gone),
    // and rebuilds it when it does not cover the table (`progress` hears of
    // that rebuild).
    Status prepareWrite(const ProgressFn& progress = {});
    // How long lock() waits for the index's own lock.
    void setLockWait(std::chrono::milliseconds wait);
    // Faults this index has reported so far (damage found in its nodes).
    [[nodiscard]] std::uint64_t faultsSeen() const;
    // Full check: the tree is well formed, keys are in order, and every record
    // of the table has exactly one key, equal to its key evaluated now.
    Status verify();

    // The first record in key order whose key begins with `prefix`
    // (code-page bytes, compared byte by byte); records marked deleted are
    // passed over.  0 when there is none.
    Result<std::uint32_t> seek(std::string_view prefix);

    // To be called before a record of the table is rewritten: marks the
    // header busy, durably, so that a crash or a failed write between the
    // table write and recordChanged() leaves a mark that coversTable()
    // reports.  recordChanged() clears it.  Optional (an append needs no
    // mark: the key count tells), and a no-op on an index that cannot be
    // written.
    Status prepareEdit();
    // Keep the index current after the table changed.  `record` / `newRecord`
    // are the raw bytes now in the table.
    Status recordAdded(std::uint32_t recNo, std::string_view record);
    Status recordChanged(std::uint32_t recNo, std::string_view oldRecord,
                         std::string_view newRecord);

    // IndexOrder.
    Result<std::uint32_t> firstRec() override;
    Result<std::uint32_t> lastRec() override;
    Result<std::uint32_t> nextRec(std::uint32_t recNo) override;
    Result<std::uint32_t> prevRec(std::uint32_t recNo) override;

private:
    struct Key {};  // only open() constructs

public:
    IndexFile(Key, std::filesystem::path path, FileIo& io, TableFile& table);

private:
    Status load();
    Status ensureOpen();
    // Reopens the file when another handle renamed a new one over it; when
    // none is at the path, builds it with `buildMissing`.
    Status followReplacement(bool buildMissing);
    // followReplacement() and the header re-read every operation starts with.
    Status refresh();
    // Runs `change` on the tree under the lock, between the busy mark (for
    // an edit; `marked`: prepareEdit() has set it) and the header with the
    // new key count.  On failure the index is rebuilt from the table.
    template <class Change>
    Status update(int keyDelta, bool marked, Change change);
    Result<std::uint32_t> checked(std::uint32_t recNo);
    Status keyOfRecord(std::uint32_t recNo, std::string& key);

    std::filesystem::path m_path;
    FileIo& m_io;
    TableFile& m_table;
    std::unique_ptr<IdxNodeStore> m_store;
    std::unique_ptr<IdxTree> m_tree;
    KeyExpression m_expr;
    std::string m_record;       // scratch
    std::string m_key;          // scratch
    std::string m_key2;         // scratch
    bool m_markedBusy = false;  // prepareEdit() set the busy mark
    std::chrono::milliseconds m_lockWait{2000};
    std::uint64_t m_earlierFaults = 0;  // faults of stores replaced by load()
    FileIo::FileId m_openId;            // which file m_store has open
};

}  // namespace quivra::storage
