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
    std::filesystem::path tmp = target;
    tmp.replace_filename("." + target.filename().string() + ".tmp" + std::to_string(::getpid()) +
                         "-" + std::to_string(counter++));
    return tmp;
}

}  // namespace quivra::storage
