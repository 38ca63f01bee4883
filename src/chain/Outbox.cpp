#include "Outbox.h"

#include "BuildSql.h"
#include "FileLock.h"
#include "SetupSql.h"
#include "TableStore.h"
#include "TempPath.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace quivra::chain {

using core::Result;
using core::Status;

namespace {

using OutboxLock = FileLock;  // Outbox.lock, around every use of the outbox

// The keys of an arrow in DATA: its UUID, then each field with this prefix.
constexpr std::string_view kBuildUuidKey = "BUILD";
constexpr std::string_view kBuildFieldPrefix = "B.";

// DATA holds the shop (key SHOP) and the set-up's fields by name.
constexpr std::string_view kShopKey = "SHOP";

// Printable ASCII stays; every other byte, and '%', becomes %XX.
void appendEscaped(std::string_view text, std::string& out) {
    constexpr const char* kHex = "0123456789ABCDEF";
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x20 && c < 0x7f && c != '%') {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0x0f];
        }
    }
}

bool unescape(std::string_view text, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size()) return false;
        unsigned value = 0;
        const auto [end, ec] = std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16);
        if (ec != std::errc() || end != text.data() + i + 3) return false;
        out += static_cast<char>(value);
        i += 2;
    }
    return true;
}

}  // namespace

Outbox::Outbox(const std::filesystem::path& dataDir, storage::FileIo& io)
    : m_table(dataDir / "Outbox.dbf"),
      m_markFile(dataDir / "Outbox.done"),
      m_lockFile(dataDir / "Outbox.lock"),
      m_io(io) {}

std::string Outbox::encode(const OutboxEntry& entry) {
    std::string out;
    const auto line = [&out](std::string_view key, std::string_view value) {
        out += key;
        out += '=';
        appendEscaped(value, out);
        out += '\n';
    };
    line(kShopKey, entry.shop);
    for (const customers::SetupField& f : customers::setupFields()) {
        line(f.name, f.in(entry.setup));
    }
    if (entry.build) {
        line(kBuildUuidKey, entry.buildUuid);
        for (const auto& [key, text] : buildTexts(*entry.build)) {
            line(std::string(kBuildFieldPrefix) + key, text);
        }
    }
    return out;
}

Status Outbox::decode(std::string_view data, OutboxEntry& entry) {
    std::string value;
    while (!data.empty()) {
        const auto end = data.find('\n');
        const std::string_view line = data.substr(0, end);
        data.remove_prefix(end == std::string_view::npos ? data.size() : end + 1);
        if (line.empty()) continue;
        const auto eq = line.find('=');
        if (eq == std::string_view::npos || !unescape(line.substr(eq + 1), value)) {
            return Status::corruption("Outbox.dbf: a queued set-up of " + entry.uuid +
                                      " cannot be read");
        }
        const std::string_view key = line.substr(0, eq);
        if (key == kBuildUuidKey) {
            entry.buildUuid = value;
            if (!entry.build) entry.build.emplace();
        } else if (key.starts_with(kBuildFieldPrefix)) {
            if (!entry.build) entry.build.emplace();
            auto known = setBuildText(*entry.build, key.substr(kBuildFieldPrefix.size()), value);
            if (!known) {
                return Status::corruption("Outbox.dbf: the arrow queued with " + entry.uuid +
                                          " cannot be read: " + known.status().message());
            }
        }
        if (key == kShopKey) entry.shop = value;
        for (const customers::SetupField& f : customers::setupFields()) {
            if (key == f.name) f.text(entry.setup) = value;
        }
    }
    if (entry.build && entry.buildUuid.empty()) {
        return Status::corruption("Outbox.dbf: the arrow queued with " + entry.uuid +
                                  " has no UUID");
    }
    return Status::ok();
}

