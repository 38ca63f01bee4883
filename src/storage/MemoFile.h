#pragma once
// MemoFile: the memo file beside a table.
//   .FPT (FoxPro, versions 0xF5 and 0x30): big-endian header and block
//        headers, block size from the header; read and written.
//   .DBT (dBASE III, version 0x83): 512-byte blocks, text ended by 0x1A; read only.
// Layouts are in docs/dbf-format.md.  Every read is bounded by the file size,
// so a damaged pointer or length yields a Corruption status, never a long loop.

#include "FileIo.h"
#include "Status.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace quivra::storage {

class MemoFile {
public:
    enum class Kind { Fpt, Dbt };

    // Block size of the memo files this engine creates.
    static constexpr std::uint16_t kNewBlockSize = 64;

    static Result<std::unique_ptr<MemoFile>> open(const std::filesystem::path& path, Kind kind,
                                                  FileIo& io, bool writable);
    // Writes the header of an empty .FPT into a new file.
    static Status writeEmptyFpt(FileIo::File& file);

    ~MemoFile();
    MemoFile(const MemoFile&) = delete;
    MemoFile& operator=(const MemoFile&) = delete;

    [[nodiscard]] const std::filesystem::path& path() const { return m_path; }
    [[nodiscard]] Kind kind() const { return m_kind; }
    [[nodiscard]] std::uint32_t blockSize() const { return m_blockSize; }

    // The bytes of the memo that starts at `block` (code page, unconverted).
    // Block 0 is never a memo.  `type` receives the block type of an .FPT
    // (0 picture, 1 text, 2 object; a .DBT holds text only: 1).
    [[nodiscard]] Result<std::string> read(std::uint32_t block,
                                           std::uint32_t* type = nullptr) const;
    // Stores a text memo in new blocks and moves the header's next-free block
    // past them; returns the first block.  The caller holds the table's
    // header lock, so allocations of several writers do not overlap.  Not synced.
    Result<std::uint32_t> append(std::string_view bytes);
    Status sync();
    // Puts a next-free block that lies beyond the end of the file back to
    // the end (append() refuses such a header).  Returns whether it did; the
    // change is synced.  Only for .FPT files opened for writing.
    Result<bool> mendNextFree();

private:
    struct Token {
        explicit Token() = default;
    };

public:
    MemoFile(Token, std::filesystem::path path, Kind kind, std::unique_ptr<FileIo::File> file);

private:
    // The header's next free block, the first block past the end of the
    // file and the first block past the header.
    struct FreeBlocks {
        std::uint64_t next = 0;
        std::uint64_t end = 0;
        std::uint64_t first = 0;
    };
    [[nodiscard]] Result<FreeBlocks> freeBlocks() const;
    Status writeNextFree(std::uint64_t block);
    [[nodiscard]] Status corrupt(const std::string& what) const;

    std::filesystem::path m_path;
    Kind m_kind;
    std::unique_ptr<FileIo::File> m_file;
    std::uint32_t m_blockSize = 512;
    // The file size last seen; read() asks the file again only when a memo
    // seems to reach past it (another handle may have added memos since).
    mutable std::uint64_t m_knownSize = 0;
};

}  // namespace quivra::storage
