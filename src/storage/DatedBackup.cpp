#include "DatedBackup.h"

#include <ctime>

namespace quivra::storage {

namespace {

constexpr std::size_t kChunk = 1U << 20;
constexpr int kMaxSets = 1000;

std::string dateText(std::chrono::system_clock::time_point now) {
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm tm{};
    localtime_r(&t, &tm);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d-%H%M%S", &tm);
    return text;
}

// Copies `from` to the new file `to`, adding the bytes to `done`.  `taken`
// tells that `to` could not be made because another process made it first.
Status copyFile(FileIo& io, const std::filesystem::path& from, const std::filesystem::path& to,
                std::uint64_t& done, std::uint64_t total, const ProgressFn& progress, bool& taken) {
    auto in = io.open(from, FileIo::Mode::Read);
    if (!in) return in.status();
    auto out = io.open(to, FileIo::Mode::CreateNew);
    if (!out) {
        taken = io.exists(to);
        return out.status();
    }
    std::string buffer(kChunk, '\0');
    for (std::uint64_t offset = 0;;) {
        auto got = (*in)->readAt(offset, buffer.data(), buffer.size());
        if (!got) return got.status();
        if (*got == 0) break;
        if (Status s = (*out)->writeAt(offset, buffer.data(), *got); !s) return s;
        offset += *got;
        done += *got;
        if (progress && !progress(done, total)) {
            return Status::cancelled("The backup of '" + from.string() + "' was cancelled");
        }
    }
    return (*out)->sync();
}

}  // namespace

std::filesystem::path DatedBackup::nameFor(const std::filesystem::path& file,
                                           const std::string& date) {
    std::filesystem::path name = file;
    name.replace_filename(file.stem().string() + "-backup-" + date + file.extension().string());
    return name;
}

Result<std::vector<std::filesystem::path>> DatedBackup::copy(
    FileIo& io, const std::vector<std::filesystem::path>& files,
    std::chrono::system_clock::time_point now, const ProgressFn& progress) {
    std::vector<std::filesystem::path> sources;
    std::uint64_t total = 0;
    for (const auto& f : files) {
        if (!io.exists(f)) continue;
        auto file = io.open(f, FileIo::Mode::Read);
        if (!file) return file.status();
        auto size = (*file)->size();
        if (!size) return size.status();
        total += *size;
        sources.push_back(f);
    }
    const std::string date = dateText(now);
    for (int set = 1; set <= kMaxSets; ++set) {
        const std::string tag = set == 1 ? date : date + "-" + std::to_string(set);
        std::vector<std::filesystem::path> copies;
        bool taken = false;
        for (const auto& f : sources) {
            copies.push_back(nameFor(f, tag));
            taken = taken || io.exists(copies.back());
        }
        if (taken) continue;
        std::uint64_t done = 0;
        Status s;
        bool raced = false;
        std::size_t made = 0;
        for (; made < sources.size(); ++made) {
            s = copyFile(io, sources[made], copies[made], done, total, progress, raced);
            if (!s) break;
        }
        if (s) return copies;
        // Nothing half made stays behind; a name another process took in the
        // meantime is theirs, and only means the next set.
        for (std::size_t i = 0; i < made; ++i) (void)io.remove(copies[i]);
        if (!raced) {
            (void)io.remove(copies[made]);
            return s;
        }
    }
    return Status::ioError("No free name for a backup of '" + files.front().string() + "'");
}

}  // namespace quivra::storage
