#include "TableStore.h"

#include "FieldCodec.h"
#include "FileIo.h"
#include "IndexFile.h"
#include "TableFile.h"
#include "TextExport.h"

#include <cmath>

namespace quivra::storage {

TableStore::TableStore(std::filesystem::path file) : TableStore(std::move(file), FileIo::posix()) {}

TableStore::TableStore(std::filesystem::path file, FileIo& io)
    : m_path(std::move(file)), m_io(io) {}

TableStore::~TableStore() {
    close();
}

Status TableStore::create(const std::filesystem::path& file, const std::vector<FieldSpec>& fields,
                          CodePage codePage, bool replace) {
    return TableFile::create(file, fields, codePage, replace, FileIo::posix());
}

Status TableStore::create(const std::filesystem::path& file, const std::vector<FieldSpec>& fields,
                          CodePage codePage, bool replace, FileIo& io) {
    return TableFile::create(file, fields, codePage, replace, io);
}

// --- open / close -----------------------------------------------------------

Status TableStore::open() {
    if (m_table) return Status::ok();
    auto table = TableFile::open(m_path, m_io, m_lockTimeout);
    if (!table) return table.status();
    m_table = std::move(table).value();
    m_state = EditState::Browse;
    if (auto s = first(); !s) {
        m_table.reset();
        return s;
    }
    return Status::ok();
}

void TableStore::close() {
    cancel();
    closeIndexes();
    m_table.reset();
    m_record.clear();
    m_recNo = 0;
    m_bof = false;
}

bool TableStore::isOpen() const {
    return m_table != nullptr;
}

Status TableStore::damage() const {
    return m_table ? m_table->damage() : Status::ok();
}

Status TableStore::notOpen() const {
    return Status::invalidArgument("Table '" + m_path.string() + "' is not open");
}

// --- schema -----------------------------------------------------------------

const std::vector<FieldDef>& TableStore::fields() const {
    static const std::vector<FieldDef> none;
    return m_table ? m_table->fields() : none;
}

int TableStore::fieldIndex(std::string_view name) const {
    return m_table ? m_table->fieldIndex(name) : -1;
}

CodePage TableStore::codePage() const {
    return m_table ? m_table->codePage() : CodePage::Cp1252;
}

std::uint8_t TableStore::version() const {
    return m_table ? m_table->version() : 0;
}

Result<std::size_t> TableStore::fieldFor(std::string_view name) const {
    if (!m_table) return notOpen();
    const int i = m_table->fieldIndex(name);
    if (i < 0) {
        return Status::invalidArgument("Field '" + std::string(name) + "' not found in table '" +
                                       m_path.string() + "'");
    }
    return static_cast<std::size_t>(i);
}

// --- navigation -------------------------------------------------------------

std::uint32_t TableStore::recordCount() const {
    return m_table ? m_table->recordCount() : 0;
}
std::uint32_t TableStore::recNo() const {
    return m_recNo;
}
bool TableStore::eof() const {
    return m_recNo == 0 && m_state == EditState::Browse;
}
bool TableStore::bof() const {
    return m_bof;
}
bool TableStore::isDeleted() const {
    return m_recNo != 0 && TableFile::isDeleted(m_record);
}

Status TableStore::loadRecord(std::uint32_t recNo) {
    if (recNo == 0) {
        m_record = m_table->blankRecord();
        m_recNo = 0;
        return Status::ok();
    }
    std::string bytes;
    if (auto s = m_table->readRecord(recNo, bytes); !s) return s;
    m_record = std::move(bytes);
    m_recNo = recNo;
    return Status::ok();
}

Result<std::uint32_t> TableStore::skipDeleted(std::uint32_t from, bool forward) const {
    std::string bytes;
    if (m_index && from > m_table->recordCount()) {
        // The index may know records another handle appended since we counted.
        if (auto s = m_table->refreshCount(); !s) return s;
    }
    const std::uint32_t count = m_table->recordCount();
    // A bound on the walk: a damaged index must not send us round in circles.
    for (std::uint64_t steps = 0; from != 0 && steps <= count; ++steps) {
        if (from > count) {
            if (m_index) {
                return Status::corruption("The index of table '" + m_path.string() +
                                          "' points to record " + std::to_string(from) +
                                          ", beyond the " + std::to_string(count) + " records");
            }
            return forward ? 0U : count;
        }
        if (auto s = m_table->readRecord(from, bytes); !s) return s;
        if (!TableFile::isDeleted(bytes)) return from;
        if (m_index) {
            auto n = forward ? m_index->nextRec(from) : m_index->prevRec(from);
            if (!n) return n.status();
            from = *n;
        } else {
            from = forward ? from + 1 : from - 1;
        }
    }
    if (from != 0 && m_index) {
        return Status::corruption("The index of table '" + m_path.string() + "' runs in a circle");
    }
    return 0U;
}

Status TableStore::goTo(std::uint32_t recNo) {
    if (!m_table) return notOpen();
    if (auto s = leaveEditState(); !s) return s;
    if (recNo < 1 || recNo > m_table->recordCount()) {
        if (auto s = m_table->refreshCount(); !s) return s;
    }
    if (recNo < 1 || recNo > m_table->recordCount()) {
        return Status::invalidArgument("Table '" + m_path.string() + "' has no record " +
                                       std::to_string(recNo) + " (it holds " +
                                       std::to_string(m_table->recordCount()) + ")");
    }
    m_bof = false;
    return loadRecord(recNo);
}

Status TableStore::first() {
    if (!m_table) return notOpen();
    if (auto s = leaveEditState(); !s) return s;
    return walkIndex([this]() -> Status {
        if (auto s = m_table->refreshCount(); !s) return s;
        std::uint32_t start = m_table->recordCount() == 0 ? 0 : 1;
        if (m_index) {
            auto r = m_index->firstRec();
            if (!r) return r.status();
            start = *r;
        }
        auto rec = skipDeleted(start, true);
        if (!rec) return rec.status();
        m_bof = false;
        return loadRecord(*rec);
    });
}

Status TableStore::last() {
    if (!m_table) return notOpen();
    if (auto s = leaveEditState(); !s) return s;
    return walkIndex([this]() -> Status {
        if (auto s = m_table->refreshCount(); !s) return s;
        std::uint32_t start = m_table->recordCount();
        if (m_index) {
            auto r = m_index->lastRec();
            if (!r) return r.status();
            start = *r;
        }
        auto rec = skipDeleted(start, false);
        if (!rec) return rec.status();
        m_bof = false;
        return loadRecord(*rec);
    });
}

Status TableStore::next() {
    if (!m_table) return notOpen();
    if (auto s = leaveEditState(); !s) return s;
    m_bof = false;
    if (m_recNo == 0) return Status::ok();  // already at end of table
    return walkIndex([this]() -> Status {
        std::uint32_t start = m_recNo + 1;
        if (m_index) {
            auto r = m_index->nextRec(m_recNo);
            if (!r) return r.status();
            start = *r;
        }
        auto rec = skipDeleted(start, true);
        if (!rec) return rec.status();
        return loadRecord(*rec);
    });
}

Status TableStore::previous() {
    if (!m_table) return notOpen();
    if (auto s = leaveEditState(); !s) return s;
    if (m_recNo == 0) return last();  // from end of table back onto the last record
    return walkIndex([this]() -> Status {
        std::uint32_t start = m_recNo - 1;
        if (m_index) {
            auto r = m_index->prevRec(m_recNo);
            if (!r) return r.status();
            start = *r;
        }
        auto rec = skipDeleted(start, false);
        if (!rec) return rec.status();
        if (*rec == 0) {
            m_bof = true;  // stay on the first record
            return Status::ok();
        }
        m_bof = false;
        return loadRecord(*rec);
    });
}

// --- fields -------------------------------------------------------------------

Result<std::string> TableStore::fieldText(std::string_view name) const {
    auto field = fieldFor(name);
    if (!field) return field.status();
    if (m_state != EditState::Browse) {
        return m_table->fieldText(m_pending->bytes, *field, m_pending.get());
    }
    if (m_recNo == 0) {
        // End of table: blanks, whatever the field's storage (binary types
        // would otherwise decode the blank record's spaces as numbers).
        const FieldDef& f = m_table->fields()[*field];
        if (f.type == 'C') return std::string(f.length, ' ');
        return std::string(f.type == 'L' ? " " : "");
    }
    return m_table->fieldText(m_record, *field);
}

Result<std::int32_t> TableStore::fieldInt(std::string_view name) const {
    auto text = fieldText(name);
    if (!text) return text.status();
    const char type = m_table->fields()[static_cast<std::size_t>(m_table->fieldIndex(name))].type;
    if (type == 'N' || type == 'F' || type == 'I' || type == 'B' || type == 'Y') {
        // A stored number such as "60.00" is a whole number all the same.
        auto value = fieldcodec::parseFloat(*text);
        const std::string shown(fieldcodec::trim(*text));
        if (!value || std::trunc(*value) != *value || *value < -2147483648.0 ||
            *value > 2147483647.0) {
            return Status::conversion(notAnIntegerMessage(shown));
        }
        return static_cast<std::int32_t>(*value);
    }
    return fieldcodec::parseInt(*text);
}

Result<double> TableStore::fieldFloat(std::string_view name) const {
    auto text = fieldText(name);
    if (!text) return text.status();
    return fieldcodec::parseFloat(*text);
}

Status TableStore::setFieldText(std::string_view name, std::string_view utf8) {
    auto field = fieldFor(name);
    if (!field) return field.status();
    if (m_state == EditState::Browse) {
        return Status::invalidArgument("Table '" + m_path.string() +
                                       "' is not in edit or append mode");
    }
    if (auto s = m_table->setField(*m_pending, *field, utf8); !s) return s;
    m_modified = true;
    return Status::ok();
}

std::string TableStore::unstorableCharacter(std::string_view utf8) const {
    return m_table ? m_table->codec().firstUnheld(utf8) : std::string();
}

// --- editing ------------------------------------------------------------------

EditState TableStore::editState() const {
    return m_state;
}

Status TableStore::leaveEditState() {
    if (m_state == EditState::Browse) return Status::ok();
    if (m_modified) return post();
    cancel();
    return Status::ok();
}

Status TableStore::appendBlank() {
    if (!m_table) return notOpen();
    if (auto s = leaveEditState(); !s) return s;
    if (auto s = m_table->writeRefusal(); !s) return s;
    m_pending = std::make_unique<RecordImage>();
    m_pending->bytes = m_table->blankRecord();
    m_state = EditState::Append;
    m_modified = false;
    return Status::ok();
}

Status TableStore::edit() {
    if (!m_table) return notOpen();
    if (m_state == EditState::Edit) return Status::ok();
    if (auto s = leaveEditState(); !s) return s;
    if (m_recNo == 0) {
        return Status::invalidArgument("Table '" + m_path.string() +
                                       "' has no current record to edit");
    }
    if (auto s = m_table->lockRecord(m_recNo); !s) return s;
    // Another handle may have changed the record since we read it.
    if (auto s = loadRecord(m_recNo); !s) {
        m_table->unlockRecord(m_recNo);
        return s;
    }
    m_pending = std::make_unique<RecordImage>();
    m_pending->bytes = m_record;
    m_state = EditState::Edit;
    m_modified = false;
    return Status::ok();
}

Status TableStore::post() {
    if (!m_table) return notOpen();
    if (m_state == EditState::Browse) return Status::ok();
    if (!m_index) return m_state == EditState::Append ? appendPending() : rewritePending();
    if (auto s = m_table->writeRefusal(); !s) return s;
    // The table and its index change under one header lock: a rebuild by
    // another handle (which replaces the index file) cannot fall between
    // them, and a file replaced before is reopened first.
    TableFile::HeaderLock lock(*m_table);
    if (!lock.status()) return lock.status();
    if (auto s = m_index->prepareWrite(); !s) return s;
    return m_state == EditState::Append ? appendPending() : rewritePending();
}

Status TableStore::appendPending() {
    std::uint32_t recNo = 0;
    if (auto s = m_table->appendRecord(*m_pending, recNo); !s) return s;
    m_state = EditState::Browse;
    m_pending.reset();
    m_modified = false;
    m_bof = false;
    if (auto s = loadRecord(recNo); !s) return s;
    return indexAfterPost(recNo, std::string(), true);
}

Status TableStore::rewritePending() {
    // Mark the index busy before the table changes, so that a crash between
    // the two writes is seen (and repaired) by the next select.
    if (m_index) {
        if (auto s = m_index->prepareEdit(); !s) return s;
    }
    if (auto s = m_table->rewriteRecord(m_recNo, *m_pending); !s) return s;
    m_table->unlockRecord(m_recNo);
    const std::string old = std::move(m_record);
    m_record = std::move(m_pending->bytes);
    m_pending.reset();
    m_modified = false;
    m_state = EditState::Browse;
    return indexAfterPost(m_recNo, old, false);
}

void TableStore::setLockTimeout(std::chrono::milliseconds wait) {
    m_lockTimeout = wait;
    if (m_table) m_table->setLockWait(wait);
    if (m_index) m_index->setLockWait(wait);
}

void TableStore::cancel() {
    if (m_state == EditState::Edit && m_table) m_table->unlockRecord(m_recNo);
    m_state = EditState::Browse;
    m_pending.reset();
    m_modified = false;
}

// --- export -------------------------------------------------------------------

Status TableStore::copyToText(const std::filesystem::path& target, int typeCode,
                              const ProgressFn& progress) const {
    if (!m_table) return notOpen();
    if (typeCode != TextExport::kDelimited) {
        return Status::unsupported("Text file type " + std::to_string(typeCode) +
                                   " is not supported (only " +
                                   std::to_string(TextExport::kDelimited) + ", delimited text)");
    }
    return TextExport::writeDelimited(*m_table, m_io, target, progress);
}

}  // namespace quivra::storage
