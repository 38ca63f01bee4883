// Writing FoxPro 2.x tables.  The order of writes is what keeps a table
// sound when the process dies at any moment:
//   append: memo blocks + memo header, sync memo; record + EOF byte; record
//           count + date; sync.  Until the count is written the new record
//           lies past the end and is invisible; the next append overwrites it.
//   edit:   new memo blocks (old ones are left unused), sync memo; record; sync.
// Appends run under the header lock and take the count from the file, so
// writers in other processes never hand out the same record number.
#include "TableFile.h"

#include "Clock.h"
#include "Coding.h"
#include "FieldCodec.h"
#include "LockWait.h"
#include "MemoFile.h"
#include "TempPath.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace quivra::storage {

namespace {

constexpr std::uint64_t kHeaderLock = 0x40000000;
constexpr char kEof = '\x1A';

void putDate(char* p) {
    const std::chrono::year_month_day today = core::Clock::instance().now().date;
    p[0] = static_cast<char>((static_cast<int>(today.year()) - 1900) % 256);  // years since 1900
    p[1] = static_cast<char>(static_cast<unsigned>(today.month()));
    p[2] = static_cast<char>(static_cast<unsigned>(today.day()));
}

Status checkSpecs(const std::filesystem::path& path, const std::vector<FieldSpec>& specs,
                  std::vector<FieldDef>& defs) {
    auto bad = [&](const std::string& what) {
        return Status::invalidArgument("Cannot create table '" + path.string() + "': " + what);
    };
    if (specs.empty()) return bad("a table needs at least one field");
    if (specs.size() > 255) return bad("a table holds at most 255 fields");
    std::set<std::string> names;
    std::uint32_t offset = 1;
    for (const FieldSpec& s : specs) {
        FieldDef d;
        for (const char c : s.name)
            d.name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        const bool nameOk = !d.name.empty() && d.name.size() <= 10 &&
                            std::isalpha(static_cast<unsigned char>(d.name[0])) &&
                            std::all_of(d.name.begin(), d.name.end(), [](char c) {
                                return c == '_' || std::isalnum(static_cast<unsigned char>(c));
                            });
        if (!nameOk)
            return bad("'" + s.name + "' is not a field name (letters, digits, _; at most 10)");
        if (!names.insert(d.name).second) return bad("field " + d.name + " appears twice");
        d.type = static_cast<char>(std::toupper(static_cast<unsigned char>(s.type)));
        d.length = s.length;
        d.decimals = 0;
        switch (d.type) {
            case 'C':
                if (d.length < 1 || d.length > 254)
                    return bad("field " + d.name + " needs a width of 1 to 254");
                break;
            case 'N':
            case 'F':
                d.decimals = s.decimals;
                if (d.length < 1 || d.length > 20)
                    return bad("field " + d.name + " needs a width of 1 to 20");
                if (d.decimals > 0 && d.decimals + 2 > d.length) {
                    return bad("field " + d.name + " is too narrow for its decimals");
                }
                break;
            case 'D':
                d.length = 8;
                break;
            case 'L':
                d.length = 1;
                break;
            case 'M':
                d.length = 10;
                break;
            default:
                return bad("field " + d.name + " has type " + std::string(1, s.type) +
                           ", which cannot be created (C, N, F, D, L, M)");
        }
        d.offset = offset;
        offset += d.length;
        defs.push_back(std::move(d));
    }
    if (offset > 65535) return bad("the record is longer than 65535 bytes");
    return Status::ok();
}

std::string buildHeader(const std::vector<FieldDef>& defs, CodePage codePage, bool memo) {
    const std::size_t headerLength = 32 + 32 * defs.size() + 1;
    std::string h(headerLength, '\0');
    h[0] = static_cast<char>(memo ? 0xF5 : 0x03);
    putDate(h.data() + 1);
    coding::putLe32(h.data() + 4, 0);
    coding::putLe16(h.data() + 8, static_cast<std::uint16_t>(headerLength));
    const std::uint32_t recordLength = defs.back().offset + defs.back().length;
    coding::putLe16(h.data() + 10, static_cast<std::uint16_t>(recordLength));
    h[29] = static_cast<char>(codePage);
    std::size_t pos = 32;
    for (const FieldDef& d : defs) {
        std::copy(d.name.begin(), d.name.end(), h.begin() + static_cast<std::ptrdiff_t>(pos));
        h[pos + 11] = d.type;
        coding::putLe32(h.data() + pos + 12, d.offset);
        h[pos + 16] = static_cast<char>(d.length);
        h[pos + 17] = static_cast<char>(d.decimals);
        pos += 32;
    }
    h[pos] = '\x0D';
    return h;
}

// Writes `bytes` to a new file at `tmp` and syncs it; `fill` may add more.
Status writeNewFile(FileIo& io, const std::filesystem::path& tmp, const std::string& bytes) {
    auto file = io.open(tmp, FileIo::Mode::CreateNew);
    if (!file) return file.status();
    if (auto s = file.value()->writeAt(0, bytes.data(), bytes.size()); !s) return s;
    return file.value()->sync();
}

}  // namespace

