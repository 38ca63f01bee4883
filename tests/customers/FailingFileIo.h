#pragma once
// A file layer that behaves like the real one until told to fail: then every
// write to a file whose name ends in `suffix` fails as a full disk would.

#include "FileIo.h"

#include <string>

namespace quivra::customers::test {

class FailingFileIo : public storage::FileIo {
public:
    // Writes to files ending in `suffix` (".dbf", ".idx", ...) fail while armed.
    void failWritesTo(std::string suffix) { m_suffix = std::move(suffix); }
    void heal() { m_suffix.clear(); }

    storage::Result<std::unique_ptr<File>> open(const std::filesystem::path& path,
                                                Mode mode) override;
    storage::Status rename(const std::filesystem::path& from,
                           const std::filesystem::path& to) override {
        if (failsFor(to))
            return storage::Status::ioError(to.string() + ": no space left on device");
        return posix().rename(from, to);
    }
    storage::Status remove(const std::filesystem::path& path) override {
        return posix().remove(path);
    }
    bool exists(const std::filesystem::path& path) override { return posix().exists(path); }

    [[nodiscard]] bool failsFor(const std::filesystem::path& path) const {
        const std::string name = path.filename().string();
        return !m_suffix.empty() && name.size() >= m_suffix.size() &&
               name.compare(name.size() - m_suffix.size(), m_suffix.size(), m_suffix) == 0;
    }

private:
    std::string m_suffix;
};

}  // namespace quivra::customers::test
