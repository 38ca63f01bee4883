#pragma once
// IdxNodeStore: the nodes of one open .idx file, read through FileIo with a
// bounded cache of decoded nodes.  All validation of where a node may lie
// happens here: an offset that is not on a node boundary, lies inside the
// header or beyond the end of the file is refused with a Corruption status.
//
// Several handles may have the same index open.  refresh() re-reads the
// header and drops every cached node when it changed, so a handle sees what
// another one wrote (every write of this engine changes the header's stamp).
// A node whose keys are out of order is refused as damaged when it is read.
// Not thread-safe.

#include "FileIo.h"
#include "IdxLayout.h"
#include "Status.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <unordered_map>

namespace quivra::storage {

class IdxNodeStore {
public:
    using NodePtr = std::shared_ptr<const idx::IdxNode>;

    // Takes ownership of the open file; reads and checks the header.
    static Result<std::unique_ptr<IdxNodeStore>> open(std::unique_ptr<FileIo::File> file,
                                                      bool writable);
    IdxNodeStore(const IdxNodeStore&) = delete;
    IdxNodeStore& operator=(const IdxNodeStore&) = delete;

    [[nodiscard]] const std::filesystem::path& path() const { return m_file->path(); }
    [[nodiscard]] const idx::IdxHeader& header() const { return m_header; }
    [[nodiscard]] idx::IdxHeader& header() { return m_header; }
    [[nodiscard]] bool writable() const { return m_writable; }
    // Nodes the file can hold at most: the bound of every walk over links.
    [[nodiscard]] std::uint64_t maxNodes() const { return m_fileSize / idx::kNodeSize + 1; }

    // Re-reads the header; drops the cache when it changed.
    Status refresh();
    // The node at `offset`, decoded and checked.  The pointer stays valid
    // after later cache evictions.
    Result<NodePtr> node(std::uint32_t offset);

    // --- writing (standard layout only) --------------------------------------
    // Writes a node in place and caches it.
    Status write(const idx::IdxNode& node);
    // Reserves a new node at the end of the file.
    Result<std::uint32_t> allocate();
    // Writes the header, bumping the stamp's generation.  Not synced.
    Status writeHeader();
    // Makes everything written so far durable.
    Status sync();
    // Forgets the cache and the header after a failed write sequence, so the
    // next refresh() reads what is really on disk.
    void abandon();
    // Exclusive lock of the index against other writers, held until unlock().
    // Waits at most lockWait(); then Busy.
    Status lock();
    void unlock();
    void setLockWait(std::chrono::milliseconds wait) { m_lockWait = wait; }
    [[nodiscard]] std::chrono::milliseconds lockWait() const { return m_lockWait; }

    // Which file is open (to notice that another handle replaced the one at
    // the path).
    Result<FileIo::FileId> fileId() { return m_file->id(); }

    // "Index file '<path>' is damaged: <what>".  Counted in faults().
    [[nodiscard]] Status corrupt(const std::string& what) const;
    // How many faults corrupt() has reported.
    [[nodiscard]] std::uint64_t faults() const { return m_faults; }

private:
    // Only open() constructs (through make_unique, hence a public constructor
    // that needs this private key).
    struct Key {};

public:
    IdxNodeStore(Key, std::unique_ptr<FileIo::File> file, bool writable)
        : m_file(std::move(file)), m_writable(writable) {}

private:
    Status loadHeader(bool force);

    std::unique_ptr<FileIo::File> m_file;
    bool m_writable = false;
    idx::IdxHeader m_header;
    std::string m_headerBytes;  // as last read or written, to notice other writers
    std::uint64_t m_fileSize = 0;
    std::unordered_map<std::uint32_t, NodePtr> m_cache;
    std::string m_buffer;
    std::chrono::milliseconds m_lockWait{2000};
    mutable std::uint64_t m_faults = 0;
};

}  // namespace quivra::storage
