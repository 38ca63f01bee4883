#include "TempPath.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <string>
#include <string_view>

#include <unistd.h>

namespace quivra::storage {

namespace {

constexpr std::string_view kMarker = ".tmp";
constexpr auto kForeignAge = std::chrono::hours(24);

// This machine's name as it may stand in a file name.
const std::string& hostTag() {
    static const std::string tag = [] {
        char name[256] = {};
        if (::gethostname(name, sizeof name - 1) != 0) return std::string("localhost");
        std::string t;
        for (const char* p = name; *p != '\0' && t.size() < 32; ++p) {
            const char c = *p;
            const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                               (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_';
            t += plain ? c : '_';
        }
        return t.empty() ? std::string("localhost") : t;
    }();
    return tag;
}

bool allDigits(std::string_view s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

// The parts of a temporary name: the process id and the host ("" for
// names from before hosts were part of them).  False for other names.
bool parseTemporary(std::string_view name, long& pid, std::string_view& host) {
    if (name.size() < 2 || name[0] != '.') return false;
    const std::size_t marker = name.rfind(kMarker);
    if (marker == std::string_view::npos || marker < 2) return false;
    std::string_view rest = name.substr(marker + kMarker.size());
    host = {};
    if (const std::size_t at = rest.find('@'); at != std::string_view::npos) {
        host = rest.substr(at + 1);
        rest = rest.substr(0, at);
        if (host.empty()) return false;
    }
    const std::size_t dash = rest.find('-');
    if (dash == std::string_view::npos || !allDigits(rest.substr(0, dash)) ||
        !allDigits(rest.substr(dash + 1)) || dash > 9) {
        return false;
    }
    pid = std::strtol(std::string(rest.substr(0, dash)).c_str(), nullptr, 10);
    return pid > 0;
}

bool processGone(long pid) {
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

}  // namespace

std::filesystem::path temporaryPathFor(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    std::string name = ".";
    name += target.filename().string();
    name += kMarker;
    name += std::to_string(::getpid());
    name += '-';
    name += std::to_string(counter++);
    name += '@';
    name += hostTag();
    std::filesystem::path tmp = target;
    tmp.replace_filename(name);
    return tmp;
}

void removeStaleTemporaries(FileIo& io, const std::filesystem::path& folder,
                            std::chrono::system_clock::time_point now) {
    auto entries = io.listFolder(folder);
    if (!entries) return;
    for (const FileIo::FolderEntry& e : *entries) {
        long pid = 0;
        std::string_view host;
        if (!parseTemporary(e.name, pid, host)) continue;
        const bool ours = host.empty() || host == hostTag();
        // A process id means nothing on another machine: only age tells there.
        const bool stale = ours ? processGone(pid) : now - e.modified > kForeignAge;
        if (stale)
            (void)io.remove(folder.empty() ? std::filesystem::path(e.name) : folder / e.name);
    }
}

Status replaceFile(FileIo& io, const std::filesystem::path& target, std::string_view bytes) {
    const std::filesystem::path temp = temporaryPathFor(target);
    auto file = io.open(temp, FileIo::Mode::CreateNew);
    if (!file) return file.status();
    Status s = (*file)->writeAt(0, bytes.data(), bytes.size());
    if (s) s = (*file)->sync();
    file.value().reset();
    if (s) s = io.rename(temp, target);
    if (!s) (void)io.remove(temp);
    return s;
}

}  // namespace quivra::storage
