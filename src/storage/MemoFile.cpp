#include "MemoFile.h"

#include "Coding.h"

#include <algorithm>

namespace quivra::storage {

namespace {

constexpr std::uint32_t kHeaderSize = 512;
constexpr std::uint32_t kDbtBlockSize = 512;
constexpr std::uint32_t kFptTextType = 1;
constexpr std::size_t kDbtChunk = 4096;

}  // namespace

MemoFile::MemoFile(Token, std::filesystem::path path, Kind kind, std::unique_ptr<FileIo::File> file)
    : m_path(std::move(path)), m_kind(kind), m_file(std::move(file)) {}

MemoFile::~MemoFile() = default;

Status MemoFile::corrupt(const std::string& what) const {
    return Status::corruption("Memo file '" + m_path.string() + "' is damaged: " + what);
}

Result<std::unique_ptr<MemoFile>> MemoFile::open(const std::filesystem::path& path, Kind kind,
                                                 FileIo& io, bool writable) {
    auto file = io.open(path, writable ? FileIo::Mode::ReadWrite : FileIo::Mode::Read);
    if (!file && file.status().code() == Status::Code::NotFound) {
        return Status::notFound("The memo file '" + path.string() + "' of the table is missing");
    }
    if (!file) return file.status();
    auto memo = std::make_unique<MemoFile>(Token(), path, kind, std::move(file).value());
    char header[8];
    auto got = memo->m_file->readAt(0, header, sizeof header);
    if (!got) return got.status();
    if (*got < sizeof header) return memo->corrupt("the file is shorter than its header");
    if (kind == Kind::Fpt) {
        const std::uint16_t size = coding::getBe16(header + 6);
        memo->m_blockSize = size == 0 ? 1 : size;
    } else {
        memo->m_blockSize = kDbtBlockSize;
    }
    return memo;
}

Status MemoFile::writeEmptyFpt(FileIo::File& file) {
    std::string header(kHeaderSize, '\0');
    coding::putBe32(header.data(), kHeaderSize / kNewBlockSize);
    coding::putBe16(header.data() + 6, kNewBlockSize);
    return file.writeAt(0, header.data(), header.size());
}

Result<std::string> MemoFile::read(std::uint32_t block, std::uint32_t* type) const {
    if (type != nullptr) *type = kFptTextType;
    const std::uint64_t offset = static_cast<std::uint64_t>(block) * m_blockSize;
    if (offset + 8 > m_knownSize || m_kind == Kind::Dbt) {
        auto size = m_file->size();
        if (!size) return size.status();
        m_knownSize = *size;
    }
    const std::uint64_t* fileSize = &m_knownSize;
    const std::string where = "memo block " + std::to_string(block);
    if (offset < kHeaderSize) return corrupt(where + " lies inside the file header");
    if (m_kind == Kind::Fpt) {
        if (offset + 8 > *fileSize) return corrupt(where + " is beyond the end of the file");
        char head[8];
        auto got = m_file->readAt(offset, head, sizeof head);
        if (!got) return got.status();
        if (*got < sizeof head) return corrupt(where + " is beyond the end of the file");
        const std::uint32_t length = coding::getBe32(head + 4);
        if (type != nullptr) *type = coding::getBe32(head);
        if (length > *fileSize - offset - 8) {
            auto size = m_file->size();  // grown since we last looked?
            if (!size) return size.status();
            m_knownSize = *size;
        }
        if (length > *fileSize - offset - 8) {
            return corrupt(where + " claims " + std::to_string(length) +
                           " bytes, more than the file holds");
        }
        std::string data(length, '\0');
        got = m_file->readAt(offset + 8, data.data(), length);
        if (!got) return got.status();
        if (*got < length) return corrupt(where + " ends early");
        return data;
    }
    // dBASE III: the text runs to the first 0x1A; the file size bounds the scan.
    if (offset >= *fileSize) return corrupt(where + " is beyond the end of the file");
    std::string data;
    std::uint64_t pos = offset;
    char chunk[kDbtChunk];
    while (pos < *fileSize) {
        const auto want =
            static_cast<std::size_t>(std::min<std::uint64_t>(kDbtChunk, *fileSize - pos));
        auto got = m_file->readAt(pos, chunk, want);
        if (!got) return got.status();
        if (*got == 0) break;
        const char* end = std::find(chunk, chunk + *got, '\x1A');
        data.append(static_cast<const char*>(chunk), end);
        if (end != chunk + *got) return data;
        pos += *got;
    }
    return data;  // a text that runs to the end of the file without its terminator
}

Result<std::uint32_t> MemoFile::append(std::string_view bytes) {
    if (m_kind != Kind::Fpt) {
        return Status::unsupported("Writing dBASE memo files ('" + m_path.string() +
                                   "') is not supported");
    }
    auto free = freeBlocks();
    if (!free) return free.status();
    // Never write below the end of the file: a next-free block that lags
    // behind (a writer died between block and header) must not make us
    // overwrite memos that records may point to.
    const std::uint64_t bs = m_blockSize;
    const std::uint64_t firstFree = free->first;
    const std::uint64_t endBlock = free->end;
    const std::uint64_t nextFree = free->next;
    // Writers put a block down before they move next-free past it, so a
    // next-free beyond the end of the file means a damaged header; writing
    // there would blow the file up to that size.
    if (nextFree > endBlock) {
        return corrupt("the next free block " + std::to_string(nextFree) +
                       " lies beyond the end of the file");
    }
    const std::uint64_t block = std::max({nextFree, firstFree, endBlock});
    const std::uint64_t total = 8 + static_cast<std::uint64_t>(bytes.size());
    const std::uint64_t count = (total + bs - 1) / bs;
    if (bytes.size() > 0xFFFFFFF0U || block + count > 0xFFFFFFFFULL) {
        return Status::invalidArgument("Memo file '" + m_path.string() + "' is full");
    }
    std::string data(static_cast<std::size_t>(count * bs), '\0');
    coding::putBe32(data.data(), kFptTextType);
    coding::putBe32(data.data() + 4, static_cast<std::uint32_t>(bytes.size()));
    std::copy(bytes.begin(), bytes.end(), data.begin() + 8);
    if (auto s = m_file->writeAt(block * bs, data.data(), data.size()); !s) return s;
    if (auto s = writeNextFree(block + count); !s) return s;
    return static_cast<std::uint32_t>(block);
}

Status MemoFile::sync() {
    return m_file->sync();
}

Result<MemoFile::FreeBlocks> MemoFile::freeBlocks() const {
    char header[4];
    auto got = m_file->readAt(0, header, sizeof header);
    if (!got) return got.status();
    if (*got < sizeof header) return corrupt("the file is shorter than its header");
    auto fileSize = m_file->size();
    if (!fileSize) return fileSize.status();
    const std::uint64_t bs = m_blockSize;
    return FreeBlocks{coding::getBe32(header), (*fileSize + bs - 1) / bs,
                      (std::uint64_t{kHeaderSize} + bs - 1) / bs};
}

Status MemoFile::writeNextFree(std::uint64_t block) {
    char header[4];
    coding::putBe32(header, static_cast<std::uint32_t>(block));
    return m_file->writeAt(0, header, sizeof header);
}

Result<bool> MemoFile::mendNextFree() {
    if (m_kind != Kind::Fpt) return false;
    auto blocks = freeBlocks();
    if (!blocks) return blocks.status();
    const std::uint64_t end = std::max(blocks->end, blocks->first);
    if (blocks->next <= end || end > 0xFFFFFFFFULL) return false;
    if (Status s = writeNextFree(end); !s) return s;
    if (Status s = m_file->sync(); !s) return s;
    return true;
}

}  // namespace quivra::storage
