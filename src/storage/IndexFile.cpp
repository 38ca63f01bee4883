// The open index: ties the node store and tree to the table whose records
// give the keys.  Every public call starts with refresh(), so a change made
// through another handle on the same file is seen (its header stamp differs).

#include "IndexFile.h"

#include "IdxBuilder.h"
#include "IdxNodeStore.h"
#include "IdxTree.h"
#include "IdxVerifier.h"
#include "TableFile.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace quivra::storage {

IndexFile::IndexFile(Key, std::filesystem::path path, FileIo& io, TableFile& table)
    : m_path(std::move(path)), m_io(io), m_table(table) {}

IndexFile::~IndexFile() = default;

idx::Layout IndexFile::layout() const {
    return m_store->header().layout;
}
std::size_t IndexFile::keyLength() const {
    return m_store->header().keyLength;
}

Result<std::unique_ptr<IndexFile>> IndexFile::open(const std::filesystem::path& path, FileIo& io,
                                                   TableFile& table) {
    if (!io.exists(path)) {
        return Status::notFound("Index file does not exist.\rFile: " + path.string());
    }
    auto index = std::make_unique<IndexFile>(Key{}, path, io, table);
    if (Status s = index->load(); !s) return s;
    return index;
}

Status IndexFile::create(const std::filesystem::path& path, FileIo& io, const TableFile& table,
                         std::string_view expression, const ProgressFn& progress) {
    auto expr = KeyExpression::compile(expression, table.fields(), table.codePage());
    if (!expr) return expr.status();
    return IdxBuilder::build(path, io, table, *expr, expr->width(), progress);
}

Status IndexFile::load() {
    if (m_store) m_earlierFaults += m_store->faults();
    m_tree.reset();
    m_store.reset();
    bool writable = true;
    auto file = m_io.open(m_path, FileIo::Mode::ReadWrite);
    if (!file) {
        writable = false;
        file = m_io.open(m_path, FileIo::Mode::Read);
        if (!file) return file.status();
    }
    auto store = IdxNodeStore::open(std::move(file).value(), writable);
    if (!store) return store.status();
    auto expr = KeyExpression::compile((*store)->header().keyExpression, m_table.fields(),
                                       m_table.codePage());
    if (!expr) {
        return Status(expr.status().code() == Status::Code::Unsupported
                          ? Status::unsupported("Index file '" + m_path.string() +
                                                "' cannot be used: " + expr.status().message())
                          : Status::corruption("Index file '" + m_path.string() +
                                               "' does not fit table '" + m_table.path().string() +
                                               "': " + expr.status().message()));
    }
    m_store = std::move(store).value();
    m_store->setLockWait(m_lockWait);
    auto id = m_store->fileId();
    if (!id) return id.status();
    m_openId = *id;
    m_tree = std::make_unique<IdxTree>(*m_store);
    m_expr = std::move(expr).value();
    return Status::ok();
}

void IndexFile::setLockWait(std::chrono::milliseconds wait) {
    m_lockWait = wait;
    if (m_store) m_store->setLockWait(wait);
}

std::uint64_t IndexFile::faultsSeen() const {
    return m_earlierFaults + (m_store ? m_store->faults() : 0);
}

Status IndexFile::ensureOpen() {
    return m_store ? Status::ok() : load();  // a failed rebuild or reopen left nothing open
}

Status IndexFile::followReplacement(bool buildMissing) {
    auto atPath = m_io.fileId(m_path);
    if (!atPath) {
        if (atPath.status().code() != Status::Code::NotFound) return atPath.status();
        // Nothing at the path: a reader keeps what it has open; a writer
        // builds the file anew (it is derived data) rather than change a
        // file no other handle will ever see.
        return buildMissing ? rebuild() : ensureOpen();
    }
    return m_store && *atPath == m_openId ? Status::ok() : load();
}

Status IndexFile::refresh() {
    if (Status s = followReplacement(false); !s) return s;
    return m_store->refresh();
}

Status IndexFile::prepareWrite(const ProgressFn& progress) {
    if (Status s = followReplacement(true); !s) return s;
    auto covers = coversTable();
    if (!covers) return covers.status();
    return *covers ? Status::ok() : rebuild(progress);
}

Status IndexFile::checkStructure() {
    if (Status s = refresh(); !s) return s;
    return IdxVerifier::checkEdges(*m_store, m_expr);
}

Result<bool> IndexFile::coversTable() {
    if (Status s = refresh(); !s) return s;
    if (Status s = m_table.refreshCount(); !s) return s;
    const idx::IdxStamp& stamp = m_store->header().stamp;
    if (stamp.valid && stamp.busy) return false;
    std::uint64_t keys = stamp.keyCount;
    if (!stamp.valid) {
        auto counted = m_tree->countKeys();
        if (!counted) return counted.status();
        keys = *counted;
    }
    return keys == m_table.recordCount();
}

