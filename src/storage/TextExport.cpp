#include "TextExport.h"

#include "FieldCodec.h"
#include "TableFile.h"
#include "TempPath.h"

#include <algorithm>

namespace quivra::storage {

namespace {

constexpr std::uint32_t kRecordsPerRead = 512;
constexpr std::size_t kFlushSize = 1 << 20;

// Appends `bytes` (code page) to `line` as UTF-8 in double quotes, with
// quotes inside doubled and NULs (filler of some writers) as blanks.
void appendQuoted(std::string_view bytes, const TextCodec& codec, std::string& line) {
    line += '"';
    const bool plain = std::all_of(bytes.begin(), bytes.end(), [](char c) {
        return c != '"' && c != '\0' && static_cast<unsigned char>(c) < 0x80;
    });
    if (plain) {
        line.append(bytes);
    } else {
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const char c = bytes[i];
            if (c == '"') {
                line += "\"\"";
            } else if (c == '\0') {
                line += ' ';
            } else {
                codec.appendUtf8(bytes.substr(i, 1), line);
            }
        }
    }
    line += '"';
}

// Appends one field of a record to the line being built.
Status appendField(const TableFile& table, std::string_view record, std::size_t field,
                   std::string& scratch, std::string& line) {
    const FieldDef& f = table.fields()[field];
    switch (f.type) {
        case 'C':
            appendQuoted(fieldcodec::trimRight(table.fieldBytes(record, field)), table.codec(),
                         line);
            return Status::ok();
        case 'N':
        case 'F':
            line.append(fieldcodec::trim(table.fieldBytes(record, field)));
            return Status::ok();
        case 'L': {
            const char c = table.fieldBytes(record, field)[0];
            line += (c == 'T' || c == 't' || c == 'Y' || c == 'y') ? 'T' : 'F';
            return Status::ok();
        }
        default:
            break;
    }
    scratch.clear();
    if (auto s = table.appendFieldText(record, field, scratch); !s) return s;
    if (isMemoType(f.type)) {
        // Memo texts are UTF-8 already: only quotes need doubling.
        appendQuotedText(fieldcodec::trimRight(scratch), line);
        return Status::ok();
    }
    line.append(fieldcodec::trim(scratch));
    return Status::ok();
}

Status writeAll(const TableFile& table, PendingTextFile& out, const std::filesystem::path& target,
                const ProgressFn& progress) {
    const std::size_t fieldCount = table.fields().size();
    const std::uint32_t count = table.recordCount();
    const std::size_t recordLength = table.recordLength();
    std::string chunk;
    std::string scratch;
    std::string& buffer = out.text();
    buffer.reserve(kFlushSize + 4096);
    for (std::uint32_t rec = 1; rec <= count;) {
        const std::uint32_t n = std::min(kRecordsPerRead, count - rec + 1);
        if (auto s = table.readRecords(rec, n, chunk); !s) return s;
        // A record with a bad deleted flag turns up only as it is read.
        if (!table.damage().isOk()) return table.damage();
        for (std::uint32_t i = 0; i < n; ++i) {
            const std::string_view record(chunk.data() + i * recordLength, recordLength);
            if (TableFile::isDeleted(record)) continue;
            for (std::size_t f = 0; f < fieldCount; ++f) {
                if (f > 0) buffer += ',';
                if (auto s = appendField(table, record, f, scratch, buffer); !s) return s;
            }
            buffer += "\r\n";
        }
        if (auto s = out.flushIfFull(); !s) return s;
        rec += n;
        if (progress && !progress(rec - 1, count)) return exportCancelled(target);
    }
    // The last word before the file replaces an earlier export.
    if (progress && !progress(count, count)) return exportCancelled(target);
    return Status::ok();
}

}  // namespace

Status exportCancelled(const std::filesystem::path& target) {
    return Status::cancelled("The export to '" + target.string() +
                             "' was cancelled; nothing was written");
}

PendingTextFile::PendingTextFile(FileIo& io, const std::filesystem::path& target)
    : m_io(io), m_target(target), m_temp(temporaryPathFor(target)) {}

PendingTextFile::~PendingTextFile() {
    if (m_file) {
        m_file.reset();
        (void)m_io.remove(m_temp);
    }
}

Status PendingTextFile::open() {
    auto file = m_io.open(m_temp, FileIo::Mode::CreateNew);
    if (!file) return file.status();
    m_file = std::move(file).value();
    return Status::ok();
}

Status PendingTextFile::flush() {
    Status s = m_file->writeAt(m_written, m_buffer.data(), m_buffer.size());
    m_written += m_buffer.size();
    m_buffer.clear();
    return s;
}

Status PendingTextFile::flushIfFull() {
    return m_buffer.size() >= kFlushSize ? flush() : Status::ok();
}

Status PendingTextFile::commit() {
    Status s = flush();
    if (s) s = m_file->sync();
    m_file.reset();  // closed before the rename
    if (s) s = m_io.rename(m_temp, m_target);
    if (!s) (void)m_io.remove(m_temp);
    return s;
}

void appendQuotedText(std::string_view utf8, std::string& line) {
    line += '"';
    for (const char c : utf8) {
        if (c == '"') line += '"';
        line += c;
    }
    line += '"';
}

Status TextExport::writeDelimited(const TableFile& table, FileIo& io,
                                  const std::filesystem::path& target, const ProgressFn& progress) {
    if (!table.damage().isOk()) return table.damage();
    removeStaleTemporaries(io, target.parent_path(), std::chrono::system_clock::now());
    PendingTextFile out(io, target);
    Status status = out.open();
    if (status) status = writeAll(table, out, target, progress);
    return status ? out.commit() : status;
}

}  // namespace quivra::storage
