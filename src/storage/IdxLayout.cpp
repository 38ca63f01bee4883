// Decoding and encoding of .idx headers and nodes.  Every count, length and
// offset read from the bytes is checked against the space it must fit in
// before it is used; a node that contradicts its layout gives a Corruption
// status, never a read outside the buffer.

#include "IdxLayout.h"

#include "Coding.h"

#include <algorithm>
#include <cstring>

namespace quivra::storage::idx {
namespace {

using coding::getBe32;
using coding::getLe16;
using coding::getLe32;
using coding::putBe32;
using coding::putLe16;
using coding::putLe32;

// Standard header.
constexpr std::size_t kKeyExprOffset = 16;
constexpr std::size_t kForExprOffset = 236;
constexpr std::size_t kExprFieldSize = 220;
// Stamp in the unused tail of a standard header.
constexpr std::size_t kStampOffset = 456;
constexpr char kStampMagic[4] = {'Q', 'V', 'I', 'X'};
// Compact header.
constexpr std::size_t kCompactDescending = 502;
constexpr std::size_t kCompactForLength = 506;
constexpr std::size_t kCompactKeyLength = 510;
constexpr std::size_t kCompactPool = 512;
// Nodes.
constexpr std::size_t kNodeEntries = 12;
constexpr std::size_t kCompactLeafEntries = 24;

std::string cString(std::string_view bytes) {
    const std::size_t end = bytes.find('\0');
    return std::string(bytes.substr(0, end));
}

// Expressions are stored as typed; blanks around them mean nothing.
std::string trimmed(std::string s) {
    const auto notBlank = [](char c) { return c != ' '; };
    s.erase(s.begin(), std::find_if(s.begin(), s.end(), notBlank));
    s.erase(std::find_if(s.rbegin(), s.rend(), notBlank).base(), s.end());
    return s;
}

std::string at(std::uint32_t offset) {
    return "node at offset " + std::to_string(offset);
}

Result<IdxNode> decodeStandard(std::string_view b, IdxNode node, std::size_t keyLength,
                               std::size_t count) {
    const std::size_t capacity = standardCapacity(keyLength);
    if (count > capacity) {
        return Status::corruption(at(node.offset) + " claims " + std::to_string(count) +
                                  " keys, more than the " + std::to_string(capacity) + " that fit");
    }
    node.keys.reserve(count * keyLength);
    node.values.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t p = kNodeEntries + i * (keyLength + 4);
        node.keys.append(b.data() + p, keyLength);
        node.values.push_back(getBe32(b.data() + p + keyLength));
    }
    return node;
}

Result<IdxNode> decodeCompactInterior(std::string_view b, IdxNode node, std::size_t keyLength,
                                      std::size_t count) {
    const std::size_t entry = keyLength + 8;
    if (count > (kNodeSize - kNodeEntries) / entry) {
        return Status::corruption(at(node.offset) + " claims " + std::to_string(count) +
                                  " keys, more than fit");
    }
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t p = kNodeEntries + i * entry;
        node.keys.append(b.data() + p, keyLength);
        node.values.push_back(getBe32(b.data() + p + keyLength + 4));  // after the record number
    }
    return node;
}

