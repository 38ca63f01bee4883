#pragma once
// NoSyncFileIo: writes without a sync after every record, for tables that
// are built whole under a temporary name and synced once when complete
// (syncFile()), before they are renamed into place.  Never for a table
// other programs or copies may be writing at the same time.

#include "ForwardingFileIo.h"

namespace quivra::chain {

class NoSyncFileIo final : public storage::ForwardingFileIo {
private:
    class File final : public storage::ForwardingFile {
    public:
        using ForwardingFile::ForwardingFile;
        storage::Status sync() override { return storage::Status::ok(); }
    };
    std::unique_ptr<storage::FileIo::File> wrap(std::unique_ptr<storage::FileIo::File> f) override {
        return std::make_unique<File>(std::move(f));
    }
};

// Syncs a file that exists (a missing file is ok: nothing to sync).
inline storage::Status syncFile(const std::filesystem::path& path) {
    storage::FileIo& io = storage::FileIo::posix();
    if (!io.exists(path)) return storage::Status::ok();
    auto file = io.open(path, storage::FileIo::Mode::Read);
    if (!file) return file.status();
    return (*file)->sync();
}

}  // namespace quivra::chain