Status IndexFile::rebuild(const ProgressFn& progress) {
    const std::size_t width = m_expr.width();
    if (m_store) m_earlierFaults += m_store->faults();
    m_tree.reset();
    m_store.reset();  // the old file is replaced below; nothing may hold it
    if (Status s = m_table.refreshCount(); !s) return s;
    Status built = IdxBuilder::build(m_path, m_io, m_table, m_expr, width, progress);
    Status loaded = load();
    return built ? loaded : built;
}

Status IndexFile::verify() {
    if (Status s = refresh(); !s) return s;
    if (Status s = m_table.refreshCount(); !s) return s;
    return IdxVerifier::verify(*m_store, m_table, m_expr);
}

Result<std::uint32_t> IndexFile::checked(std::uint32_t recNo) {
    if (recNo > m_table.recordCount()) {
        if (Status s = m_table.refreshCount(); !s) return s;
    }
    if (recNo == 0 || recNo > m_table.recordCount()) {
        return m_store->corrupt("a key points to record " + std::to_string(recNo) + " but table '" +
                                m_table.path().string() + "' holds " +
                                std::to_string(m_table.recordCount()) + " records");
    }
    return recNo;
}

Status IndexFile::keyOfRecord(std::uint32_t recNo, std::string& key) {
    if (recNo > m_table.recordCount()) {
        if (Status s = m_table.refreshCount(); !s) return s;
    }
    if (Status s = m_table.readRecord(recNo, m_record); !s) return s;
    m_expr.evaluate(m_record, keyLength(), key);
    return Status::ok();
}

Result<std::uint32_t> IndexFile::seek(std::string_view prefix) {
    if (Status s = refresh(); !s) return s;
    const std::size_t kl = keyLength();
    if (prefix.size() > kl) {
        // Beyond the key only blanks can still match (keys are padded).
        if (prefix.find_first_not_of(' ', kl) != std::string_view::npos) return 0U;
        prefix = prefix.substr(0, kl);
    }
    auto cursor = m_tree->lowerBound(prefix);
    if (!cursor) return cursor.status();
    IdxTree::Cursor c = std::move(cursor).value();
    // Bounded: at most every entry the file could hold.
    for (std::uint64_t steps = 0; steps <= m_store->maxNodes() * idx::kNodeSize; ++steps) {
        if (c.atEnd()) return 0U;
        if (std::memcmp(c.leaf->key(c.pos, kl).data(), prefix.data(), prefix.size()) != 0) {
            return 0U;
        }
        auto recNo = checked(c.recNo());
        if (!recNo) return recNo;
        if (Status s = m_table.readRecord(*recNo, m_record); !s) return s;
        if (!TableFile::isDeleted(m_record)) return recNo;
        if (Status s = m_tree->next(c); !s) return s;
    }
    return m_store->corrupt("the chain of leaves loops");
}

Result<std::uint32_t> IndexFile::firstRec() {
    if (Status s = refresh(); !s) return s;
    auto c = m_tree->first();
    if (!c) return c.status();
    return c->atEnd() ? Result<std::uint32_t>(0U) : checked(c->recNo());
}

Result<std::uint32_t> IndexFile::lastRec() {
    if (Status s = refresh(); !s) return s;
    auto c = m_tree->last();
    if (!c) return c.status();
    return c->atEnd() ? Result<std::uint32_t>(0U) : checked(c->recNo());
}

Result<std::uint32_t> IndexFile::nextRec(std::uint32_t recNo) {
    if (Status s = refresh(); !s) return s;
    if (Status s = keyOfRecord(recNo, m_key); !s) return s;
    auto cursor = m_tree->lowerBound(m_key, recNo);
    if (!cursor) return cursor.status();
    IdxTree::Cursor c = std::move(cursor).value();
    // On the record's own entry, step past it; otherwise (its key changed
    // elsewhere) the entry found is already the neighbour.
    if (!c.atEnd() && c.recNo() == recNo &&
        std::memcmp(c.leaf->key(c.pos, keyLength()).data(), m_key.data(), keyLength()) == 0) {
        if (Status s = m_tree->next(c); !s) return s;
    }
    return c.atEnd() ? Result<std::uint32_t>(0U) : checked(c.recNo());
}

