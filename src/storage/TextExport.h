#pragma once
// TextExport: copies a table to a text file.  Type 21, delimited text, is
// described in docs/export-format.md.  The file is written under a temporary
// name, synced and renamed over the target, so a failed export leaves an
// earlier file of that name untouched; every write error is reported.

#include "FileIo.h"
#include "Status.h"

#include <filesystem>

namespace quivra::storage {

class TableFile;

class TextExport {
public:
    static constexpr int kDelimited = 21;

    static Status writeDelimited(const TableFile& table, FileIo& io,
                                 const std::filesystem::path& target);
};

}  // namespace quivra::storage
