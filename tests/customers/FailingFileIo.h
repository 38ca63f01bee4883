#pragma once
// A file layer that behaves like the real one until told to fail: then every
// write to a file whose name ends in `suffix` fails as a full disk would.

#include "ForwardingFileIo.h"

#include <string>

namespace quivra::customers::test {

class FailingFileIo : public storage::ForwardingFileIo {
public:
    // Writes to files ending in `suffix` (".dbf", ".idx", ...) fail while armed.
    void failWritesTo(std::string suffix) { m_suffix = std::move(suffix); }
    void heal() { m_suffix.clear(); }

    storage::Status rename(const std::filesystem::path& from,
                           const std::filesystem::path& to) override {
        if (failsFor(to))
            return storage::Status::ioError(to.string() + ": no space left on device");
        return ForwardingFileIo::rename(from, to);
    }

    [[nodiscard]] bool failsFor(const std::filesystem::path& path) const {
        const std::string name = path.filename().string();
        return !m_suffix.empty() && name.size() >= m_suffix.size() &&
               name.compare(name.size() - m_suffix.size(), m_suffix.size(), m_suffix) == 0;
    }

protected:
    std::unique_ptr<File> wrap(std::unique_ptr<File> file) override;

private:
    std::string m_suffix;
};

}  // namespace quivra::customers::test