Status TableFile::create(const std::filesystem::path& path, const std::vector<FieldSpec>& fields,
                         CodePage codePage, bool replace, FileIo& io) {
    std::vector<FieldDef> defs;
    if (auto s = checkSpecs(path, fields, defs); !s) return s;
    if (!replace && io.exists(path)) {
        return Status::invalidArgument("Cannot create table '" + path.string() +
                                       "': the file exists");
    }
    const bool memo =
        std::any_of(defs.begin(), defs.end(), [](const FieldDef& d) { return d.type == 'M'; });
    std::string header = buildHeader(defs, codePage, memo);
    header += kEof;
    const std::filesystem::path memoPath = memoPathFor(path, false, io);

    const std::filesystem::path tmpTable = temporaryPathFor(path);
    const std::filesystem::path tmpMemo = temporaryPathFor(memoPath);
    auto cleanUp = [&](Status s) {
        io.remove(tmpTable);
        io.remove(tmpMemo);
        return s;
    };
    if (auto s = writeNewFile(io, tmpTable, header); !s) return cleanUp(s);
    if (memo) {
        auto file = io.open(tmpMemo, FileIo::Mode::CreateNew);
        if (!file) return cleanUp(file.status());
        if (auto s = MemoFile::writeEmptyFpt(*file.value()); !s) return cleanUp(s);
        if (auto s = file.value()->sync(); !s) return cleanUp(s);
    }
    // The table first: a new empty table beside an old memo file is sound,
    // an old table beside a new empty memo file is not.
    if (auto s = io.rename(tmpTable, path); !s) return cleanUp(s);
    if (memo) {
        if (auto s = io.rename(tmpMemo, memoPath); !s) return cleanUp(s);
    } else if (replace) {
        return io.remove(memoPath);  // a memo file of the replaced table
    }
    return Status::ok();
}

bool TableFile::writable() const {
    return writeRefusal().isOk();
}

Status TableFile::writeRefusal() const {
    if (!m_damage.isOk()) {
        return Status::corruption(m_damage.message() +
                                  ". Nothing is written into it until it is repaired");
    }
    if (m_readOnly) {
        const bool memo = m_readOnlyFile != m_path;
        return Status::ioError(
            (memo ? "Memo file '" : "Table file '") + m_readOnlyFile.string() + "' is read-only" +
            (memo ? ", so table '" + m_path.string() + "' cannot be changed" : std::string()));
    }
    if (m_version != 0x03 && m_version != 0xF5) {
        return Status::unsupported("Table file '" + m_path.string() +
                                   "' is not a FoxPro 2.x table; this program only reads it");
    }
    const bool memoFields = std::any_of(m_fields.begin(), m_fields.end(),
                                        [](const FieldDef& f) { return isMemoType(f.type); });
    if (memoFields && (!m_memo || m_memo->kind() != MemoFile::Kind::Fpt)) {
        return Status::unsupported("Table file '" + m_path.string() +
                                   "' has memo fields but no FoxPro memo file; it is only read");
    }
    return Status::ok();
}

// --- header lock ---------------------------------------------------------------

TableFile::HeaderLock::HeaderLock(TableFile& table, bool shared)
    : m_table(table), m_status(table.lockHeader(shared)) {}

TableFile::HeaderLock::~HeaderLock() {
    if (m_status) m_table.unlockHeader();
}

Status TableFile::lockHeader(bool shared) {
    if (m_headerLockDepth > 0) {
        ++m_headerLockDepth;
        return Status::ok();
    }
    const bool exclusive = !shared && !m_readOnly;
    Status s = retryWhileBusy(m_lockWait, [&] {
        return exclusive ? m_file->tryLock(kHeaderLock, 1) : m_file->tryLockShared(kHeaderLock, 1);
    });
    if (s.code() == Status::Code::Busy) {
        return Status::busy(busySavingMessage(m_path.filename().string()));
    }
    if (s) m_headerLockDepth = 1;
    return s;
}

void TableFile::unlockHeader() {
    if (m_headerLockDepth > 0 && --m_headerLockDepth == 0) m_file->unlock(kHeaderLock, 1);
}

Status TableFile::setField(RecordImage& image, std::size_t field, std::string_view utf8) const {
    const FieldDef& f = m_fields[field];
    if (isMemoType(f.type)) {
        if (f.type != 'M') return Status::unsupported("Field " + f.name + " cannot be written");
        auto bytes = m_codec.fromUtf8(utf8, "field " + f.name);
        if (!bytes) return bytes.status();
        image.memos[field] = std::move(bytes).value();
        return Status::ok();
    }
    return fieldcodec::encode(f, utf8, m_codec, image.bytes.data() + f.offset);
}

Status TableFile::writeMemos(RecordImage& image) {
    if (image.memos.empty()) return Status::ok();
    if (!m_memo) return writeRefusal();
    for (const auto& [field, bytes] : image.memos) {
        std::uint32_t block = 0;
        if (!bytes.empty()) {
            auto b = m_memo->append(bytes);
            if (!b) return b.status();
            block = *b;
        }
        fieldcodec::putMemoBlock(m_fields[field], block,
                                 image.bytes.data() + m_fields[field].offset);
    }
    return m_memo->sync();
}

