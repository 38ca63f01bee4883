#pragma once
// Temporary names for files that replace a user's file: same folder (so the
// final rename is atomic), hidden, unique within the machine.

#include <atomic>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace quivra::storage {

inline std::filesystem::path temporaryPathFor(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    std::string name = ".";
    name += target.filename().string();
    name += ".tmp";
    name += std::to_string(::getpid());
    name += '-';
    name += std::to_string(counter++);
    std::filesystem::path tmp = target;
    tmp.replace_filename(name);
    return tmp;
}

}  // namespace quivra::storage
