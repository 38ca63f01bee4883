// Structure first (a depth-first walk that refuses to visit a node twice, so
// cycles and shared children are faults, not loops), then the keys against
// the records, read in large sequential batches.

#include "IdxVerifier.h"

#include "IdxTree.h"
#include "TableFile.h"

#include <cstring>
#include <unordered_set>
#include <vector>

namespace quivra::storage {
namespace {

constexpr std::uint32_t kReadBatch = 4096;

std::string shown(std::string_view key) {
    std::string s(key);
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return "\"" + s + "\"";
}

class Walk {
public:
    Walk(IdxNodeStore& store, const TableFile& table)
        : m_store(store),
          m_kl(store.header().keyLength),
          m_count(table.recordCount()),
          m_keys(static_cast<std::size_t>(m_count) * m_kl, '\0'),
          m_seen(m_count + 1, 0) {}

    Status run() {
        std::string lastKey;
        if (Status s = visit(m_store.header().root, 0, lastKey); !s) return s;
        if (m_lastLeaf != nullptr && m_lastLeaf->right != idx::kNoNode) {
            return fault("the last leaf has a right sibling");
        }
        return Status::ok();
    }

    Status compareWith(const TableFile& table, const KeyExpression& expr) {
        std::string records;
        std::string key;
        const std::size_t rl = table.recordLength();
        for (std::uint32_t first = 1; first <= m_count; first += kReadBatch) {
            const std::uint32_t batch = std::min(kReadBatch, m_count - first + 1);
            if (Status s = table.readRecords(first, batch, records); !s) return s;
            for (std::uint32_t i = 0; i < batch; ++i) {
                const std::uint32_t recNo = first + i;
                if (m_seen[recNo] == 0)
                    return fault("record " + std::to_string(recNo) + " has no key");
                expr.evaluate(std::string_view(records).substr(i * rl, rl), m_kl, key);
                const std::string_view stored(m_keys.data() + (recNo - 1) * m_kl, m_kl);
                if (stored != key) {
                    return fault("the key of record " + std::to_string(recNo) + " is " +
                                 shown(stored) + " but the record gives " + shown(key));
                }
            }
        }
        return Status::ok();
    }

    [[nodiscard]] std::uint64_t keyCount() const { return m_entries; }

private:
    Status fault(const std::string& what) const { return m_store.corrupt(what); }

    // Visits the subtree at `offset`; `lastKey` receives its last key.
    Status visit(std::uint32_t offset, int depth, std::string& lastKey) {
        if (depth >= IdxTree::kMaxDepth) return fault("the tree is too deep (a cycle)");
        if (!m_visited.insert(offset).second) {
            return fault("the node at offset " + std::to_string(offset) + " is reached twice");
        }
        auto node = m_store.node(offset);
        if (!node) return node.status();
        const idx::IdxNode& n = **node;
        if (n.isRoot() != (depth == 0)) {
            return fault("the node at offset " + std::to_string(offset) + " has a wrong root mark");
        }
        if (n.isLeaf()) return leaf(*node, depth, lastKey);
        if (n.count() == 0)
            return fault("the interior node at offset " + std::to_string(offset) + " is empty");
        for (std::size_t i = 0; i < n.count(); ++i) {
            std::string childLast;
            if (Status s = visit(n.values[i], depth + 1, childLast); !s) return s;
            if (!childLast.empty() && childLast != n.key(i, m_kl)) {
                return fault("the interior node at offset " + std::to_string(offset) + " gives " +
                             shown(n.key(i, m_kl)) + " as the last key of a child ending on " +
                             shown(childLast));
            }
        }
        lastKey = std::string(n.key(n.count() - 1, m_kl));
        return Status::ok();
    }

    Status leaf(const IdxNodeStore::NodePtr& node, int depth, std::string& lastKey) {
        const idx::IdxNode& n = *node;
        if (m_leafDepth < 0) m_leafDepth = depth;
        if (depth != m_leafDepth) return fault("leaves lie at different depths");
        const std::uint32_t expectedLeft = m_lastLeaf ? m_lastLeaf->offset : idx::kNoNode;
        if (n.left != expectedLeft || (m_lastLeaf && m_lastLeaf->right != n.offset)) {
            return fault("the sibling links of the leaf at offset " + std::to_string(n.offset) +
                         " do not match the tree");
        }
        for (std::size_t i = 0; i < n.count(); ++i) {
            const std::string_view key = n.key(i, m_kl);
            const std::uint32_t recNo = n.values[i];
            if (m_entries > 0 && key < std::string_view(m_previous)) {
                return fault("key " + shown(key) + " of record " + std::to_string(recNo) +
                             " is out of order");
            }
            if (recNo == 0 || recNo > m_count) {
                return fault("a key points to record " + std::to_string(recNo) + " of " +
                             std::to_string(m_count));
            }
            if (m_seen[recNo] != 0)
                return fault("record " + std::to_string(recNo) + " has two keys");
            m_seen[recNo] = 1;
            std::memcpy(m_keys.data() + (recNo - 1) * m_kl, key.data(), m_kl);
            m_previous.assign(key);
            ++m_entries;
        }
        m_lastLeaf = node;
        lastKey = n.count() > 0 ? std::string(n.key(n.count() - 1, m_kl)) : std::string();
        return Status::ok();
    }

