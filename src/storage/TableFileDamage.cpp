// Finding damage in a table: a file that disagrees with its header's count,
// field descriptions no writer produces, deleted flags other readers refuse.
// What is found goes into damage(); the table is then only read.
#include "TableFile.h"

#include "Coding.h"

#include <algorithm>

namespace quivra::storage {

namespace {

constexpr char kEof = '\x1A';

bool isVisualFoxPro(std::uint8_t version) {
    return version == 0x30 || version == 0x31 || version == 0x32;
}

// The field types of the versions read here (Visual FoxPro adds its null
// flags, varchar, varbinary and blob).
bool knownType(char type, bool vfp) {
    const std::string_view known = "CNFDLMIBYTGP";
    const std::string_view vfpOnly = "0VQW";
    return known.find(type) != std::string_view::npos ||
           (vfp && vfpOnly.find(type) != std::string_view::npos);
}

// A byte as the user can read it: the character, or its code.
std::string printable(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u > 0x20 && u < 0x7F) return std::string(1, c);
    static const char* hex = "0123456789ABCDEF";
    return std::string("0x") + hex[u >> 4] + hex[u & 0xF];
}

bool sameName(std::string_view a, std::string_view b) {
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return upper(x) == upper(y); });
}

}  // namespace

void TableFile::checkFields(const std::string& header) {
    const std::size_t faultsBefore = m_faults.size();
    const bool vfp = isVisualFoxPro(m_version);
    // Records start at the header length.  Visual FoxPro keeps a backlink
    // after the field list; other versions end the header with it, apart from
    // the zero filler some writers add.  Anything else there means records
    // would be read from the wrong place.
    if (!vfp &&
        std::any_of(header.begin() + m_fieldListEnd, header.end(), [](char c) { return c != 0; })) {
        addDamage("the header length " + std::to_string(m_headerLength) +
                  " does not end at the field list, which ends at byte " +
                  std::to_string(m_fieldListEnd) +
                  ", so every field would be read from the wrong place");
    }
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const FieldDef& f = m_fields[i];
        if (!knownType(f.type, vfp)) {
            addDamage("field " + f.name + " has type " + printable(f.type) +
                      ", which no table has");
        }
        if ((f.type == 'N' || f.type == 'F') && f.decimals >= f.length) {
            addDamage("field " + f.name + " has " + std::to_string(f.decimals) +
                      " decimals in a width of " + std::to_string(f.length));
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (sameName(m_fields[j].name, f.name)) addDamage("two fields are named " + f.name);
        }
    }
    m_fieldsDamaged = m_faults.size() > faultsBefore;
}

Result<TableFile::DiskState> TableFile::readDiskState() {
    char prefix[8];
    auto got = m_file->readAt(0, prefix, sizeof prefix);
    if (!got) return got.status();
    if (*got < sizeof prefix) return fileError("the header is cut short");
    auto size = m_file->size();
    if (!size) return size.status();
    return DiskState{coding::getLe32(prefix + 4), *size};
}

Result<std::string> TableFile::sizeFault(const DiskState& state) {
    const std::uint64_t data = state.size < m_headerLength ? 0 : state.size - m_headerLength;
    const std::uint64_t whole = data / m_recordLength;
    const std::uint64_t rest = data % m_recordLength;
    if (whole < state.count) {
        std::string what = "the file is cut short: the header says " + std::to_string(state.count) +
                           " records but the file holds only " + std::to_string(whole) +
                           " whole records";
        if (rest > 0) what += " and " + std::to_string(rest) + " bytes of the next";
        return what;
    }
    const std::uint64_t end = recordOffset(state.count + 1);
    const std::uint64_t after = state.size - end;
    if (after == 0) return std::string();
    if (after == 1) {
        char marker = 0;
        auto got = m_file->readAt(end, &marker, 1);
        if (!got) return got.status();
        if (*got == 1 && marker == kEof) return std::string();
    }
    if (whole > state.count) {
        return "the file holds " + std::to_string(whole) + " whole records, " +
               std::to_string(whole - state.count) + " beyond the " + std::to_string(state.count) +
               " its header counts";
    }
    return "the file goes on for " + std::to_string(after) + " bytes after its last record";
}

std::string TableFile::flagFault(std::uint32_t recNo, char flag) {
    if (flag == ' ' || flag == '*') return {};
    return "record " + std::to_string(recNo) + " has the deleted flag " + printable(flag) +
           " (a blank or * is expected)";
}

void TableFile::addDamage(const std::string& what) const {
    // One message naming the file and each fault once; a file with many bad
    // records would otherwise give a message no box can show.
    constexpr std::size_t kShown = 4;
    if (std::find(m_faults.begin(), m_faults.end(), what) != m_faults.end()) return;
    m_faults.push_back(what);
    std::string text;
    for (std::size_t i = 0; i < m_faults.size() && i < kShown; ++i) {
        if (i > 0) text += "; ";
        text += m_faults[i];
    }
    if (m_faults.size() > kShown) {
        text += "; and " + std::to_string(m_faults.size() - kShown) + " more faults";
    }
    m_damage = fileError(text);
}

Status TableFile::checkSize() {
    auto state = readDiskState();
    if (!state) return state.status();
    auto fault = sizeFault(*state);
    if (!fault) return fault.status();
    if (!fault->empty()) {
        // Appends write the record before the count: what looks like a record
        // beyond the count may be an append in progress.  Look again once no
        // writer holds the header lock.  Should the lock stay busy, nothing is
        // said now: every append looks again under the lock before it writes.
        HeaderLock lock(*this, true);
        if (lock.status()) {
            state = readDiskState();
            if (!state) return state.status();
            fault = sizeFault(*state);
            if (!fault) return fault.status();
        } else {
            fault = std::string();
        }
    }
    if (!fault->empty()) addDamage(*fault);
    m_recordCount = knownCount(*state);
    return Status::ok();
}

std::uint32_t TableFile::knownCount(const DiskState& state) const {
    const std::uint64_t whole =
        (state.size < m_headerLength ? 0 : state.size - m_headerLength) / m_recordLength;
    // A sound table shows what its header counts (a record beyond it is an
    // append in progress).  A damaged one is never written by us, so every
    // whole record on file is shown, those beyond a count too low included.
    const std::uint64_t known =
        m_damage.isOk() ? std::min<std::uint64_t>(state.count, whole) : whole;
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(known, 0xFFFFFFFEU));
}

void TableFile::checkEdgeFlags() {
    // The flags of the first and last record cost two reads and catch a
    // header length that puts every record off by some bytes.  The others are
    // checked as records are read.
    std::string record;
    for (const std::uint32_t recNo : {1U, m_recordCount}) {
        if (recNo == 0 || recNo > m_recordCount) continue;
        (void)readRecord(recNo, record);
    }
}

}  // namespace quivra::storage
