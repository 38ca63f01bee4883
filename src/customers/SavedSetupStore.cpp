#include "SavedSetupStore.h"

#include "CustomerFiles.h"
#include "DateText.h"

#include <array>
#include <utility>

namespace quivra::customers {

using storage::Result;
using storage::Status;

namespace {

constexpr std::array<const char*, 19> kFields{
    "NAME", "ADDR1", "ADDR2", "CITY",  "STATE", "ZIP",   "COUNTRY", "CCODE", "COMMENTS", "DATE",
    "HORT", "BOWWT", "ARLEN", "PNTWT", "BOTYP", "WHTYP", "RETYP",   "BOLEN", "ODLEN"};

std::string rightTrimmed(std::string text) {
    const auto last = text.find_last_not_of(' ');
    text.erase(last == std::string::npos ? 0 : last + 1);
    return text;
}

// Reads a field as text, trailing blanks removed (memo text as stored).
Status readInto(const storage::TableStore& table, const char* field, std::string& out) {
    auto text = table.fieldText(field);
    if (!text.isOk()) return text.status();
    out = table.fields()[static_cast<std::size_t>(table.fieldIndex(field))].type == 'M'
              ? std::move(text).value()
              : rightTrimmed(std::move(text).value());
    return Status::ok();
}

}  // namespace

SavedSetupStore::SavedSetupStore(const std::filesystem::path& dataDir, storage::FileIo& io)
    : m_table(dataDir / kSavedTableFile, io), m_indexFile(dataDir / kSavedIndexFile) {}

Status SavedSetupStore::open(const storage::ProgressFn& progress) {
    if (Status s = m_table.open(); !s) return s;
    for (const char* field : kFields) {
        if (m_table.fieldIndex(field) < 0) {
            const std::string message = m_table.path().filename().string() + ": field " + field +
                                        " is missing, so set-ups cannot be stored in it.";
            m_table.close();
            return Status::invalidArgument(message);
        }
    }
    Status s = m_table.selectIndex(m_indexFile, progress);
    if (!s && !m_table.indexDamage().isOk()) s = rebuildDamagedIndex(s);
    if (!s) {
        m_table.close();
        return s;
    }
    return first();
}

std::string SavedSetupStore::takeNotice() {
    return std::exchange(m_notice, std::string());
}

Status SavedSetupStore::rebuildDamagedIndex(const Status& fault) {
    if (!m_table.damage().isOk()) return fault;
    if (Status s = m_table.rebuildIndexFile(m_indexFile); !s) return s;
    m_notice = "The name index " + m_indexFile.filename().string() + " was damaged (" +
               fault.message() + "). It has been rebuilt from " +
               m_table.path().filename().string() + "; no saved set-up was lost.";
    return Status::ok();
}

Status SavedSetupStore::walkIndex(const std::function<Status()>& walk) {
    Status s = walk();
    if (s || m_table.indexDamage().isOk()) return s;
    if (Status r = rebuildDamagedIndex(s); !r) return r;
    return walk();
}

void SavedSetupStore::close() {
    m_table.closeIndexes();
    m_table.close();
}

Result<std::uint32_t> SavedSetupStore::countRecords(const std::filesystem::path& dataDir) {
    storage::TableStore table(dataDir / kSavedTableFile);
    if (Status s = table.open(); !s) return s;
    // A table whose every record is deleted has nothing to show either.
    const std::uint32_t count = table.eof() ? 0 : table.recordCount();
    table.close();
    return count;
}

Status SavedSetupStore::writeAddress(const CustomerAddress& a) {
    const std::array<std::pair<const char*, const std::string*>, 9> values{{
        {"NAME", &a.name},
        {"ADDR1", &a.addr1},
        {"ADDR2", &a.addr2},
        {"CITY", &a.city},
        {"STATE", &a.state},
        {"ZIP", &a.zip},
        {"COUNTRY", &a.country},
        {"CCODE", &a.ccode},
        {"COMMENTS", &a.comments},
    }};
    for (const auto& [field, value] : values) {
        if (Status s = m_table.setFieldText(field, *value); !s) return s;
    }
    return Status::ok();
}

AppendOutcome SavedSetupStore::appendSetup(const CustomerAddress& address, const SetupCodes& codes,
                                           const std::chrono::year_month_day& date) {
    if (Status s = m_table.appendBlank(); !s) return {s, false};
    const bool dateField =
        m_table.fields()[static_cast<std::size_t>(m_table.fieldIndex("DATE"))].type == 'D';
    const std::string dateText = dateField ? dateFieldText(date) : shortDateText(date);
    const std::array<std::pair<const char*, const std::string*>, 10> values{{
        {"DATE", &dateText},
        {"HORT", &codes.hort},
        {"BOWWT", &codes.bowWeight},
        {"ARLEN", &codes.arrowLength},
        {"PNTWT", &codes.pointWeight},
        {"BOTYP", &codes.bowType},
        {"WHTYP", &codes.wheelType},
        {"RETYP", &codes.releaseType},
        {"BOLEN", &codes.braceHt},
        {"ODLEN", &codes.overDraw},
    }};
    Status s = writeAddress(address);
    for (const auto& [field, value] : values) {
        if (!s) break;
        s = m_table.setFieldText(field, *value);
    }
    if (!s) {
        m_table.cancel();  // a later post must not append a half-made record
        return {s, false};
    }
    s = m_table.post();
    if (s) return {s, true};
    if (m_table.editState() != storage::EditState::Browse) {
        m_table.cancel();  // the record never reached the file
        return {s, false};
    }
    // The record is in the file but its index entry is not: a name index that
    // misses a customer hides the record from the retrieval window, so build
    // the index anew from the table.
    if (Status r = m_table.rebuildIndex(); r) return {r, true};
    return {Status::ioError("The record was stored in " + m_table.path().filename().string() +
                            ", but " + m_indexFile.filename().string() +
                            " could not be brought up to date: " + s.message()),
            true};
}

Status SavedSetupStore::first() {
    return walkIndex([this] { return m_table.first(); });
}
Status SavedSetupStore::next() {
    return walkIndex([this] { return m_table.next(); });
}
Status SavedSetupStore::previous() {
    return walkIndex([this] { return m_table.previous(); });
}
Status SavedSetupStore::last() {
    return walkIndex([this] { return m_table.last(); });
}

Result<bool> SavedSetupStore::seekName(std::string_view letters) {
    bool found = false;
    Status s = walkIndex([&]() -> Status {
        auto r = m_table.seek(letters);
        found = r.valueOr(false);
        return r.status();
    });
    if (!s) return s;
    return found;
}

Result<SavedSetup> SavedSetupStore::current() const {
    SavedSetup r;
    CustomerAddress& a = r.address;
    SetupCodes& c = r.codes;
    const std::array<std::pair<const char*, std::string*>, 19> targets{{
        {"NAME", &a.name},         {"ADDR1", &a.addr1},       {"ADDR2", &a.addr2},
        {"CITY", &a.city},         {"STATE", &a.state},       {"ZIP", &a.zip},
        {"COUNTRY", &a.country},   {"CCODE", &a.ccode},       {"COMMENTS", &a.comments},
        {"DATE", &r.date},         {"HORT", &c.hort},         {"BOWWT", &c.bowWeight},
        {"ARLEN", &c.arrowLength}, {"PNTWT", &c.pointWeight}, {"BOTYP", &c.bowType},
        {"WHTYP", &c.wheelType},   {"RETYP", &c.releaseType}, {"BOLEN", &c.braceHt},
        {"ODLEN", &c.overDraw},
    }};
    for (const auto& [field, target] : targets) {
        if (Status s = readInto(m_table, field, *target); !s) return s;
    }
    return r;
}

Status SavedSetupStore::beginEdit() {
    return m_table.edit();
}

Status SavedSetupStore::postAddress(const CustomerAddress& address) {
    if (Status s = writeAddress(address); !s) return s;
    return m_table.post();
}

void SavedSetupStore::cancelEdit() {
    m_table.cancel();
}

bool SavedSetupStore::isEditing() const {
    return m_table.editState() != storage::EditState::Browse;
}

int SavedSetupStore::textWidth(std::string_view field) const {
    const int i = m_table.fieldIndex(field);
    if (i < 0) return 0;
    const storage::FieldDef& def = m_table.fields()[static_cast<std::size_t>(i)];
    return def.type == 'M' ? 0 : def.length;
}

}  // namespace quivra::customers