Result<IdxNode> decodeCompactLeaf(std::string_view b, IdxNode node, std::size_t keyLength,
                                  std::size_t count) {
    const std::uint32_t recMask = getLe32(b.data() + 14);
    const auto dupMask = static_cast<std::uint8_t>(b[18]);
    const auto trailMask = static_cast<std::uint8_t>(b[19]);
    const auto recBits = static_cast<std::uint8_t>(b[20]);
    const auto dupBits = static_cast<std::uint8_t>(b[21]);
    const auto trailBits = static_cast<std::uint8_t>(b[22]);
    const auto entryBytes = static_cast<std::uint8_t>(b[23]);
    if (entryBytes < 1 || entryBytes > 8 || recBits > 32 || dupBits > 8 || trailBits > 8 ||
        recBits + dupBits + trailBits > entryBytes * 8) {
        return Status::corruption(at(node.offset) + " has an impossible entry layout");
    }
    const std::size_t table = kCompactLeafEntries + count * entryBytes;
    if (table > kNodeSize) {
        return Status::corruption(at(node.offset) + " claims " + std::to_string(count) +
                                  " keys, more than fit");
    }
    node.keys.reserve(count * keyLength);
    node.values.reserve(count);
    std::size_t data = kNodeSize;  // key bytes are packed from the end of the node down
    std::size_t previous = 0;      // start of the previous key in node.keys
    for (std::size_t i = 0; i < count; ++i) {
        std::uint64_t v = 0;
        const std::size_t p = kCompactLeafEntries + i * entryBytes;
        for (std::size_t k = 0; k < entryBytes; ++k) {
            v |= static_cast<std::uint64_t>(static_cast<std::uint8_t>(b[p + k])) << (8 * k);
        }
        const auto recNo = static_cast<std::uint32_t>(v & recMask);
        const std::size_t dup = (v >> recBits) & dupMask;
        const std::size_t trail = (v >> (recBits + dupBits)) & trailMask;
        if (dup + trail > keyLength || (i == 0 && dup > 0)) {
            return Status::corruption(at(node.offset) + ", key " + std::to_string(i + 1) +
                                      ": shared and trailing byte counts exceed the key length");
        }
        const std::size_t fresh = keyLength - dup - trail;
        if (data < table + fresh) {
            return Status::corruption(at(node.offset) + ", key " + std::to_string(i + 1) +
                                      ": key bytes overrun the entry table");
        }
        data -= fresh;
        const std::size_t start = node.keys.size();
        node.keys.append(node.keys, previous, dup);
        node.keys.append(b.data() + data, fresh);
        node.keys.append(trail, ' ');
        previous = start;
        node.values.push_back(recNo);
    }
    return node;
}

}  // namespace

std::size_t standardCapacity(std::size_t keyLength) {
    if (keyLength == 0 || keyLength > kMaxReadableKeyLength) return 0;
    return (kNodeSize - kNodeEntries) / (keyLength + 4);
}

Result<IdxHeader> decodeHeader(std::string_view b) {
    if (b.size() < kStandardHeaderSize) {
        return Status::corruption("the file is shorter than an index header");
    }
    IdxHeader h;
    h.root = getLe32(b.data());
    h.freeList = getLe32(b.data() + 4);
    h.keyLength = getLe16(b.data() + 12);
    h.options = static_cast<std::uint8_t>(b[14]);
    h.signature = static_cast<std::uint8_t>(b[15]);
    if ((h.options & kOptCompound) != 0) {
        return Status::unsupported(
            "it is a compound index (several tags); only single-order "
            ".idx files are supported");
    }
    if (h.keyLength == 0 || h.keyLength > kMaxReadableKeyLength) {
        return Status::corruption("the header gives a key length of " +
                                  std::to_string(h.keyLength));
    }
    if ((h.options & kOptCompact) != 0) {
        if (b.size() < kCompactHeaderSize) {
            return Status::corruption("the file is shorter than a compact index header");
        }
        h.layout = Layout::Compact;
        h.descending = getLe16(b.data() + kCompactDescending) != 0;
        const std::string_view pool = b.substr(kCompactPool, kCompactHeaderSize - kCompactPool);
        h.keyExpression = trimmed(cString(pool));
        const std::size_t keyPool = getLe16(b.data() + kCompactKeyLength);
        const std::size_t forPool = getLe16(b.data() + kCompactForLength);
        const std::size_t forStart = std::max(keyPool, h.keyExpression.size() + 1);
        if (forPool > 1 && forStart < pool.size()) {
            h.forExpression = trimmed(cString(pool.substr(forStart)));
        }
    } else {
        h.layout = Layout::Standard;
        h.endOfFile = getLe32(b.data() + 8);
        h.keyExpression = trimmed(cString(b.substr(kKeyExprOffset, kExprFieldSize)));
        h.forExpression = trimmed(cString(b.substr(kForExprOffset, kExprFieldSize)));
        if (std::memcmp(b.data() + kStampOffset, kStampMagic, 4) == 0 &&
            getLe32(b.data() + kStampOffset + 12) == h.root &&
            getLe32(b.data() + kStampOffset + 16) == h.endOfFile) {
            h.stamp.valid = true;
            h.stamp.keyCount = getLe32(b.data() + kStampOffset + 4);
            h.stamp.generation = getLe32(b.data() + kStampOffset + 8);
            h.stamp.busy = (b[kStampOffset + 20] & 1) != 0;
        }
    }
    if (h.keyExpression.empty()) return Status::corruption("the header holds no key expression");
    if ((h.options & kOptUnique) != 0) {
        return Status::unsupported("it is a UNIQUE index, which holds one record per key");
    }
    if (!h.forExpression.empty() || (h.options & kOptForClause) != 0) {
        return Status::unsupported("it has a FOR condition (" + h.forExpression +
                                   "), so it does not cover every record");
    }
    if (h.descending) return Status::unsupported("it is in descending order");
    return h;
}

