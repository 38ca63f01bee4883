#pragma once
// TextExport: copies a table to a text file.  Type 21, delimited text, is
// described in docs/export-format.md.  The file is written under a temporary
// name, synced and renamed over the target, so a failed or cancelled export
// leaves an earlier file of that name untouched; every write error is
// reported.  A damaged table is not exported: its damage is the answer.
// Temporary files that killed exports left in the folder are removed first.

#include "FileIo.h"
#include "Progress.h"
#include "Status.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace quivra::storage {

class TableFile;

// Appends `utf8` to `line` as one delimited-text value: in double quotes,
// every quote inside doubled (RFC 4180).  Line breaks stay inside the quotes.
void appendQuotedText(std::string_view utf8, std::string& line);

// The answer of an export its progress cancelled.
Status exportCancelled(const std::filesystem::path& target);

// A text file being written: under a temporary name beside `target`, a
// buffer at a time, put in place by commit() (synced, then renamed over
// `target`).  Dropped, and an earlier file of that name left as it was,
// unless committed.
class PendingTextFile {
public:
    PendingTextFile(FileIo& io, const std::filesystem::path& target);
    ~PendingTextFile();
    PendingTextFile(const PendingTextFile&) = delete;
    PendingTextFile& operator=(const PendingTextFile&) = delete;

    Status open();
    // Where the text goes; written out by flushIfFull() and commit().
    std::string& text() { return m_buffer; }
    // Writes the text gathered so far once it has grown past a megabyte.
    Status flushIfFull();
    Status commit();

private:
    Status flush();

    FileIo& m_io;
    std::filesystem::path m_target;
    std::filesystem::path m_temp;
    std::unique_ptr<FileIo::File> m_file;
    std::string m_buffer;
    std::uint64_t m_written = 0;
};

class TextExport {
public:
    static constexpr int kDelimited = 21;

    // `progress` (may be empty) hears of the records done; its false return
    // cancels with a Cancelled status.
    static Status writeDelimited(const TableFile& table, FileIo& io,
                                 const std::filesystem::path& target,
                                 const ProgressFn& progress = {});
};

}  // namespace quivra::storage
