#pragma once
// IdxTree: the B+-tree of a .idx file: searching, walking in key order and,
// for the standard layout, inserting and removing entries in place.
//
// Order: entries are ordered by key bytes (machine order), equal keys by
// record number.  Interior entries hold the last key of their child; a split
// node keeps the first half and gives the second half to a new right sibling
// at the end of the file.  A node left empty by a removal is unlinked from
// its siblings and its parent and left unused until the next rebuild.
//
// Every walk is bounded: descents by kMaxDepth, sibling walks by the number
// of nodes the file can hold, so damaged links give a Corruption status.

#include "IdxNodeStore.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace quivra::storage {

class IdxTree {
public:
    static constexpr int kMaxDepth = 32;

    // A position on a leaf entry; `leaf` null means past the end.
    struct Cursor {
        IdxNodeStore::NodePtr leaf;
        std::size_t pos = 0;
        [[nodiscard]] bool atEnd() const { return leaf == nullptr; }
        [[nodiscard]] std::uint32_t recNo() const { return leaf->values[pos]; }
    };

    // `store` must outlive the tree.
    explicit IdxTree(IdxNodeStore& store) : m_store(store) {}

    [[nodiscard]] std::size_t keyLength() const { return m_store.header().keyLength; }

    Result<Cursor> first();
    Result<Cursor> last();
    // The first entry whose key begins with bytes >= `prefix` (compared over
    // the prefix's length, at most the key length).  A leaf on the way that
    // shows the tree cannot be trusted there (no keys, or a left neighbour
    // whose keys reach the prefix) gives a Corruption status, never a wrong
    // answer.
    Result<Cursor> lowerBound(std::string_view prefix);
    // The first entry >= (key, recNo).  `key` is keyLength() bytes.
    Result<Cursor> lowerBound(std::string_view key, std::uint32_t recNo);
    Status next(Cursor& c);
    Status prev(Cursor& c);

    // Standard layout only.  The caller holds the store's lock and commits.
    Status insert(std::string_view key, std::uint32_t recNo);
    // Removes the entry (key, recNo).  NotFound when the tree does not hold
    // it where the order says it must be.
    Status remove(std::string_view key, std::uint32_t recNo);

    // Keys in all leaves, counted along the leaf chain.
    Result<std::uint64_t> countKeys();

private:
    struct Step {
        IdxNodeStore::NodePtr node;
        std::size_t pos = 0;  // child taken, or position in the leaf
    };
    using Path = std::vector<Step>;

    Result<Path> descend(std::string_view key, std::uint32_t recNo);
    Result<std::size_t> childFor(const idx::IdxNode& node, std::string_view key,
                                 std::uint32_t recNo, int depth);
    Result<std::uint32_t> lastRecNo(std::uint32_t offset, int depth);
    Result<Cursor> edge(bool leftmost);
    Status checkLanding(const idx::IdxNode& leaf, std::string_view prefix, std::size_t n);
    // Moves to the next non-empty leaf to the right (or left).
    Status skip(Cursor& c, std::uint32_t from, bool right);
    // Writes `node` (possibly over capacity) as level `level` of `path`, and
    // carries splits and changed last keys up to the root.
    Status propagate(const Path& path, std::size_t level, idx::IdxNode node);
    Status unlink(const idx::IdxNode& node);
    Status setSiblingLink(std::uint32_t offset, bool leftLink, std::uint32_t value);

    IdxNodeStore& m_store;
};

}  // namespace quivra::storage