std::string encodeStandardHeader(const IdxHeader& h) {
    std::string b(kStandardHeaderSize, '\0');
    putLe32(b.data(), h.root);
    putLe32(b.data() + 4, h.freeList);
    putLe32(b.data() + 8, h.endOfFile);
    putLe16(b.data() + 12, h.keyLength);
    b[14] = static_cast<char>(h.options & ~kOptCompact);
    b[15] = static_cast<char>(h.signature);
    b.replace(kKeyExprOffset, std::min(h.keyExpression.size(), kExprFieldSize - 1),
              h.keyExpression.substr(0, kExprFieldSize - 1));
    b.replace(kForExprOffset, std::min(h.forExpression.size(), kExprFieldSize - 1),
              h.forExpression.substr(0, kExprFieldSize - 1));
    if (h.stamp.valid) {
        std::memcpy(b.data() + kStampOffset, kStampMagic, 4);
        putLe32(b.data() + kStampOffset + 4, h.stamp.keyCount);
        putLe32(b.data() + kStampOffset + 8, h.stamp.generation);
        putLe32(b.data() + kStampOffset + 12, h.root);
        putLe32(b.data() + kStampOffset + 16, h.endOfFile);
        b[kStampOffset + 20] = h.stamp.busy ? '\1' : '\0';
    }
    return b;
}

Result<IdxNode> decodeNode(std::string_view b, std::uint32_t offset, const IdxHeader& header) {
    if (b.size() < kNodeSize) return Status::corruption(at(offset) + " is cut short");
    IdxNode node;
    node.offset = offset;
    node.attributes = getLe16(b.data());
    const std::size_t count = getLe16(b.data() + 2);
    node.left = getLe32(b.data() + 4);
    node.right = getLe32(b.data() + 8);
    if (node.attributes > (kRootBit | kLeafBit)) {
        return Status::corruption(at(offset) + " has unknown attributes " +
                                  std::to_string(node.attributes));
    }
    const std::size_t keyLength = header.keyLength;
    if (header.layout == Layout::Standard)
        return decodeStandard(b, std::move(node), keyLength, count);
    if (node.isLeaf()) return decodeCompactLeaf(b, std::move(node), keyLength, count);
    return decodeCompactInterior(b, std::move(node), keyLength, count);
}

std::string encodeStandardNode(const IdxNode& node, std::size_t keyLength) {
    std::string b(kNodeSize, '\0');
    putLe16(b.data(), node.attributes);
    putLe16(b.data() + 2, static_cast<std::uint16_t>(node.count()));
    putLe32(b.data() + 4, node.left);
    putLe32(b.data() + 8, node.right);
    const std::size_t count = std::min(node.count(), standardCapacity(keyLength));
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t p = kNodeEntries + i * (keyLength + 4);
        std::memcpy(b.data() + p, node.keys.data() + i * keyLength, keyLength);
        putBe32(b.data() + p + keyLength, node.values[i]);
    }
    return b;
}

}  // namespace quivra::storage::idx
