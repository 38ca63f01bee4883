// Opening and reading a .DBF table.  The header is untrusted: every length
// and count is checked against the file before it is used, and a file that
// ends early is read up to its last whole record (see damage()).
#include "TableFile.h"

#include "Coding.h"
#include "FieldCodec.h"
#include "MemoFile.h"

#include <algorithm>
#include <cctype>

namespace quivra::storage {

namespace {

constexpr std::uint32_t kPrefixSize = 32;
constexpr std::uint32_t kDescriptorSize = 32;
constexpr std::uint64_t kLockBase = 0x40000000;
constexpr std::uint8_t kSystemField = 0x01;  // Visual FoxPro: hidden column (_NullFlags)

bool isVisualFoxPro(std::uint8_t version) {
    return version == 0x30 || version == 0x31 || version == 0x32;
}

// Field names are ASCII; folding by hand keeps the locale (and a libc call
// per character) out of every field lookup.
char asciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return asciiUpper(x) == asciiUpper(y);
           });
}

}  // namespace

std::filesystem::path memoPathFor(const std::filesystem::path& table, bool dbase, FileIo& io) {
    const std::string ext = table.extension().string();
    const bool upper = std::any_of(
        ext.begin(), ext.end(), [](char c) { return std::isupper(static_cast<unsigned char>(c)); });
    const std::string lowerExt = dbase ? ".dbt" : ".fpt";
    const std::string upperExt = dbase ? ".DBT" : ".FPT";
    std::filesystem::path preferred = table;
    preferred.replace_extension(upper ? upperExt : lowerExt);
    std::filesystem::path other = table;
    other.replace_extension(upper ? lowerExt : upperExt);
    if (!io.exists(preferred) && io.exists(other)) return other;
    return preferred;
}

TableFile::TableFile(Token, std::filesystem::path path, FileIo& io, TextCodec codec)
    : m_path(std::move(path)), m_io(io), m_codec(std::move(codec)) {}

TableFile::~TableFile() = default;

Status TableFile::fileError(const std::string& what) const {
    return Status::corruption("Table file '" + m_path.string() + "' is damaged: " + what);
}

Result<std::unique_ptr<TableFile>> TableFile::open(const std::filesystem::path& path, FileIo& io,
                                                   std::chrono::milliseconds lockWait) {
    bool readOnly = false;
    auto file = io.open(path, FileIo::Mode::ReadWrite);
    if (!file && file.status().code() == Status::Code::IoError) {
        file = io.open(path, FileIo::Mode::Read);  // read-only file or medium
        readOnly = true;
    }
    if (!file) return file.status();

    char prefix[kPrefixSize];
    auto got = file.value()->readAt(0, prefix, sizeof prefix);
    if (!got) return got.status();
    if (*got < kPrefixSize) {
        return Status::corruption("Table file '" + path.string() +
                                  "' is damaged: it is shorter than a table header");
    }
    auto codePage = codePageFromDriver(static_cast<std::uint8_t>(prefix[29]));
    if (!codePage) {
        return Status::unsupported("Table file '" + path.string() +
                                   "': " + codePage.status().message());
    }
    auto codec = TextCodec::make(*codePage);
    if (!codec) return codec.status();

    auto table = std::make_unique<TableFile>(Token(), path, io, std::move(codec).value());
    table->m_file = std::move(file).value();
    table->m_readOnly = readOnly;
    if (readOnly) table->m_readOnlyFile = path;
    table->m_lockWait = lockWait;
    auto size = table->m_file->size();
    if (!size) return size.status();
    const std::uint32_t headerLength = coding::getLe16(prefix + 8);
    if (headerLength < kPrefixSize + 1 || headerLength > *size) {
        return table->fileError("the header length " + std::to_string(headerLength) +
                                " does not fit a file of " + std::to_string(*size) + " bytes");
    }
    std::string header(headerLength, '\0');
    got = table->m_file->readAt(0, header.data(), header.size());
    if (!got) return got.status();
    if (*got < header.size()) return table->fileError("the header is cut short");
    if (auto s = table->parseHeader(header); !s) return s;
    if (auto s = table->checkSize(); !s) return s;
    table->checkEdgeFlags();
    if (auto s = table->openMemo(); !s) return s;
    return table;
}

