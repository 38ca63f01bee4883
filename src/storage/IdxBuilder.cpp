// Bulk index build.  Sorting works on 16-byte items (the first eight key
// bytes as a big-endian number, and the record number) so most comparisons
// never touch the key bytes; a million 30-byte keys sort in a few hundred
// milliseconds.  Nodes are written in large sequential chunks.

#include "IdxBuilder.h"

#include "Coding.h"
#include "IdxLayout.h"
#include "TableFile.h"
#include "TempPath.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace quivra::storage {
namespace {

struct SortItem {
    std::uint64_t prefix;
    std::uint32_t recNo;
};

constexpr std::uint32_t kReadBatch = 4096;     // records per read
constexpr std::size_t kWriteChunk = 1U << 20;  // bytes per write

// Buffers node bytes and writes them at increasing offsets.
class NodeWriter {
public:
    explicit NodeWriter(FileIo::File& file) : m_file(file) {}
    Status add(const idx::IdxNode& node, std::size_t keyLength) {
        if (m_buffer.empty()) m_start = node.offset;
        m_buffer += idx::encodeStandardNode(node, keyLength);
        return m_buffer.size() >= kWriteChunk ? flush() : Status::ok();
    }
    Status flush() {
        if (m_buffer.empty()) return Status::ok();
        Status s = m_file.writeAt(m_start, m_buffer.data(), m_buffer.size());
        m_buffer.clear();
        return s;
    }

private:
    FileIo::File& m_file;
    std::string m_buffer;
    std::uint64_t m_start = 0;
};

// One level of the tree while it is written: each node's offset and last key.
struct Level {
    std::vector<std::uint32_t> offsets;
    std::vector<const char*> lastKeys;
};

Status writeTree(FileIo::File& file, const std::string& keys, const std::vector<SortItem>& order,
                 std::size_t kl, idx::IdxHeader& header) {
    const std::size_t capacity = idx::standardCapacity(kl);
    const std::size_t n = order.size();
    NodeWriter writer(file);
    std::uint32_t next = idx::kStandardHeaderSize;
    const auto keyOf = [&](std::uint32_t recNo) { return keys.data() + (recNo - 1) * kl; };

    // Leaves.
    Level level;
    const std::size_t leafCount = n == 0 ? 1 : (n + capacity - 1) / capacity;
    for (std::size_t i = 0; i < leafCount; ++i) {
        idx::IdxNode leaf;
        leaf.offset = next;
        leaf.attributes = idx::kLeafBit | (leafCount == 1 ? idx::kRootBit : 0);
        leaf.left = i == 0 ? idx::kNoNode : next - idx::kNodeSize;
        leaf.right = i + 1 == leafCount ? idx::kNoNode : next + idx::kNodeSize;
        const std::size_t begin = i * capacity;
        const std::size_t end = std::min(n, begin + capacity);
        for (std::size_t k = begin; k < end; ++k) {
            leaf.keys.append(keyOf(order[k].recNo), kl);
            leaf.values.push_back(order[k].recNo);
        }
        level.offsets.push_back(next);
        level.lastKeys.push_back(end > begin ? keyOf(order[end - 1].recNo) : nullptr);
        Status s = writer.add(leaf, kl);
        if (!s) return s;
        next += idx::kNodeSize;
    }
    // Interior levels until one node remains: the root.
    while (level.offsets.size() > 1) {
        Level up;
        const std::size_t count = (level.offsets.size() + capacity - 1) / capacity;
        for (std::size_t i = 0; i < count; ++i) {
            idx::IdxNode node;
            node.offset = next;
            node.attributes = count == 1 ? idx::kRootBit : 0;
            node.left = i == 0 ? idx::kNoNode : next - idx::kNodeSize;
            node.right = i + 1 == count ? idx::kNoNode : next + idx::kNodeSize;
            const std::size_t begin = i * capacity;
            const std::size_t end = std::min(level.offsets.size(), begin + capacity);
            for (std::size_t k = begin; k < end; ++k) {
                node.keys.append(level.lastKeys[k], kl);
                node.values.push_back(level.offsets[k]);
            }
            up.offsets.push_back(next);
            up.lastKeys.push_back(level.lastKeys[end - 1]);
            Status s = writer.add(node, kl);
            if (!s) return s;
            next += idx::kNodeSize;
        }
        level = std::move(up);
    }
    Status s = writer.flush();
    if (!s) return s;
    header.root = level.offsets.front();
    header.endOfFile = next;
    return Status::ok();
}

}  // namespace