    IdxNodeStore& m_store;
    std::size_t m_kl;
    std::uint32_t m_count;
    std::string m_keys;
    std::vector<std::uint8_t> m_seen;
    std::unordered_set<std::uint32_t> m_visited;
    IdxNodeStore::NodePtr m_lastLeaf;
    int m_leafDepth = -1;
    std::string m_previous;
    std::uint64_t m_entries = 0;
};

// One edge of the tree: the path from the root to its first or last leaf.
struct Edge {
    IdxNodeStore::NodePtr leaf;
    int depth = 0;
};

Result<Edge> walkEdge(IdxNodeStore& store, bool first) {
    const std::size_t kl = store.header().keyLength;
    const char* side = first ? "first" : "last";
    std::uint32_t offset = store.header().root;
    std::string parentKey;
    for (int depth = 0; depth < IdxTree::kMaxDepth; ++depth) {
        auto node = store.node(offset);
        if (!node) return node.status();
        const idx::IdxNode& n = **node;
        const std::string where = "the node at offset " + std::to_string(offset);
        if (n.isRoot() != (depth == 0)) return store.corrupt(where + " has a wrong root mark");
        if (depth > 0 && n.count() > 0) {
            const std::string_view last = n.key(n.count() - 1, kl);
            if (last > std::string_view(parentKey)) {
                return store.corrupt(where + " ends on " + shown(last) +
                                     ", above its entry in the node above, " + shown(parentKey));
            }
        }
        if (n.isLeaf()) {
            if (n.count() == 0 && !n.isRoot())
                return store.corrupt("the " + std::string(side) + " leaf (" + where +
                                     ") has no keys");
            return Edge{*node, depth};
        }
        if (n.count() == 0) return store.corrupt("the interior " + where + " has no entries");
        const std::size_t i = first ? 0 : n.count() - 1;
        parentKey.assign(n.key(i, kl));
        offset = n.values[i];
    }
    return store.corrupt("the tree is deeper than " + std::to_string(IdxTree::kMaxDepth) +
                         " levels (its links form a cycle)");
}

// `leaf`'s neighbour on the inside must link back to it.
Status checkNeighbour(IdxNodeStore& store, const idx::IdxNode& leaf, bool first) {
    const std::uint32_t inner = first ? leaf.right : leaf.left;
    const std::uint32_t outer = first ? leaf.left : leaf.right;
    const std::string which = first ? "first" : "last";
    if (outer != idx::kNoNode) {
        return store.corrupt("the " + which + " leaf (offset " + std::to_string(leaf.offset) +
                             ") has a " + (first ? "left" : "right") + " sibling");
    }
    if (leaf.isRoot()) return Status::ok();
    if (inner == idx::kNoNode) {
        return store.corrupt("the " + which + " leaf (offset " + std::to_string(leaf.offset) +
                             ") is not linked to its sibling");
    }
    auto next = store.node(inner);
    if (!next) return next.status();
    const std::uint32_t back = first ? (*next)->left : (*next)->right;
    if (!(*next)->isLeaf() || back != leaf.offset) {
        return store.corrupt("the sibling links of the " + which + " leaf (offset " +
                             std::to_string(leaf.offset) + ") do not match");
    }
    return Status::ok();
}

}  // namespace

Status IdxVerifier::checkEdges(IdxNodeStore& store, const KeyExpression& expression) {
    const std::size_t kl = store.header().keyLength;
    if (kl != expression.width()) {
        return store.corrupt("its key length " + std::to_string(kl) +
                             " does not fit the key expression " + expression.text() +
                             ", whose keys are " + std::to_string(expression.width()) + " bytes");
    }
    auto first = walkEdge(store, true);
    if (!first) return first.status();
    auto last = walkEdge(store, false);
    if (!last) return last.status();
    if (first->depth != last->depth) return store.corrupt("leaves lie at different depths");
    const idx::IdxStamp& stamp = store.header().stamp;
    if (first->leaf->count() == 0 && stamp.valid && stamp.keyCount > 0) {
        return store.corrupt("its header counts " + std::to_string(stamp.keyCount) +
                             " keys but its only leaf holds none");
    }
    if (Status s = checkNeighbour(store, *first->leaf, true); !s) return s;
    if (Status s = checkNeighbour(store, *last->leaf, false); !s) return s;
    const idx::IdxNode& a = *first->leaf;
    const idx::IdxNode& b = *last->leaf;
    if (a.count() > 0 && b.count() > 0 && a.key(0, kl) > b.key(b.count() - 1, kl)) {
        return store.corrupt("its first key " + shown(a.key(0, kl)) + " is above its last key " +
                             shown(b.key(b.count() - 1, kl)));
    }
    return Status::ok();
}

Status IdxVerifier::verify(IdxNodeStore& store, const TableFile& table,
                           const KeyExpression& expression) {
    Walk walk(store, table);
    if (Status s = walk.run(); !s) return s;
    const idx::IdxStamp& stamp = store.header().stamp;
    if (stamp.valid && stamp.busy) return store.corrupt("a change was cut off before it ended");
    if (stamp.valid && stamp.keyCount != walk.keyCount()) {
        return store.corrupt("the header counts " + std::to_string(stamp.keyCount) +
                             " keys but the tree holds " + std::to_string(walk.keyCount()));
    }
    return walk.compareWith(table, expression);
}

}  // namespace quivra::storage