Status TableFile::refreshCount() {
    auto state = readDiskState();
    if (!state) return state.status();
    const std::uint64_t whole =
        (state->size < m_headerLength ? 0 : state->size - m_headerLength) / m_recordLength;
    if (whole < state->count) {
        // Our writers never count a record before it is on file: the table
        // was cut short while open.
        auto fault = sizeFault(*state);
        if (!fault) return fault.status();
        addDamage(*fault);
    }
    m_recordCount = knownCount(*state);
    return Status::ok();
}

Status TableFile::writeCountAndDate(std::uint32_t count) {
    char bytes[7];
    putDate(bytes);
    coding::putLe32(bytes + 3, count);
    return m_file->writeAt(1, bytes, sizeof bytes);
}

Status TableFile::writeDate() {
    char bytes[3];
    putDate(bytes);
    return m_file->writeAt(1, bytes, sizeof bytes);
}

Status TableFile::appendRecord(RecordImage& image, std::uint32_t& recNo) {
    if (auto s = writeRefusal(); !s) return s;
    if (image.bytes.size() != m_recordLength) {
        return Status::invalidArgument("record image of the wrong length for '" + m_path.string() +
                                       "'");
    }
    HeaderLock lock(*this);
    if (!lock.status()) return lock.status();
    auto state = readDiskState();
    if (!state) return state.status();
    // The last check before writing: a file that no longer agrees with its
    // count (cut, or records another program wrote beyond the count) would
    // lose records under the new one.
    auto fault = sizeFault(*state);
    if (!fault) return fault.status();
    if (!fault->empty()) {
        addDamage(*fault);
        return writeRefusal();
    }
    const std::uint32_t count = state->count;
    if (count == 0xFFFFFFFFU)
        return Status::invalidArgument("Table file '" + m_path.string() + "' is full");
    if (auto s = writeMemos(image); !s) return s;
    image.bytes[0] = ' ';
    std::string bytes = image.bytes;
    bytes += kEof;
    Status s = m_file->writeAt(recordOffset(count + 1), bytes.data(), bytes.size());
    if (s) s = writeCountAndDate(count + 1);
    if (s) s = m_file->sync();
    if (!s) {
        // A post that fails must leave the file as it was, or posting it
        // again would store it twice, and what a full disk let through would
        // lie beyond the count as damage: put the count and the size back
        // (best effort).
        (void)writeCountAndDate(count);
        const std::uint64_t end = recordOffset(count + 1);
        if (state->size > end) (void)m_file->writeAt(end, &kEof, 1);  // overwritten by the record
        (void)m_file->truncate(state->size);
        (void)m_file->sync();
        return s;
    }
    m_recordCount = count + 1;
    recNo = m_recordCount;
    return Status::ok();
}

Status TableFile::rewriteRecord(std::uint32_t recNo, RecordImage& image) {
    if (auto s = writeRefusal(); !s) return s;
    if (recNo < 1 || recNo > m_recordCount || image.bytes.size() != m_recordLength) {
        return Status::invalidArgument("Table file '" + m_path.string() + "' has no record " +
                                       std::to_string(recNo));
    }
    if (!image.memos.empty()) {
        // Memo blocks are handed out under the header lock, like appends.
        HeaderLock lock(*this);
        if (!lock.status()) return lock.status();
        if (auto s = writeMemos(image); !s) return s;
    }
    if (auto s = m_file->writeAt(recordOffset(recNo), image.bytes.data(), image.bytes.size()); !s)
        return s;
    if (auto s = writeDate(); !s) return s;
    return m_file->sync();
}

Status TableFile::writeRawRecord(std::uint32_t recNo, std::string_view bytes) {
    if (recNo < 1 || recNo > m_recordCount || bytes.size() != m_recordLength) {
        return Status::invalidArgument("Table file '" + m_path.string() + "' has no record " +
                                       std::to_string(recNo));
    }
    return m_file->writeAt(recordOffset(recNo), bytes.data(), bytes.size());
}

Status TableFile::setEnd(std::uint32_t count) {
    const char marker = kEof;
    Status s = m_file->writeAt(recordOffset(count + 1), &marker, 1);
    if (s) s = m_file->truncate(recordOffset(count + 1) + 1);
    if (s) s = writeCountAndDate(count);
    if (s) s = m_file->sync();
    if (!s) return s;
    m_recordCount = count;
    m_faults.clear();
    m_damage = Status::ok();
    return Status::ok();
}

Status TableFile::lockRecord(std::uint32_t recNo) {
    if (auto s = writeRefusal(); !s) return s;
    Status s = retryWhileBusy(m_lockWait, [&] { return m_file->tryLock(lockOffset(recNo), 1); });
    if (s.code() == Status::Code::Busy) {
        return Status::busy("Record " + std::to_string(recNo) + " of table '" + m_path.string() +
                            "' is being edited elsewhere; try again later");
    }
    return s;
}

void TableFile::unlockRecord(std::uint32_t recNo) {
    m_file->unlock(lockOffset(recNo), 1);
}

}  // namespace quivra::storage