Status TableFile::parseHeader(const std::string& header) {
    m_version = static_cast<std::uint8_t>(header[0]);
    switch (m_version) {
        case 0x03:
        case 0x83:
        case 0xF5:
        case 0x30:
        case 0x31:
        case 0x32:
            break;
        default: {
            static const char* hex = "0123456789ABCDEF";
            std::string v = "0x";
            v += hex[m_version >> 4];
            v += hex[m_version & 0xF];
            return Status::unsupported("Table file '" + m_path.string() + "' has version " + v +
                                       ", which this program does not read");
        }
    }
    m_headerLength = static_cast<std::uint32_t>(header.size());
    m_recordLength = coding::getLe16(header.data() + 10);
    if (m_recordLength < 1) return fileError("the record length is 0");
    if (auto s = parseFields(header); !s) return s;
    checkFields(header);
    return Status::ok();
}

Status TableFile::parseFields(const std::string& header) {
    // Lengths are bytes 16 (and, for wide character fields, 17 as the high
    // byte).  Which reading holds is told by the record length.
    struct Raw {
        std::string name;
        char type;
        std::uint8_t len;
        std::uint8_t dec;
        std::uint8_t flags;
    };
    std::vector<Raw> raw;
    std::uint32_t pos = kPrefixSize;
    bool terminated = false;
    while (pos + kDescriptorSize <= m_headerLength) {
        if (header[pos] == '\x0D') {
            terminated = true;
            break;
        }
        const char* d = header.data() + pos;
        std::string name(d, std::find(d, d + 11, '\0'));
        while (!name.empty() && name.back() == ' ') name.pop_back();
        if (name.empty())
            return fileError("field " + std::to_string(raw.size() + 1) + " has no name");
        raw.push_back({std::move(name), d[11], static_cast<std::uint8_t>(d[16]),
                       static_cast<std::uint8_t>(d[17]), static_cast<std::uint8_t>(d[18])});
        pos += kDescriptorSize;
    }
    if (!terminated && pos < m_headerLength && header[pos] == '\x0D') terminated = true;
    if (!terminated) {
        return fileError("the field list does not end within the header length " +
                         std::to_string(m_headerLength));
    }
    if (raw.empty()) return fileError("the header describes no field");
    const bool vfp = isVisualFoxPro(m_version);
    m_fieldListEnd = pos + 1;
    auto total = [&](bool wide) {
        std::uint64_t sum = 1;
        for (const Raw& f : raw) {
            sum += (wide && f.type == 'C') ? f.len + 256U * f.dec : f.len;
        }
        return sum;
    };
    bool wide = false;
    if (total(false) != m_recordLength && total(true) == m_recordLength) wide = true;
    if (total(wide) > m_recordLength) {
        return fileError("the fields need " + std::to_string(total(wide)) +
                         " bytes per record but the header gives " +
                         std::to_string(m_recordLength));
    }
    std::uint32_t offset = 1;
    for (const Raw& f : raw) {
        FieldDef def;
        def.name = f.name;
        def.type = static_cast<char>(std::toupper(static_cast<unsigned char>(f.type)));
        const bool wideC = wide && def.type == 'C';
        const std::uint32_t len = wideC ? f.len + 256U * f.dec : f.len;
        if (len == 0) return fileError("field " + def.name + " has length 0");
        if (len > 255) {
            return Status::unsupported("Table file '" + m_path.string() + "': field " + def.name +
                                       " is wider than 255 characters");
        }
        def.length = static_cast<std::uint8_t>(len);
        def.decimals = wideC ? 0 : f.dec;
        def.offset = offset;
        offset += len;
        const bool hidden = vfp && ((f.flags & kSystemField) != 0 || def.type == '0');
        if (!hidden) m_fields.push_back(std::move(def));
    }
    return Status::ok();
}

Status TableFile::openMemo() {
    const bool needsMemo = std::any_of(m_fields.begin(), m_fields.end(),
                                       [](const FieldDef& f) { return isMemoType(f.type); });
    const bool dbt = m_version == 0x83;
    const bool fpt = m_version == 0xF5 || isVisualFoxPro(m_version);
    if (!needsMemo || (!dbt && !fpt)) return Status::ok();
    const std::filesystem::path memoPath = memoPathFor(m_path, dbt, m_io);
    auto memo = MemoFile::open(memoPath, dbt ? MemoFile::Kind::Dbt : MemoFile::Kind::Fpt, m_io,
                               !m_readOnly);
    if (!memo && !m_readOnly && memo.status().code() == Status::Code::IoError) {
        memo =
            MemoFile::open(memoPath, dbt ? MemoFile::Kind::Dbt : MemoFile::Kind::Fpt, m_io, false);
        m_readOnly = true;
        m_readOnlyFile = memoPath;
    }
    if (!memo && memo.status().code() == Status::Code::NotFound) {
        return Status::notFound("Table file '" + m_path.string() + "' needs its memo file '" +
                                memoPath.string() + "', which is missing");
    }
    if (!memo) return memo.status();
    m_memo = std::move(memo).value();
    return Status::ok();
}