Result<std::uint32_t> IndexFile::prevRec(std::uint32_t recNo) {
    if (Status s = refresh(); !s) return s;
    if (Status s = keyOfRecord(recNo, m_key); !s) return s;
    auto cursor = m_tree->lowerBound(m_key, recNo);
    if (!cursor) return cursor.status();
    IdxTree::Cursor c = std::move(cursor).value();
    if (c.atEnd()) {
        auto lastEntry = m_tree->last();
        if (!lastEntry) return lastEntry.status();
        c = std::move(lastEntry).value();
    } else if (Status s = m_tree->prev(c); !s) {
        return s;
    }
    return c.atEnd() ? Result<std::uint32_t>(0U) : checked(c.recNo());
}

template <class Change>
Status IndexFile::update(int keyDelta, bool marked, Change change) {
    if (Status s = ensureOpen(); !s) return s;
    if (!m_store->writable()) {
        return Status::ioError("Index file '" + m_path.string() +
                               "' is read only, so it cannot be kept up to date");
    }
    if (Status s = m_store->lock(); !s) return s;
    Status s = m_store->refresh();
    std::uint64_t keys = 0;
    if (s && m_store->header().layout == idx::Layout::Compact) {
        // Only the standard layout is written: convert once, table included.
        m_store->unlock();
        return rebuild();
    }
    if (s && m_store->header().stamp.busy && !marked) {
        // Someone else's change was cut off after this index was selected:
        // the tree cannot be trusted, the table can.
        m_store->unlock();
        return rebuild();
    }
    if (s) {
        keys = m_store->header().stamp.keyCount;
        if (!m_store->header().stamp.valid) {
            auto counted = m_tree->countKeys();
            s = counted.status();
            if (counted) keys = *counted;
        }
    }
    // An edit marks the header busy, durably, before any node changes: a
    // crash then leaves a mark that select() sees.  An append needs no mark:
    // until the new count reaches the header, the count differs from the
    // table's.  Either way the nodes are synced before the header that
    // counts them is written; that header itself may reach the disk later
    // (a lost one only costs a rebuild), which saves a sync per post.
    if (s && keyDelta == 0 && !m_store->header().stamp.busy) {
        m_store->header().stamp.busy = true;
        s = m_store->writeHeader();
        if (s) s = m_store->sync();
    }
    if (s) s = change();
    if (s) s = m_store->sync();
    if (s) {
        m_store->header().stamp.busy = false;
        m_store->header().stamp.keyCount = static_cast<std::uint32_t>(
            std::max<std::int64_t>(0, static_cast<std::int64_t>(keys) + keyDelta));
        s = m_store->writeHeader();
    }
    m_store->unlock();
    if (s) return s;
    m_store->abandon();
    // The tree may be half changed, or it was out of step with the table
    // already (NotFound): the table is right, so build the index from it.
    if (Status r = rebuild(); r) return Status::ok();
    return s;
}

Status IndexFile::recordAdded(std::uint32_t recNo, std::string_view record) {
    if (Status s = ensureOpen(); !s) return s;
    m_expr.evaluate(record, keyLength(), m_key);
    m_markedBusy = false;
    return update(+1, false, [this, recNo] { return m_tree->insert(m_key, recNo); });
}

Status IndexFile::prepareEdit() {
    if (Status s = ensureOpen(); !s) return s;
    if (!m_store->writable() || m_store->header().layout != idx::Layout::Standard) {
        return Status::ok();
    }
    if (Status s = m_store->lock(); !s) return s;
    Status s = m_store->refresh();
    if (s && !m_store->header().stamp.busy) {
        m_store->header().stamp.busy = true;
        s = m_store->writeHeader();
        if (s) s = m_store->sync();
    }
    m_store->unlock();
    m_markedBusy = s.isOk();
    return s;
}

Status IndexFile::recordChanged(std::uint32_t recNo, std::string_view oldRecord,
                                std::string_view newRecord) {
    if (Status s = ensureOpen(); !s) return s;
    m_expr.evaluate(oldRecord, keyLength(), m_key);
    m_expr.evaluate(newRecord, keyLength(), m_key2);
    const bool marked = std::exchange(m_markedBusy, false);
    if (m_key == m_key2) {
        if (!marked) return Status::ok();
        // Nothing moved: only the mark of prepareEdit() goes.
        if (Status s = m_store->lock(); !s) return s;
        Status s = m_store->refresh();
        if (s && m_store->header().stamp.busy) {
            m_store->header().stamp.busy = false;
            s = m_store->writeHeader();
        }
        m_store->unlock();
        return s;
    }
    return update(0, marked, [this, recNo] {
        Status s = m_tree->remove(m_key, recNo);
        return s ? m_tree->insert(m_key2, recNo) : s;
    });
}

}  // namespace quivra::storage
