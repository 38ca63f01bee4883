#include "SavedSetupStore.h"

#include "BuildStore.h"
#include "CustomerFiles.h"
#include "CustomerHistory.h"
#include "DateText.h"
#include "NumberText.h"
#include "StorableText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

namespace quivra::customers {

using storage::Result;
using storage::Status;

namespace {

constexpr std::array<SetupField, 19> kFields{{
    {"NAME", [](SavedSetup& r) -> std::string& { return r.address.name; }, true, "Name"},
    {"ADDR1", [](SavedSetup& r) -> std::string& { return r.address.addr1; }, true, "Address"},
    {"ADDR2", [](SavedSetup& r) -> std::string& { return r.address.addr2; }, true,
     "Address line 2"},
    {"CITY", [](SavedSetup& r) -> std::string& { return r.address.city; }, true, "City"},
    {"STATE", [](SavedSetup& r) -> std::string& { return r.address.state; }, true, "State"},
    {"ZIP", [](SavedSetup& r) -> std::string& { return r.address.zip; }, true, "ZIP"},
    {"COUNTRY", [](SavedSetup& r) -> std::string& { return r.address.country; }, true, "Country"},
    {"CCODE", [](SavedSetup& r) -> std::string& { return r.address.ccode; }, true, "Code"},
    {"COMMENTS", [](SavedSetup& r) -> std::string& { return r.address.comments; }, true,
     "Comments"},
    {"DATE", [](SavedSetup& r) -> std::string& { return r.date; }, false, nullptr},
    {"HORT", [](SavedSetup& r) -> std::string& { return r.codes.hort; }, false, nullptr},
    {"BOWWT", [](SavedSetup& r) -> std::string& { return r.codes.bowWeight; }, false, nullptr},
    {"ARLEN", [](SavedSetup& r) -> std::string& { return r.codes.arrowLength; }, false, nullptr},
    {"PNTWT", [](SavedSetup& r) -> std::string& { return r.codes.pointWeight; }, false, nullptr},
    {"BOTYP", [](SavedSetup& r) -> std::string& { return r.codes.bowType; }, false, nullptr},
    {"WHTYP", [](SavedSetup& r) -> std::string& { return r.codes.wheelType; }, false, nullptr},
    {"RETYP", [](SavedSetup& r) -> std::string& { return r.codes.releaseType; }, false, nullptr},
    {"BOLEN", [](SavedSetup& r) -> std::string& { return r.codes.braceHt; }, false, nullptr},
    {"ODLEN", [](SavedSetup& r) -> std::string& { return r.codes.overDraw; }, false, nullptr},
}};

// Reads a field as text, trailing blanks removed (memo text as stored).
Status readInto(const storage::TableStore& table, const char* field, std::string& out) {
    auto text = table.fieldText(field);
    if (!text.isOk()) return text.status();
    out = table.fields()[static_cast<std::size_t>(table.fieldIndex(field))].type == 'M'
              ? std::move(text).value()
              : withoutTrailingBlanks(std::move(text).value());
    return Status::ok();
}

}  // namespace

const std::array<SetupField, 19>& setupFields() {
    return kFields;
}

SavedSetupStore::SavedSetupStore(const std::filesystem::path& dataDir, storage::FileIo& io)
    : m_io(&io), m_table(dataDir / kSavedTableFile, io), m_indexFile(dataDir / kSavedIndexFile) {}

Status SavedSetupStore::open(const storage::ProgressFn& progress) {
    if (Status s = m_table.open(); !s) return s;
    for (const SetupField& field : kFields) {
        if (m_table.fieldIndex(field.name) < 0) {
            const std::string message = m_table.path().filename().string() + ": field " +
                                        field.name +
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

Result<std::uint32_t> SavedSetupStore::countRecords(const std::filesystem::path& dataDir,
                                                    storage::FileIo& io) {
    storage::TableStore table(dataDir / kSavedTableFile, io);
    if (Status s = table.open(); !s) return s;
    // A table whose every record is deleted has nothing to show either.
    const std::uint32_t count = table.eof() ? 0 : table.recordCount();
    table.close();
    return count;
}

std::vector<storage::FieldSpec> SavedSetupStore::tableFields() {
    const auto text = [](const char* name, std::uint8_t width) {
        return storage::FieldSpec{name, 'C', width, 0};
    };
    return {text("NAME", 30),         text("ADDR1", 30), text("ADDR2", 30),   text("CITY", 20),
            text("STATE", 10),        text("ZIP", 10),   text("COUNTRY", 20), text("CCODE", 10),
            {"COMMENTS", 'M', 10, 0}, text("DATE", 10),  text("HORT", 1),     text("BOWWT", 4),
            text("ARLEN", 4),         text("PNTWT", 4),  text("BOTYP", 1),    text("WHTYP", 1),
            text("RETYP", 1),         text("BOLEN", 1),  text("ODLEN", 1)};
}

SavedSetupStore::WriteReport SavedSetupStore::writeRecord(storage::TableStore& table,
                                                          const SavedSetup& setup) {
    WriteReport report;
    SavedSetup record = setup;
    for (const SetupField& field : kFields) {
        const std::string& text = field.text(record);
        Status s = table.setFieldText(field.name, text);
        if (s.code() == Status::Code::Encoding) {
            s = table.setFieldText(field.name, withUnstorableMarked(text));
            ++report.replaced;
        }
        if (!s) {
            report.status = s;
            return report;
        }
        const storage::FieldDef& def =
            table.fields()[static_cast<std::size_t>(table.fieldIndex(field.name))];
        if (def.type == 'C' && core::characterCount(text) > def.length) ++report.cut;
    }
    return report;
}

Result<bool> SavedSetupStore::isEmpty() {
    const std::filesystem::path dir = m_table.path().parent_path();
    auto count = countRecords(dir, *m_io);
    if (!count) return count.status();
    return *count == 0;
}

SetupId SavedSetupStore::currentId() const {
    return m_table.eof() ? SetupId() : std::to_string(m_table.recNo());
}

Status SavedSetupStore::goToId(const SetupId& id) {
    std::uint32_t recNo = 0;
    const auto [end, ec] = std::from_chars(id.data(), id.data() + id.size(), recNo);
    if (ec != std::errc() || end != id.data() + id.size() || recNo == 0) {
        return Status::invalidArgument("'" + id + "' is not a record of " +
                                       m_table.path().filename().string());
    }
    return m_table.goTo(recNo);
}

Result<std::vector<HistoryEntry>> SavedSetupStore::history(const CustomerAddress& customer) {
    std::vector<HistoryEntry> found;
    const std::string name = customerName(customer.name);
    if (name.empty()) return found;
    const std::uint32_t from = m_table.recNo();
    auto seek = seekName(name);
    if (!seek) return seek.status();
    // Records of one name stand together in name order, the exact name
    // before longer ones that begin with it.
    std::vector<std::uint32_t> recNos;
    Status s;
    while (*seek && !m_table.eof()) {
        auto record = current();
        if (!record) {
            s = record.status();
            break;
        }
        if (customerName(record->address.name) != name) break;  // past the customer's key
        if (sameCustomer(record->address, customer)) {
            recNos.push_back(m_table.recNo());
            found.push_back({currentId(), std::move(record).value(), std::nullopt});
        }
        if (s = next(); !s) break;
    }
    if (Status back = from == 0 ? first() : m_table.goTo(from); s && !back) s = back;
    if (!s) return s;

    // The arrows, from Builds.dbf when the folder has one.
    BuildStore builds(m_table.path().parent_path(), *m_io);
    s = builds.openForReading();
    for (std::size_t i = 0; s && i < found.size(); ++i) {
        auto build = builds.findFor(recNos[i], setupSignature(found[i].setup));
        if (!build) {
            s = build.status();
        } else if (*build) {
            found[i].build = (*build)->build;
        }
    }
    addNotice(m_notice, builds.takeNotice());
    builds.close();
    if (!s) return s;

    // Saving order, the last saved first, then by date.
    std::vector<std::size_t> order(found.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(),
              [&recNos](std::size_t a, std::size_t b) { return recNos[a] > recNos[b]; });
    std::vector<HistoryEntry> history;
    history.reserve(found.size());
    for (const std::size_t i : order) history.push_back(std::move(found[i]));
    sortNewestFirst(history);
    return history;
}

Status SavedSetupStore::exportText(const std::filesystem::path& target,
                                   const storage::ProgressFn& progress) {
    // Its own handle without an index: record order is the order of saving.
    storage::TableStore table(m_table.path(), *m_io);
    if (Status s = table.open(); !s) return s;
    Status s = table.copyToText(target, kExportTypeCode, progress);
    table.close();
    return s;
}

Status SavedSetupStore::writeFields(SavedSetup& record, bool addressOnly) {
    for (const SetupField& field : kFields) {
        if (addressOnly && !field.address) continue;
        std::string& text = field.text(record);
        if (field.caption) {
            if (Status s = checkStorable(m_table, field.caption, text); !s) return s;
        }
        // Memo texts keep the CR LF line breaks of xBase memo files, whatever
        // the window gave.
        if (m_table.fields()[static_cast<std::size_t>(m_table.fieldIndex(field.name))].type ==
            'M') {
            text = withCrLf(text);
        }
        if (Status s = m_table.setFieldText(field.name, text); !s) return s;
    }
    return Status::ok();
}

AppendOutcome SavedSetupStore::appendSetup(const CustomerAddress& address, const SetupCodes& codes,
                                           const std::chrono::year_month_day& date) {
    if (Status s = m_table.appendBlank(); !s) return {s, false};
    const bool dateField =
        m_table.fields()[static_cast<std::size_t>(m_table.fieldIndex("DATE"))].type == 'D';
    SavedSetup record{address, dateField ? dateFieldText(date) : shortDateText(date), codes};
    Status s = writeFields(record, false);
    if (!s) {
        m_table.cancel();  // a later post must not append a half-made record
        return {s, false};
    }
    s = m_table.post();
    if (s) return {s, true, m_table.recNo()};
    if (m_table.editState() != storage::EditState::Browse) {
        m_table.cancel();  // the record never reached the file
        return {s, false};
    }
    // The record is in the file but its index entry is not: a name index that
    // misses a customer hides the record from the retrieval window, so build
    // the index anew from the table.
    const std::uint32_t stored = m_table.recNo();
    if (Status r = m_table.rebuildIndex(); r) return {r, true, stored};
    return {Status::ioError("The record was stored in " + m_table.path().filename().string() +
                            ", but " + m_indexFile.filename().string() +
                            " could not be brought up to date: " + s.message()),
            true, stored};
}

AppendOutcome SavedSetupStore::appendSetupWithBuild(const CustomerAddress& address,
                                                    const SetupCodes& codes,
                                                    const std::chrono::year_month_day& date,
                                                    const SavedBuild& build) {
    AppendOutcome out = appendSetup(address, codes, date);
    if (!out.status) return out;
    // The build names its set-up by record number and the signature of
    // the record as it is on file (texts cut to their fields), which is
    // what a later reading compares.
    Status s = m_table.goTo(out.recNo);
    auto record = s ? current() : Result<SavedSetup>(s);
    if (!record) {
        out.status = record.status();
        return out;
    }
    BuildStore builds(m_table.path().parent_path(), *m_io);
    out.status = builds.openForWriting();
    if (out.status) out.status = builds.append(out.recNo, setupSignature(*record), build).status();
    out.buildStored = out.status.isOk();
    addNotice(m_notice, builds.takeNotice());
    builds.close();
    return out;
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
    for (const SetupField& field : kFields) {
        if (Status s = readInto(m_table, field.name, field.text(r)); !s) return s;
    }
    return r;
}

Status SavedSetupStore::beginEdit() {
    return m_table.edit();
}

Status SavedSetupStore::postAddress(const CustomerAddress& address) {
    SavedSetup record{address, {}, {}};
    if (Status s = writeFields(record, true); !s) return s;
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
