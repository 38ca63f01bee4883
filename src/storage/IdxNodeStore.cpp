// Node access for .idx files.  The cache is small and simple: decoded nodes
// by offset, dropped all at once when full.  A warm seek on a million-key
// index touches six or seven nodes, which stay cached across seeks.

#include "IdxNodeStore.h"

#include "LockWait.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace quivra::storage {
namespace {

constexpr std::size_t kCacheLimit = 16384;  // nodes (about 8 MB decoded for 30-byte keys)
// Where writers lock: far beyond any real index, as FoxPro's own lock offsets are.
constexpr std::uint64_t kLockOffset = 0x40000000;

}  // namespace

Result<std::unique_ptr<IdxNodeStore>> IdxNodeStore::open(std::unique_ptr<FileIo::File> file,
                                                         bool writable) {
    auto store = std::make_unique<IdxNodeStore>(Key{}, std::move(file), writable);
    Status s = store->loadHeader(true);
    if (!s) return s;
    return store;
}

Status IdxNodeStore::corrupt(const std::string& what) const {
    ++m_faults;
    return Status::corruption("Index file '" + path().string() + "' is damaged: " + what);
}

Status IdxNodeStore::loadHeader(bool force) {
    std::string bytes(idx::kCompactHeaderSize, '\0');
    auto got = m_file->readAt(0, bytes.data(), bytes.size());
    if (!got) return got.status();
    bytes.resize(*got);
    // Only the header proper is compared: the first node may follow it.
    if (!force && !m_headerBytes.empty() &&
        std::string_view(bytes).substr(0, m_headerBytes.size()) == m_headerBytes) {
        return Status::ok();
    }
    Result<idx::IdxHeader> header = idx::decodeHeader(bytes);
    if (!header) {
        const std::string what = header.status().message();
        if (header.status().code() == Status::Code::Unsupported) {
            return Status::unsupported("Index file '" + path().string() +
                                       "' cannot be used: " + what);
        }
        return corrupt(what);
    }
    auto size = m_file->size();
    if (!size) return size.status();
    m_header = std::move(header).value();
    bytes.resize(std::min(bytes.size(), m_header.headerSize()));
    m_headerBytes = std::move(bytes);
    m_fileSize = *size;
    m_cache.clear();
    return Status::ok();
}

Status IdxNodeStore::refresh() {
    return loadHeader(false);
}

Result<IdxNodeStore::NodePtr> IdxNodeStore::node(std::uint32_t offset) {
    if (auto it = m_cache.find(offset); it != m_cache.end()) return it->second;
    if (offset % idx::kNodeSize != 0 || offset < m_header.headerSize() ||
        std::uint64_t{offset} + idx::kNodeSize > m_fileSize) {
        return corrupt("a link points to offset " + std::to_string(offset) +
                       ", which is not a node of this file");
    }
    m_buffer.resize(idx::kNodeSize);
    auto got = m_file->readAt(offset, m_buffer.data(), m_buffer.size());
    if (!got) return got.status();
    if (*got < idx::kNodeSize)
        return corrupt("the node at offset " + std::to_string(offset) + " is cut short");
    Result<idx::IdxNode> decoded = idx::decodeNode(m_buffer, offset, m_header);
    if (!decoded) return corrupt(decoded.status().message());
    // Every search halves a node by its keys: keys out of order send it the
    // wrong way and a key that is there is not found.
    const idx::IdxNode& n = *decoded;
    const std::size_t kl = m_header.keyLength;
    for (std::size_t i = 1; i < n.count(); ++i) {
        if (std::memcmp(n.keys.data() + (i - 1) * kl, n.keys.data() + i * kl, kl) > 0) {
            return corrupt("the keys of the node at offset " + std::to_string(offset) +
                           " are out of order (key " + std::to_string(i + 1) + ")");
        }
    }
    if (m_cache.size() >= kCacheLimit) m_cache.clear();
    auto ptr = std::make_shared<const idx::IdxNode>(std::move(decoded).value());
    m_cache.emplace(offset, ptr);
    return NodePtr(ptr);
}

Status IdxNodeStore::write(const idx::IdxNode& node) {
    if (!m_writable || m_header.layout != idx::Layout::Standard) {
        return Status::unsupported("Index file '" + path().string() + "' cannot be written");
    }
    const std::string bytes = idx::encodeStandardNode(node, m_header.keyLength);
    Status s = m_file->writeAt(node.offset, bytes.data(), bytes.size());
    if (!s) {
        m_cache.clear();
        return s;
    }
    m_fileSize = std::max<std::uint64_t>(m_fileSize, std::uint64_t{node.offset} + idx::kNodeSize);
    if (m_cache.size() >= kCacheLimit) m_cache.clear();
    m_cache[node.offset] = std::make_shared<const idx::IdxNode>(node);
    return Status::ok();
}

Result<std::uint32_t> IdxNodeStore::allocate() {
    // Never trust the header's end of file alone: a foreign writer may have
    // left it short, and a new node must not overwrite anything.
    std::uint64_t end = std::max<std::uint64_t>(m_header.endOfFile, m_fileSize);
    end = (end + idx::kNodeSize - 1) / idx::kNodeSize * idx::kNodeSize;
    end = std::max<std::uint64_t>(end, m_header.headerSize());
    if (end + idx::kNodeSize > 0xFFFFFE00ULL) {
        return Status::unsupported("Index file '" + path().string() + "' is full (4 GB)");
    }
    m_header.endOfFile = static_cast<std::uint32_t>(end + idx::kNodeSize);
    return static_cast<std::uint32_t>(end);
}

Status IdxNodeStore::writeHeader() {
    m_header.stamp.valid = true;
    ++m_header.stamp.generation;
    std::string bytes = idx::encodeStandardHeader(m_header);
    Status s = m_file->writeAt(0, bytes.data(), bytes.size());
    if (!s) {
        m_headerBytes.clear();  // force a re-read next time
        return s;
    }
    m_headerBytes = std::move(bytes);
    return Status::ok();
}

Status IdxNodeStore::sync() {
    return m_file->sync();
}

void IdxNodeStore::abandon() {
    m_cache.clear();
    m_headerBytes.clear();
}

Status IdxNodeStore::lock() {
    // Writers of this program hold the table's header lock around every
    // change, so this one is contended only by other programs.
    Status s = retryWhileBusy(m_lockWait, [this] { return m_file->tryLock(kLockOffset, 1); });
    if (s.code() == Status::Code::Busy)
        return Status::busy(busySavingMessage(path().filename().string()));
    return s;
}
void IdxNodeStore::unlock() {
    m_file->unlock(kLockOffset, 1);
}

}  // namespace quivra::storage
