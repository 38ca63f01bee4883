#include "FailingFileIo.h"

namespace quivra::customers::test {

namespace {

class FailingFile : public storage::FileIo::File {
public:
    FailingFile(std::unique_ptr<File> inner, const FailingFileIo& io)
        : m_inner(std::move(inner)), m_io(io) {}
    storage::Result<std::size_t> readAt(std::uint64_t offset, char* buf, std::size_t n) override {
        return m_inner->readAt(offset, buf, n);
    }
    storage::Status writeAt(std::uint64_t offset, const char* buf, std::size_t n) override {
        if (m_io.failsFor(path())) {
            return storage::Status::ioError(path().filename().string() +
                                            ": write failed: no space left on device");
        }
        return m_inner->writeAt(offset, buf, n);
    }
    storage::Result<std::uint64_t> size() override { return m_inner->size(); }
    storage::Status sync() override { return m_inner->sync(); }
    storage::Status lock(std::uint64_t offset, std::uint64_t length) override {
        return m_inner->lock(offset, length);
    }
    void unlock(std::uint64_t offset, std::uint64_t length) override {
        m_inner->unlock(offset, length);
    }
    [[nodiscard]] const std::filesystem::path& path() const override { return m_inner->path(); }

private:
    std::unique_ptr<File> m_inner;
    const FailingFileIo& m_io;
};

}  // namespace

storage::Result<std::unique_ptr<storage::FileIo::File>> FailingFileIo::open(
    const std::filesystem::path& path, Mode mode) {
    auto inner = posix().open(path, mode);
    if (!inner.isOk()) return inner.status();
    return std::unique_ptr<File>(std::make_unique<FailingFile>(std::move(inner).value(), *this));
}

}  // namespace quivra::customers::test
