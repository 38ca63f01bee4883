// B+-tree algorithms over IdxNodeStore.  Modifications copy a cached node,
// change the copy and write it back; the path from the root is kept so that
// splits and changed last keys travel upwards without searching again.

#include "IdxTree.h"

#include <cstring>

namespace quivra::storage {
namespace {

using idx::IdxNode;
using idx::kNoNode;

int compare(std::string_view a, std::string_view b, std::size_t n) {
    return std::memcmp(a.data(), b.data(), n);
}

// First leaf position whose (key, recNo) is not below the target.
std::size_t leafPosition(const IdxNode& leaf, std::size_t kl, std::string_view key,
                         std::uint32_t recNo) {
    std::size_t lo = 0;
    std::size_t hi = leaf.count();
    while (lo < hi) {
        const std::size_t mid = (lo + hi) / 2;
        const int c = compare(leaf.key(mid, kl), key, kl);
        if (c < 0 || (c == 0 && leaf.values[mid] < recNo)) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return lo;
}

// First position whose key's first `n` bytes are not below `prefix`.
std::size_t prefixPosition(const IdxNode& node, std::size_t kl, std::string_view prefix,
                           std::size_t n) {
    std::size_t lo = 0;
    std::size_t hi = node.count();
    while (lo < hi) {
        const std::size_t mid = (lo + hi) / 2;
        if (compare(node.key(mid, kl), prefix, n) < 0) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return lo;
}

std::string_view lastKey(const IdxNode& node, std::size_t kl) {
    return node.key(node.count() - 1, kl);
}

}  // namespace

Result<std::uint32_t> IdxTree::lastRecNo(std::uint32_t offset, int depth) {
    for (; depth < kMaxDepth; ++depth) {
        auto node = m_store.node(offset);
        if (!node) return node.status();
        const IdxNode& n = **node;
        if (n.isLeaf()) return n.count() == 0 ? 0U : n.values.back();
        if (n.count() == 0)
            return m_store.corrupt("an interior node at offset " + std::to_string(offset) +
                                   " is empty");
        offset = n.values.back();
    }
    return m_store.corrupt("the tree is deeper than " + std::to_string(kMaxDepth) +
                           " levels (its links form a cycle)");
}

Result<std::size_t> IdxTree::childFor(const IdxNode& node, std::string_view key,
                                      std::uint32_t recNo, int depth) {
    const std::size_t kl = keyLength();
    const std::size_t n = node.count();
    const std::size_t i0 = prefixPosition(node, kl, key, kl);
    if (i0 == n) return n - 1;
    if (compare(node.key(i0, kl), key, kl) > 0) return i0;
    // Children i0..j-1 all end on `key`: equal keys run across them in
    // record-number order, so pick the first whose last record is not below.
    std::size_t j = i0;
    while (j < n && compare(node.key(j, kl), key, kl) == 0) ++j;
    std::size_t lo = i0;
    std::size_t hi = j;
    while (lo < hi) {
        const std::size_t mid = (lo + hi) / 2;
        auto last = lastRecNo(node.values[mid], depth + 1);
        if (!last) return last.status();
        if (*last < recNo) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    if (lo < j) return lo;
    return j < n ? j : n - 1;
}

Result<IdxTree::Path> IdxTree::descend(std::string_view key, std::uint32_t recNo) {
    Path path;
    std::uint32_t offset = m_store.header().root;
    for (int depth = 0; depth < kMaxDepth; ++depth) {
        auto node = m_store.node(offset);
        if (!node) return node.status();
        const IdxNode& n = **node;
        if (n.isLeaf()) {
            path.push_back({*node, leafPosition(n, keyLength(), key, recNo)});
            return path;
        }
        if (n.count() == 0) {
            return m_store.corrupt("an interior node at offset " + std::to_string(offset) +
                                   " is empty");
        }
        auto child = childFor(n, key, recNo, depth);
        if (!child) return child.status();
        path.push_back({*node, *child});
        offset = n.values[*child];
    }
    return m_store.corrupt("the tree is deeper than " + std::to_string(kMaxDepth) +
                           " levels (its links form a cycle)");
}

Status IdxTree::skip(Cursor& c, std::uint32_t from, bool right) {
    IdxNodeStore::NodePtr node = c.leaf;
    if (node == nullptr) {
        auto start = m_store.node(from);
        if (!start) return start.status();
        node = *start;
    }
    for (std::uint64_t steps = 0; steps < m_store.maxNodes(); ++steps) {
        const std::uint32_t link = right ? node->right : node->left;
        if (link == kNoNode) {
            c = Cursor{};
            return Status::ok();
        }
        auto sibling = m_store.node(link);
        if (!sibling) return sibling.status();
        node = *sibling;
        if (!node->isLeaf()) {
            return m_store.corrupt("the sibling of a leaf at offset " + std::to_string(link) +
                                   " is not a leaf");
        }
        if (node->count() > 0) {
            c.leaf = node;
            c.pos = right ? 0 : node->count() - 1;
            return Status::ok();
        }
    }
    return m_store.corrupt("the chain of leaves loops");
}

Result<IdxTree::Cursor> IdxTree::edge(bool leftmost) {
    std::uint32_t offset = m_store.header().root;
    for (int depth = 0; depth < kMaxDepth; ++depth) {
        auto node = m_store.node(offset);
        if (!node) return node.status();
        const IdxNode& n = **node;
        if (n.isLeaf()) {
            Cursor c{*node, 0};
            if (n.count() > 0) {
                c.pos = leftmost ? 0 : n.count() - 1;
                return c;
            }
            Status s = skip(c, offset, leftmost);
            if (!s) return s;
            return c;
        }
        if (n.count() == 0) {
            return m_store.corrupt("an interior node at offset " + std::to_string(offset) +
                                   " is empty");
        }
        offset = leftmost ? n.values.front() : n.values.back();
    }
    return m_store.corrupt("the tree is deeper than " + std::to_string(kMaxDepth) +
                           " levels (its links form a cycle)");
}

Result<IdxTree::Cursor> IdxTree::first() {
    return edge(true);
}
Result<IdxTree::Cursor> IdxTree::last() {
    return edge(false);
}

Status IdxTree::checkLanding(const IdxNode& leaf, std::string_view prefix, std::size_t n) {
    // A descent ends in the leaf whose parent entry is the first not below
    // the prefix.  A leaf without keys (this program unlinks the leaves it
    // empties) or a left neighbour that ends at or above the prefix means the
    // entries above lie: the key sought may be elsewhere.
    if (leaf.count() == 0) {
        if (leaf.isRoot()) return Status::ok();  // an empty index
        return m_store.corrupt("the leaf at offset " + std::to_string(leaf.offset) +
                               " has no keys");
    }
    if (leaf.left == kNoNode || compare(leaf.key(0, keyLength()), prefix, n) < 0) {
        return Status::ok();
    }
    auto left = m_store.node(leaf.left);
    if (!left) return left.status();
    const IdxNode& l = **left;
    if (l.count() > 0 && compare(lastKey(l, keyLength()), prefix, n) >= 0) {
        return m_store.corrupt("the keys of the leaves at offsets " + std::to_string(l.offset) +
                               " and " + std::to_string(leaf.offset) + " are out of order");
    }
    return Status::ok();
}

Result<IdxTree::Cursor> IdxTree::lowerBound(std::string_view prefix) {
    const std::size_t kl = keyLength();
    const std::size_t n = std::min(prefix.size(), kl);
    std::uint32_t offset = m_store.header().root;
    for (int depth = 0; depth < kMaxDepth; ++depth) {
        auto node = m_store.node(offset);
        if (!node) return node.status();
        const IdxNode& nd = **node;
        const std::size_t pos = prefixPosition(nd, kl, prefix, n);
        if (nd.isLeaf()) {
            if (Status s = checkLanding(nd, prefix, n); !s) return s;
            Cursor c{*node, pos};
            if (pos < nd.count()) return c;
            // A last key left too high by another writer sends the search
            // one leaf early; the answer is then on the right.
            c.leaf = nullptr;
            Status s = skip(c, offset, true);
            if (!s) return s;
            return c;
        }
        if (pos == nd.count()) return Cursor{};
        offset = nd.values[pos];
    }
    return m_store.corrupt("the tree is deeper than " + std::to_string(kMaxDepth) +
                           " levels (its links form a cycle)");
}

Result<IdxTree::Cursor> IdxTree::lowerBound(std::string_view key, std::uint32_t recNo) {
    auto path = descend(key, recNo);
    if (!path) return path.status();
    const Step& leaf = path->back();
    Cursor c{leaf.node, leaf.pos};
    if (leaf.pos < leaf.node->count()) return c;
    c.leaf = nullptr;
    Status s = skip(c, leaf.node->offset, true);
    if (!s) return s;
    return c;
}

Status IdxTree::next(Cursor& c) {
    if (c.atEnd()) return Status::ok();
    if (c.pos + 1 < c.leaf->count()) {
        ++c.pos;
        return Status::ok();
    }
    return skip(c, c.leaf->offset, true);
}

Status IdxTree::prev(Cursor& c) {
    if (c.atEnd()) return Status::ok();
    if (c.pos > 0) {
        --c.pos;
        return Status::ok();
    }
    return skip(c, c.leaf->offset, false);
}

Result<std::uint64_t> IdxTree::countKeys() {
    std::uint32_t offset = m_store.header().root;
    IdxNodeStore::NodePtr node;
    for (int depth = 0;; ++depth) {
        if (depth >= kMaxDepth) return m_store.corrupt("the tree's links form a cycle");
        auto n = m_store.node(offset);
        if (!n) return n.status();
        node = *n;
        if (node->isLeaf()) break;
        if (node->count() == 0) return m_store.corrupt("an interior node is empty");
        offset = node->values.front();
    }
    std::uint64_t total = node->count();
    for (std::uint64_t steps = 0; node->right != kNoNode; ++steps) {
        if (steps >= m_store.maxNodes()) return m_store.corrupt("the chain of leaves loops");
        auto n = m_store.node(node->right);
        if (!n) return n.status();
        node = *n;
        if (!node->isLeaf()) return m_store.corrupt("the chain of leaves reaches an interior node");
        total += node->count();
    }
    return total;
}

Status IdxTree::insert(std::string_view key, std::uint32_t recNo) {
    auto path = descend(key, recNo);
    if (!path) return path.status();
    const std::size_t kl = keyLength();
    IdxNode leaf = *path->back().node;
    const std::size_t pos = path->back().pos;
    leaf.keys.insert(pos * kl, key.data(), kl);
    leaf.values.insert(leaf.values.begin() + static_cast<std::ptrdiff_t>(pos), recNo);
    return propagate(*path, path->size() - 1, std::move(leaf));
}

Status IdxTree::remove(std::string_view key, std::uint32_t recNo) {
    auto path = descend(key, recNo);
    if (!path) return path.status();
    const std::size_t kl = keyLength();
    const Step& step = path->back();
    if (step.pos >= step.node->count() || step.node->values[step.pos] != recNo ||
        compare(step.node->key(step.pos, kl), key, kl) != 0) {
        return Status::notFound("Index file '" + m_store.path().string() +
                                "' holds no key for record " + std::to_string(recNo));
    }
    IdxNode leaf = *step.node;
    leaf.keys.erase(step.pos * kl, kl);
    leaf.values.erase(leaf.values.begin() + static_cast<std::ptrdiff_t>(step.pos));
    return propagate(*path, path->size() - 1, std::move(leaf));
}

Status IdxTree::setSiblingLink(std::uint32_t offset, bool leftLink, std::uint32_t value) {
    auto node = m_store.node(offset);
    if (!node) return node.status();
    IdxNode copy = **node;
    (leftLink ? copy.left : copy.right) = value;
    return m_store.write(copy);
}

Status IdxTree::unlink(const IdxNode& node) {
    if (node.left != kNoNode) {
        Status s = setSiblingLink(node.left, false, node.right);
        if (!s) return s;
    }
    if (node.right != kNoNode) return setSiblingLink(node.right, true, node.left);
    return Status::ok();
}

Status IdxTree::propagate(const Path& path, std::size_t level, IdxNode node) {
    const std::size_t kl = keyLength();
    const std::size_t capacity = idx::standardCapacity(kl);
    for (;;) {
        if (node.count() > capacity) {
            auto offset = m_store.allocate();
            if (!offset) return offset.status();
            const std::size_t half = (node.count() + 1) / 2;
            IdxNode right;
            right.offset = *offset;
            right.attributes = static_cast<std::uint16_t>(node.attributes & ~idx::kRootBit);
            right.left = node.offset;
            right.right = node.right;
            right.keys = node.keys.substr(half * kl);
            right.values.assign(node.values.begin() + static_cast<std::ptrdiff_t>(half),
                                node.values.end());
            node.keys.resize(half * kl);
            node.values.resize(half);
            if (node.right != kNoNode) {
                Status s = setSiblingLink(node.right, true, right.offset);
                if (!s) return s;
            }
            node.right = right.offset;
            node.attributes = static_cast<std::uint16_t>(node.attributes & ~idx::kRootBit);
            Status s = m_store.write(right);
            if (s) s = m_store.write(node);
            if (!s) return s;
            if (level == 0) {
                auto rootOffset = m_store.allocate();
                if (!rootOffset) return rootOffset.status();
                IdxNode root;
                root.offset = *rootOffset;
                root.attributes = idx::kRootBit;
                root.keys.append(lastKey(node, kl)).append(lastKey(right, kl));
                root.values = {node.offset, right.offset};
                s = m_store.write(root);
                if (s) m_store.header().root = root.offset;
                return s;
            }
            const Step& up = path[level - 1];
            IdxNode parent = *up.node;
            parent.keys.replace(up.pos * kl, kl, lastKey(node, kl));
            parent.keys.insert((up.pos + 1) * kl, lastKey(right, kl));
            parent.values.insert(parent.values.begin() + static_cast<std::ptrdiff_t>(up.pos + 1),
                                 right.offset);
            node = std::move(parent);
            --level;
            continue;
        }
        if (node.count() == 0 && level > 0) {
            // Left empty: take it out of the level and out of its parent.
            Status s = unlink(node);
            if (!s) return s;
            const Step& up = path[level - 1];
            IdxNode parent = *up.node;
            parent.keys.erase(up.pos * kl, kl);
            parent.values.erase(parent.values.begin() + static_cast<std::ptrdiff_t>(up.pos));
            node = std::move(parent);
            --level;
            continue;
        }
        if (node.count() == 0) node.attributes = idx::kRootBit | idx::kLeafBit;
        Status s = m_store.write(node);
        if (!s || level == 0) return s;
        const Step& up = path[level - 1];
        if (compare(up.node->key(up.pos, kl), lastKey(node, kl), kl) == 0) return Status::ok();
        IdxNode parent = *up.node;
        parent.keys.replace(up.pos * kl, kl, lastKey(node, kl));
        node = std::move(parent);
        --level;
    }
}

}  // namespace quivra::storage
