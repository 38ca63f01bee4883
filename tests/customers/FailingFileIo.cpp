#include "FailingFileIo.h"

namespace quivra::customers::test {

namespace {

class FailingFile : public storage::ForwardingFile {
public:
    FailingFile(std::unique_ptr<File> inner, const FailingFileIo& io)
        : ForwardingFile(std::move(inner)), m_io(io) {}
    storage::Status writeAt(std::uint64_t offset, const char* buf, std::size_t n) override {
        if (m_io.failsFor(path())) {
            return storage::Status::ioError(path().filename().string() +
                                            ": write failed: no space left on device");
        }
        return ForwardingFile::writeAt(offset, buf, n);
    }

private:
    const FailingFileIo& m_io;
};

}  // namespace

std::unique_ptr<storage::FileIo::File> FailingFileIo::wrap(std::unique_ptr<File> file) {
    return std::make_unique<FailingFile>(std::move(file), *this);
}

}  // namespace quivra::customers::test
