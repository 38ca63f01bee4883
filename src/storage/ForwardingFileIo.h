#pragma once
// ForwardingFileIo and ForwardingFile: file layers that pass every call on to
// another layer.  A layer that changes one behaviour (a failing disk, writes
// without syncs) derives from them and overrides only that call, so it can
// never forget to pass on the others.

#include "FileIo.h"

#include <memory>
#include <utility>

namespace quivra::storage {

class ForwardingFile : public FileIo::File {
public:
    explicit ForwardingFile(std::unique_ptr<FileIo::File> inner) : m_inner(std::move(inner)) {}

    Result<std::size_t> readAt(std::uint64_t offset, char* buf, std::size_t n) override {
        return m_inner->readAt(offset, buf, n);
    }
    Status writeAt(std::uint64_t offset, const char* buf, std::size_t n) override {
        return m_inner->writeAt(offset, buf, n);
    }
    Result<std::uint64_t> size() override { return m_inner->size(); }
    Status sync() override { return m_inner->sync(); }
    Status lock(std::uint64_t offset, std::uint64_t length) override {
        return m_inner->lock(offset, length);
    }
    Status tryLock(std::uint64_t offset, std::uint64_t length) override {
        return m_inner->tryLock(offset, length);
    }
    Status tryLockShared(std::uint64_t offset, std::uint64_t length) override {
        return m_inner->tryLockShared(offset, length);
    }
    void unlock(std::uint64_t offset, std::uint64_t length) override {
        m_inner->unlock(offset, length);
    }
    Status truncate(std::uint64_t size) override { return m_inner->truncate(size); }
    Result<FileIo::FileId> id() override { return m_inner->id(); }
    [[nodiscard]] const std::filesystem::path& path() const override { return m_inner->path(); }

private:
    std::unique_ptr<FileIo::File> m_inner;
};

class ForwardingFileIo : public FileIo {
public:
    // `target` must outlive this layer.
    explicit ForwardingFileIo(FileIo& target = FileIo::posix()) : m_target(target) {}

    Result<std::unique_ptr<File>> open(const std::filesystem::path& path, Mode mode) override {
        auto inner = m_target.open(path, mode);
        if (!inner) return inner.status();
        return wrap(std::move(inner).value());
    }
    Status rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
        return m_target.rename(from, to);
    }
    Result<bool> renameIfAbsent(const std::filesystem::path& from,
                                const std::filesystem::path& to) override {
        return m_target.renameIfAbsent(from, to);
    }
    Status remove(const std::filesystem::path& path) override { return m_target.remove(path); }
    bool exists(const std::filesystem::path& path) override { return m_target.exists(path); }
    Result<FileId> fileId(const std::filesystem::path& path) override {
        return m_target.fileId(path);
    }
    Result<std::vector<FolderEntry>> listFolder(const std::filesystem::path& folder) override {
        return m_target.listFolder(folder);
    }

protected:
    // Wraps each file the target opened; the default hands it over as it is.
    virtual std::unique_ptr<File> wrap(std::unique_ptr<File> file) { return file; }

private:
    FileIo& m_target;
};

}  // namespace quivra::storage
