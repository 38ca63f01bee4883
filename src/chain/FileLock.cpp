#include "FileLock.h"

namespace quivra::chain {

FileLock::FileLock(storage::FileIo& io, const std::filesystem::path& path) {
    auto file = io.open(path, storage::FileIo::Mode::ReadWrite);
    if (!file && !io.exists(path)) {
        file = io.open(path, storage::FileIo::Mode::CreateNew);
        if (!file) file = io.open(path, storage::FileIo::Mode::ReadWrite);  // made meanwhile
    }
    if (!file) {
        m_status = file.status();
        return;
    }
    m_file = std::move(file).value();
    m_status = m_file->lock(0, 1);
    if (!m_status) m_file.reset();
}

FileLock::~FileLock() {
    if (m_file) m_file->unlock(0, 1);
}

}  // namespace quivra::chain