Result<Outbox::Mark> Outbox::readMark() {
    Mark mark;
    if (!m_io.exists(m_markFile)) return mark;
    auto file = m_io.open(m_markFile, storage::FileIo::Mode::Read);
    if (!file) return file.status();
    std::array<char, 128> buf{};
    auto n = (*file)->readAt(0, buf.data(), buf.size());
    if (!n) return n.status();
    const std::string_view text(buf.data(), *n);
    const auto space = text.find(' ');
    if (space == std::string_view::npos) {
        return Status::corruption(m_markFile.string() + " is not '<generation> <count>'");
    }
    mark.generation = std::string(text.substr(0, space));
    const std::string_view count = text.substr(space + 1);
    const auto [end, ec] = std::from_chars(count.data(), count.data() + count.size(), mark.done);
    if (ec != std::errc()) {
        return Status::corruption(m_markFile.string() + " is not '<generation> <count>'");
    }
    return mark;
}

Status Outbox::writeMark(const Mark& mark) {
    return storage::replaceFile(m_io, m_markFile,
                                mark.generation + " " + std::to_string(mark.done) + "\n");
}

Status Outbox::createTable() {
    // The new generation's mark goes first: should the program die before
    // the table is replaced, the old entries are only sent again.
    if (Status s = writeMark({newUuid(), 0}); !s) return s;
    const std::vector<storage::FieldSpec> fields{{"UUID", 'C', 36, 0},
                                                 {"KIND", 'C', 1, 0},
                                                 {"QUEUED", 'C', 27, 0},
                                                 {"LOCALREC", 'N', 10, 0},
                                                 {"DATA", 'M', 10, 0}};
    return storage::TableStore::create(m_table, fields, storage::CodePage::Cp1252, true, m_io);
}

Result<std::string> Outbox::generation() {
    OutboxLock lock(m_io, m_lockFile);
    if (!lock.status()) return lock.status();
    auto mark = readMark();
    if (!mark) return mark.status();
    return mark->generation;
}

Status Outbox::setLocalRecord(const std::string& generation, std::uint32_t recNo,
                              std::uint32_t localRec) {
    OutboxLock lock(m_io, m_lockFile);
    if (!lock.status()) return lock.status();
    auto mark = readMark();
    if (!mark) return mark.status();
    if (mark->generation != generation) return Status::ok();  // emptied meanwhile: sent
    storage::TableStore table(m_table, m_io);
    Status s = table.open();
    if (s) s = table.goTo(recNo);
    if (s) s = table.edit();
    if (s) s = table.setFieldText("LOCALREC", std::to_string(localRec));
    if (s) s = table.post();
    if (!s && table.isOpen() && table.editState() != storage::EditState::Browse) table.cancel();
    return s;
}

Result<std::uint32_t> Outbox::add(const OutboxEntry& entry, std::string* generation) {
    OutboxLock lock(m_io, m_lockFile);
    if (!lock.status()) return lock.status();
    if (!m_io.exists(m_table)) {
        if (Status s = createTable(); !s) return s;
    }
    if (generation != nullptr) {
        auto mark = readMark();
        if (!mark) return mark.status();
        *generation = mark->generation;
    }
    storage::TableStore table(m_table, m_io);
    Status s = table.open();
    if (s) s = table.appendBlank();
    if (s) s = table.setFieldText("UUID", entry.uuid);
    if (s) s = table.setFieldText("KIND", std::string(1, static_cast<char>(entry.kind)));
    if (s) s = table.setFieldText("QUEUED", entry.queued);
    if (s) s = table.setFieldText("LOCALREC", std::to_string(entry.localRec));
    if (s) s = table.setFieldText("DATA", encode(entry));
    if (s) s = table.post();
    if (!s && table.isOpen() && table.editState() != storage::EditState::Browse) table.cancel();
    const std::uint32_t recNo = table.isOpen() ? table.recNo() : 0;
    table.close();
    if (!s) {
        return Status::ioError("The save could not be kept for the server in " + m_table.string() +
                               ": " + s.message());
    }
    return recNo;
}

Result<OutboxBatch> Outbox::pending(std::size_t max) {
    OutboxLock lock(m_io, m_lockFile);
    if (!lock.status()) return lock.status();
    auto mark = readMark();
    if (!mark) return mark.status();
    OutboxBatch batch{mark->generation, {}};
    if (Status s = readEntries(mark->done + 1, max, batch.entries); !s) return s;
    return batch;
}

