#pragma once
// The bytes of single-order FoxPro index files (.idx), standard and compact,
// turned into plain structs and back.  docs/idx-format.md gives the offset
// tables.  Nothing here touches a file: callers hand in the 512 bytes of a
// header or node and get a decoded value or a Corruption/Unsupported status
// whose message explains what is wrong (the caller adds the file name).
//
// Standard files are read and written; compact files are only read.

#include "Status.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::storage::idx {

constexpr std::size_t kNodeSize = 512;
constexpr std::size_t kStandardHeaderSize = 512;
constexpr std::size_t kCompactHeaderSize = 1024;
constexpr std::uint32_t kNoNode = 0xFFFFFFFFU;
// Node attribute bits.
constexpr std::uint16_t kRootBit = 1;
constexpr std::uint16_t kLeafBit = 2;
// Index option bits (header byte 14).
constexpr std::uint8_t kOptUnique = 0x01;
constexpr std::uint8_t kOptForClause = 0x08;
constexpr std::uint8_t kOptCompact = 0x20;
constexpr std::uint8_t kOptCompound = 0x40;
// Longest key a node of either layout can hold at least two of.
constexpr std::size_t kMaxReadableKeyLength = 240;

enum class Layout { Standard, Compact };

// Bookkeeping this engine keeps in the unused tail of a standard header
// (bytes 456-476) so that opening a large index needs no scan.  It is only
// trusted while root and end of file still match the copies stored with it;
// another program that rewrites the header without knowing it makes it stale,
// and the index is then counted by a scan instead.
struct IdxStamp {
    bool valid = false;
    std::uint32_t keyCount = 0;
    std::uint32_t generation = 0;  // bumped on every write, to notice other handles
    bool busy = false;             // set while nodes are being changed: a crash leaves it set
};

struct IdxHeader {
    Layout layout = Layout::Standard;
    std::uint32_t root = kNoNode;
    std::uint32_t freeList = kNoNode;
    std::uint32_t endOfFile = 0;  // standard only; compact files keep it nowhere
    std::uint16_t keyLength = 0;
    std::uint8_t options = 0;
    std::uint8_t signature = 0;
    bool descending = false;  // compact only
    std::string keyExpression;
    std::string forExpression;
    IdxStamp stamp;

    [[nodiscard]] std::size_t headerSize() const {
        return layout == Layout::Compact ? kCompactHeaderSize : kStandardHeaderSize;
    }
};

// A decoded node.  Keys are stored back to back, keyLength bytes each.
// Leaves carry record numbers; interior nodes carry child node offsets (and,
// in the compact layout, the record number of each child's last key).
struct IdxNode {
    std::uint32_t offset = 0;
    std::uint16_t attributes = 0;
    std::uint32_t left = kNoNode;
    std::uint32_t right = kNoNode;
    std::string keys;
    std::vector<std::uint32_t> values;  // leaf: record numbers; interior: child offsets

    [[nodiscard]] bool isLeaf() const { return (attributes & kLeafBit) != 0; }
    [[nodiscard]] bool isRoot() const { return (attributes & kRootBit) != 0; }
    [[nodiscard]] std::size_t count() const { return values.size(); }
    [[nodiscard]] std::string_view key(std::size_t i, std::size_t keyLength) const {
        return std::string_view(keys).substr(i * keyLength, keyLength);
    }
};

// Entries that fit in one standard node for a key length (0 for a key too long).
std::size_t standardCapacity(std::size_t keyLength);

// Decodes the first header bytes (at least kStandardHeaderSize; a compact
// header needs kCompactHeaderSize).  Checks what can be checked without the
// nodes: key length, option bits this engine supports, expression text.
Result<IdxHeader> decodeHeader(std::string_view bytes);
// The 512 bytes of a standard header, stamp included.
std::string encodeStandardHeader(const IdxHeader& header);

// Decodes the node at `offset` from its kNodeSize bytes.
Result<IdxNode> decodeNode(std::string_view bytes, std::uint32_t offset, const IdxHeader& header);
// The kNodeSize bytes of a node in the standard layout.  Precondition: the
// node holds at most standardCapacity(keyLength) entries.
std::string encodeStandardNode(const IdxNode& node, std::size_t keyLength);

}  // namespace quivra::storage::idx