int TableFile::fieldIndex(std::string_view name) const {
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        if (equalsNoCase(m_fields[i].name, name)) return static_cast<int>(i);
    }
    return -1;
}

std::uint64_t TableFile::recordOffset(std::uint32_t recNo) const {
    return m_headerLength + static_cast<std::uint64_t>(recNo - 1) * m_recordLength;
}

std::uint64_t TableFile::lockOffset(std::uint32_t recNo) const {
    return kLockBase + recordOffset(recNo);
}

Status TableFile::readRecord(std::uint32_t recNo, std::string& out) const {
    return readRecords(recNo, 1, out);
}

Status TableFile::readRecords(std::uint32_t recNo, std::uint32_t count, std::string& out) const {
    if (recNo < 1 || count == 0 || recNo - 1 > m_recordCount ||
        count > m_recordCount - (recNo - 1)) {
        return Status::invalidArgument("Table file '" + m_path.string() + "' has no record " +
                                       std::to_string(recNo + count - 1) + " (it holds " +
                                       std::to_string(m_recordCount) + ")");
    }
    out.resize(static_cast<std::size_t>(count) * m_recordLength);
    auto got = m_file->readAt(recordOffset(recNo), out.data(), out.size());
    if (!got) return got.status();
    if (*got < out.size()) {
        return fileError("the file ends inside record " +
                         std::to_string(recNo + *got / m_recordLength));
    }
    // A flag other than blank or '*' is damage other readers refuse the
    // table for (or stop at): the table must not be written again.
    for (std::uint32_t i = 0; i < count; ++i) {
        const char flag = out[static_cast<std::size_t>(i) * m_recordLength];
        if (flag != ' ' && flag != '*') addDamage(flagFault(recNo + i, flag));
    }
    return Status::ok();
}

std::string TableFile::blankRecord() const {
    return std::string(m_recordLength, ' ');
}

std::string_view TableFile::fieldBytes(std::string_view record, std::size_t field) const {
    const FieldDef& f = m_fields[field];
    return record.substr(f.offset, f.length);
}

Result<std::string> TableFile::fieldText(std::string_view record, std::size_t field,
                                         const RecordImage* image) const {
    std::string out;
    if (auto s = appendFieldText(record, field, out, image); !s) return s;
    return out;
}

Status TableFile::appendFieldText(std::string_view record, std::size_t field, std::string& out,
                                  const RecordImage* image) const {
    const FieldDef& f = m_fields[field];
    if (!isMemoType(f.type)) {
        fieldcodec::appendText(f, fieldBytes(record, field), m_codec, out);
        return Status::ok();
    }
    if (image != nullptr) {
        if (auto it = image->memos.find(field); it != image->memos.end()) {
            m_codec.appendUtf8(it->second, out);
            return Status::ok();
        }
    }
    auto text = memoText(record, field);
    if (!text) return text.status();
    out += *text;
    return Status::ok();
}

Result<std::string> TableFile::memoText(std::string_view record, std::size_t field) const {
    const FieldDef& f = m_fields[field];
    auto block = fieldcodec::memoBlock(f, fieldBytes(record, field));
    if (!block) return fileError(block.status().message());
    if (!block->has_value()) return std::string();
    if (!m_memo)
        return fileError("field " + f.name + " points into a memo file the table does not have");
    std::uint32_t type = 0;
    auto bytes = m_memo->read(**block, &type);
    if (!bytes) return Status::corruption(bytes.status().message() + " (field " + f.name + ")");
    // Text memos are of type 1 (some writers leave 0); objects (2) belong
    // in general and picture fields only.  Anything else is no memo at all.
    if (type > (f.type == 'M' ? 1U : 2U)) {
        return Status::corruption("Memo file '" + m_memo->path().string() + "' is damaged: block " +
                                  std::to_string(**block) + " has type " + std::to_string(type) +
                                  ", which field " + f.name + " cannot hold");
    }
    return m_codec.toUtf8(*bytes);
}

}  // namespace quivra::storage