Status Outbox::readEntries(std::uint32_t from, std::size_t max, std::vector<OutboxEntry>& out) {
    if (!m_io.exists(m_table)) return Status::ok();
    storage::TableStore table(m_table, m_io);
    if (Status s = table.open(); !s) return s;
    const std::uint32_t count = table.recordCount();
    for (std::uint32_t rec = from; rec <= count && out.size() < max; ++rec) {
        if (Status s = table.goTo(rec); !s) return s;
        OutboxEntry e;
        e.recNo = rec;
        auto uuid = table.fieldText("UUID");
        auto kind = table.fieldText("KIND");
        auto queued = table.fieldText("QUEUED");
        auto localRec = table.fieldInt("LOCALREC");
        auto data = table.fieldText("DATA");
        for (const Status& s :
             {uuid.status(), kind.status(), queued.status(), localRec.status(), data.status()}) {
            if (!s) return s;
        }
        e.uuid = uuid->substr(0, uuid->find(' '));
        e.kind = kind->front() == 'A' ? OutboxEntry::Kind::Address : OutboxEntry::Kind::NewSetup;
        e.queued = queued->substr(0, queued->find(' '));
        e.localRec = static_cast<std::uint32_t>(std::max(*localRec, 0));
        if (Status s = decode(*data, e); !s) return s;
        out.push_back(std::move(e));
    }
    return Status::ok();
}

Result<std::size_t> Outbox::pendingCount() {
    // No table, nothing waiting: asked at every start, so a folder that
    // never queued a save is not given a lock file for it.
    if (!m_io.exists(m_table)) return std::size_t{0};
    OutboxLock lock(m_io, m_lockFile);
    if (!lock.status()) return lock.status();
    auto mark = readMark();
    if (!mark) return mark.status();
    if (!m_io.exists(m_table)) return std::size_t{0};
    storage::TableStore table(m_table, m_io);
    if (Status s = table.open(); !s) return s;
    const std::uint32_t count = table.recordCount();
    return static_cast<std::size_t>(count > mark->done ? count - mark->done : 0);
}

Status Outbox::markDone(const std::string& generation, std::uint32_t throughRecNo) {
    OutboxLock lock(m_io, m_lockFile);
    if (!lock.status()) return lock.status();
    auto mark = readMark();
    if (!mark) return mark.status();
    if (mark->generation != generation || mark->done >= throughRecNo) return Status::ok();
    return writeMark({generation, throughRecNo});
}

Status Outbox::compactIfDone() {
    OutboxLock lock(m_io, m_lockFile);
    if (!lock.status()) return lock.status();
    if (!m_io.exists(m_table)) return Status::ok();
    auto mark = readMark();
    if (!mark) return mark.status();
    storage::TableStore table(m_table, m_io);
    if (Status s = table.open(); !s) return s;
    const std::uint32_t count = table.recordCount();
    table.close();
    if (count == 0 || mark->done < count) return Status::ok();
    return createTable();
}

Result<std::optional<std::string>> Outbox::uuidOfLocalRecord(std::uint32_t localRec) {
    OutboxLock lock(m_io, m_lockFile);
    if (!lock.status()) return lock.status();
    if (localRec == 0 || !m_io.exists(m_table)) return std::optional<std::string>();
    // KIND and LOCALREC of each entry, the UUID of the one asked for: the
    // queued texts are not read.
    storage::TableStore table(m_table, m_io);
    if (Status s = table.open(); !s) return s;
    const std::uint32_t count = table.recordCount();
    for (std::uint32_t rec = 1; rec <= count; ++rec) {
        if (Status s = table.goTo(rec); !s) return s;
        auto kind = table.fieldText("KIND");
        if (!kind) return kind.status();
        if (!kind->empty() && kind->front() == static_cast<char>(OutboxEntry::Kind::Address)) {
            continue;
        }
        auto local = table.fieldInt("LOCALREC");
        if (!local) return local.status();
        if (*local != static_cast<std::int64_t>(localRec)) continue;
        auto uuid = table.fieldText("UUID");
        if (!uuid) return uuid.status();
        return std::optional<std::string>(uuid->substr(0, uuid->find(' ')));
    }
    return std::optional<std::string>();
}

}  // namespace quivra::chain