Status IdxBuilder::build(const std::filesystem::path& target, FileIo& io, const TableFile& table,
                         const KeyExpression& expression, std::size_t keyLength,
                         const ProgressFn& progress) {
    auto temp = buildTemporary(target, io, table, expression, keyLength, progress);
    if (!temp) return temp.status();
    Status s = io.rename(*temp, target);
    if (!s) (void)io.remove(*temp);
    return s;
}

Result<std::filesystem::path> IdxBuilder::buildTemporary(const std::filesystem::path& target,
                                                         FileIo& io, const TableFile& table,
                                                         const KeyExpression& expression,
                                                         std::size_t keyLength,
                                                         const ProgressFn& progress) {
    if (keyLength == 0 || keyLength > KeyExpression::kMaxKeyLength) {
        return Status::unsupported("Key expression \"" + expression.text() + "\" gives keys of " +
                                   std::to_string(keyLength) + " bytes; an index key holds 1 to " +
                                   std::to_string(KeyExpression::kMaxKeyLength));
    }
    const std::uint32_t count = table.recordCount();
    std::string keys;
    keys.reserve(static_cast<std::size_t>(count) * keyLength);
    std::vector<SortItem> order;
    order.reserve(count);
    std::string records;
    std::string key;
    const std::size_t recordLength = table.recordLength();
    for (std::uint32_t first = 1; first <= count; first += kReadBatch) {
        const std::uint32_t batch = std::min(kReadBatch, count - first + 1);
        Status s = table.readRecords(first, batch, records);
        if (!s) return s;
        for (std::uint32_t i = 0; i < batch; ++i) {
            expression.evaluate(std::string_view(records).substr(i * recordLength, recordLength),
                                keyLength, key);
            char head[8] = {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
            std::memcpy(head, key.data(), std::min<std::size_t>(8, keyLength));
            order.push_back(
                {coding::getBe32(head) * 0x100000000ULL + coding::getBe32(head + 4), first + i});
            keys += key;
        }
        if (progress && !progress(first + batch - 1, count)) {
            return Status::cancelled("Rebuilding index file '" + target.string() +
                                     "' was cancelled; the index is as it was");
        }
    }
    const std::size_t rest = keyLength > 8 ? keyLength - 8 : 0;
    std::sort(order.begin(), order.end(), [&](const SortItem& a, const SortItem& b) {
        if (a.prefix != b.prefix) return a.prefix < b.prefix;
        if (rest > 0) {
            const int c = std::memcmp(keys.data() + (a.recNo - 1) * keyLength + 8,
                                      keys.data() + (b.recNo - 1) * keyLength + 8, rest);
            if (c != 0) return c < 0;
        }
        return a.recNo < b.recNo;
    });

    removeStaleTemporaries(io, target.parent_path(), std::chrono::system_clock::now());
    const std::filesystem::path temp = temporaryPathFor(target);
    auto opened = io.open(temp, FileIo::Mode::CreateNew);
    if (!opened) {
        return Status::ioError("Index file '" + target.string() +
                               "' cannot be rebuilt: " + opened.status().message());
    }
    std::unique_ptr<FileIo::File> file = std::move(opened).value();
    idx::IdxHeader header;
    header.keyLength = static_cast<std::uint16_t>(keyLength);
    header.keyExpression = expression.text();
    Status s = writeTree(*file, keys, order, keyLength, header);
    if (s) {
        header.stamp.valid = true;
        header.stamp.keyCount = count;
        const std::string bytes = idx::encodeStandardHeader(header);
        s = file->writeAt(0, bytes.data(), bytes.size());
    }
    if (s) s = file->sync();
    file.reset();
    // The last word before the new index can replace the old one.
    if (s && progress && !progress(count, count)) {
        s = Status::cancelled("Rebuilding index file '" + target.string() +
                              "' was cancelled; the index is as it was");
    }
    if (!s) {
        (void)io.remove(temp);
        return s;
    }
    return temp;
}

}  // namespace quivra::storage
