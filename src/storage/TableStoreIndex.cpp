// The index operations of TableStore: selecting, rebuilding and creating a
// single-order .idx, seeking on it, and keeping it current after a post.
// The index itself lives in IndexFile; this file is the glue to the handle's
// current record.

#include "IndexFile.h"
#include "TableFile.h"
#include "TableStore.h"

#include <system_error>

namespace quivra::storage {
namespace {

// A bare index name ("Saved.idx") is looked for beside the table, where
// FoxPro programs keep their indexes; a path with a folder is taken as given.
std::filesystem::path besideTable(const std::filesystem::path& table,
                                  const std::filesystem::path& index) {
    if (index.has_parent_path() || table.parent_path().empty()) return index;
    return table.parent_path() / index;
}

bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec1;
    std::error_code ec2;
    const auto ca = std::filesystem::absolute(a, ec1).lexically_normal();
    const auto cb = std::filesystem::absolute(b, ec2).lexically_normal();
    return !ec1 && !ec2 ? ca == cb : a == b;
}

Status missing(const std::filesystem::path& name) {
    return Status::notFound("Index file does not exist.\rFile: " + name.string());
}

}  // namespace

Result<std::unique_ptr<IndexFile>> TableStore::openIndex(const std::filesystem::path& file,
                                                         const std::filesystem::path& asGiven) {
    if (!m_io.exists(file)) return missing(asGiven);
    auto opened = IndexFile::open(file, m_io, *m_table);
    if (!opened) {
        return opened.status().code() == Status::Code::NotFound ? missing(asGiven)
                                                                : opened.status();
    }
    opened.value()->setLockWait(m_lockTimeout);
    return opened;
}

Status TableStore::walkIndex(const std::function<Status()>& walk) {
    const std::uint64_t before = m_index ? m_index->faultsSeen() : 0;
    Status s = walk();
    if (s || !m_index || m_index->faultsSeen() == before) return s;
    // Readers take no lock, so damage may be a writer's change half seen.
    // Under the header lock no writer of ours is midway: look again.
    TableFile::HeaderLock lock(*m_table);
    if (!lock.status()) return s;
    const std::uint64_t locked = m_index->faultsSeen();
    s = walk();
    if (!s && m_index->faultsSeen() != locked) m_indexDamage = s;
    return s;
}

Status TableStore::selectIndex(const std::filesystem::path& idxFile, const ProgressFn& progress) {
    if (!m_table) return notOpen();
    const std::filesystem::path file = besideTable(m_path, idxFile);
    if (m_index && sameFile(m_index->path(), file)) return Status::ok();
    auto opened = openIndex(file, idxFile);
    if (!opened) return opened.status();
    std::unique_ptr<IndexFile> index = std::move(opened).value();
    // Without a lock first: a select must not wait for writers when all is
    // well, which is nearly always.
    Status sound = index->checkStructure();
    Result<bool> covers = sound ? index->coversTable() : Result<bool>(false);
    if (!covers) return covers.status();
    if (!sound || !*covers) {
        // A crash between a table write and its index write, records added
        // while the index was not open, or damage: look again under the
        // header lock, where no writer is midway, and rebuild an index that
        // misses records so that a seek never misses a saved record.  A
        // damaged table is not written at all, its index included.
        TableFile::HeaderLock lock(*m_table);
        if (!lock.status()) return lock.status();
        if (m_table->damage().isOk()) {
            if (Status s = index->prepareWrite(progress); !s) return s;
        }
        sound = index->checkStructure();
        if (!sound) {
            m_indexDamage = sound;
            return sound;
        }
    }
    m_index = std::move(index);
    m_indexDamage = Status::ok();
    return Status::ok();
}

void TableStore::closeIndexes() {
    m_index.reset();
}

bool TableStore::hasIndex() const {
    return m_index != nullptr;
}

Status TableStore::rebuildIndex(const ProgressFn& progress) {
    if (!m_table) return notOpen();
    if (!m_index) {
        return Status::invalidArgument("Table '" + m_path.string() + "' has no index selected");
    }
    if (Status s = leaveEditState(); !s) return s;
    TableFile::HeaderLock lock(*m_table);
    if (!lock.status()) return lock.status();
    Status s = m_index->rebuild(progress);
    if (s) m_indexDamage = Status::ok();
    return s;
}

Status TableStore::rebuildIndexFile(const std::filesystem::path& idxFile,
                                    const ProgressFn& progress) {
    if (!m_table) return notOpen();
    if (Status s = leaveEditState(); !s) return s;
    const std::filesystem::path file = besideTable(m_path, idxFile);
    if (m_index && sameFile(m_index->path(), file)) m_index.reset();
    // Only the header (with the key expression) must be readable.
    auto opened = openIndex(file, idxFile);
    if (!opened) return opened.status();
    std::unique_ptr<IndexFile> index = std::move(opened).value();
    TableFile::HeaderLock lock(*m_table);
    if (!lock.status()) return lock.status();
    if (Status s = index->rebuild(progress); !s) return s;
    m_index = std::move(index);
    m_indexDamage = Status::ok();
    return Status::ok();
}

Result<bool> TableStore::seek(std::string_view key) {
    if (!m_table) return notOpen();
    if (!m_index) {
        return Status::invalidArgument("Table '" + m_path.string() +
                                       "' has no index selected to seek on");
    }
    if (Status s = leaveEditState(); !s) return s;
    // A text the table's code page cannot hold cannot begin any key.
    auto bytes = m_table->codec().fromUtf8(key, "seek text");
    std::uint32_t recNo = 0;
    Status s = walkIndex([&]() -> Status {
        recNo = 0;
        if (!bytes) return Status::ok();
        auto found = m_index->seek(*bytes);
        if (!found) return found.status();
        recNo = *found;
        return Status::ok();
    });
    if (!s) return s;
    m_bof = false;
    if (s = loadRecord(recNo); !s) return s;
    return recNo != 0;
}

Status TableStore::createIndex(const std::filesystem::path& idxFile, std::string_view keyExpression,
                               const ProgressFn& progress) {
    if (!m_table) return notOpen();
    if (Status s = leaveEditState(); !s) return s;
    TableFile::HeaderLock lock(*m_table);
    if (!lock.status()) return lock.status();
    if (Status s = m_table->refreshCount(); !s) return s;
    const std::filesystem::path file = besideTable(m_path, idxFile);
    const bool reselect = m_index && sameFile(m_index->path(), file);
    if (reselect) m_index.reset();  // the file is about to be replaced
    Status built = IndexFile::create(file, m_io, *m_table, keyExpression, progress);
    if (reselect && m_io.exists(file)) {
        auto index = IndexFile::open(file, m_io, *m_table);
        if (!index) return built ? index.status() : built;
        m_index = std::move(index).value();
        m_index->setLockWait(m_lockTimeout);
    }
    return built;
}

Status TableStore::indexAfterPost(std::uint32_t recNo, const std::string& oldRecord,
                                  bool appended) {
    if (!m_index) return Status::ok();
    if (appended) return m_index->recordAdded(recNo, m_record);
    return m_index->recordChanged(recNo, oldRecord, m_record);
}

}  // namespace quivra::storage
