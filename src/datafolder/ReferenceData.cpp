#include "ReferenceData.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <set>
#include <system_error>

#include <unistd.h>

namespace quivra::datafolder {

namespace fs = std::filesystem;
using storage::Result;
using storage::Status;

namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The table a shop file belongs to; the name index of the saved set-ups
// (Saved.idx) belongs to their table.  Empty for reference files.
std::string shopTableOf(const fs::path& name) {
    std::string stem = lower(name.stem().string());
    if (stem == "saveddb" || stem == "saved") return "saveddb";
    if (stem == "shopinfo" || stem == "builds" || stem == "custdb") return stem;
    return {};
}

bool readAll(const fs::path& file, std::string& out) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool sameContent(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    const auto sizeA = fs::file_size(a, ec);
    if (ec) return false;
    const auto sizeB = fs::file_size(b, ec);
    if (ec || sizeA != sizeB) return false;
    std::string x;
    std::string y;
    return readAll(a, x) && readAll(b, y) && x == y;
}

fs::path temporaryBeside(const fs::path& target) {
    fs::path tmp = target;
    tmp.replace_filename("." + target.filename().string() + ".tmp" + std::to_string(::getpid()));
    return tmp;
}

Status cannotWrite(const fs::path& target, const std::error_code& ec) {
    return Status::ioError("Cannot write " + target.string() + ": " + ec.message());
}

// Copies `from` over `to` through a temporary file in the same folder.
Status replaceWithCopy(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::create_directories(to.parent_path(), ec);
    if (ec) return cannotWrite(to.parent_path(), ec);
    const fs::path tmp = temporaryBeside(to);
    fs::copy_file(from, tmp, fs::copy_options::overwrite_existing, ec);
    if (!ec) {
        // Installed files are read-only for the user; the copies are theirs.
        fs::permissions(tmp, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add,
                        ec);
    }
    if (!ec) fs::rename(tmp, to, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(tmp, ignored);
        return Status::ioError("Cannot copy " + from.string() + " to " + to.string() + ": " +
                               ec.message());
    }
    return Status::ok();
}

Status writeText(const fs::path& target, const std::string& text) {
    const fs::path tmp = temporaryBeside(target);
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        out << text;
        out.close();
        if (!out) {
            std::error_code ignored;
            fs::remove(tmp, ignored);
            return Status::ioError("Cannot write " + target.string());
        }
    }
    std::error_code ec;
    fs::rename(tmp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(tmp, ignored);
        return cannotWrite(target, ec);
    }
    return Status::ok();
}

// Relative names of every regular file under `root`, sorted.
Result<std::vector<fs::path>> filesUnder(const fs::path& root) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_regular_file(ec)) files.push_back(it->path().lexically_relative(root));
    }
    if (ec) {
        return Status::ioError("Cannot read the installed data in " + root.string() + ": " +
                               ec.message());
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

bool isShopFile(const fs::path& name) {
    return !shopTableOf(name.filename()).empty();
}

Result<std::string> installedStamp(const fs::path& installed) {
    auto files = filesUnder(installed);
    if (!files) return files.status();
    std::string stamp;
    for (const fs::path& relative : *files) {
        std::error_code ec;
        const auto size = fs::file_size(installed / relative, ec);
        const auto time = fs::last_write_time(installed / relative, ec);
        if (ec) {
            return Status::ioError("Cannot read " + (installed / relative).string() + ": " +
                                   ec.message());
        }
        stamp += relative.generic_string();
        stamp += ' ';
        stamp += std::to_string(size);
        stamp += ' ';
        stamp += std::to_string(time.time_since_epoch().count());
        stamp += '\n';
    }
    return stamp;
}

Status refreshFromInstalled(const fs::path& installed, const fs::path& dataDir,
                            std::vector<std::string>& written) {
    auto stamp = installedStamp(installed);
    if (!stamp) return stamp.status();
    std::string kept;
    if (readAll(dataDir / kStampFile, kept) && kept == *stamp) return Status::ok();

    // The shop's tables that exist in any form: a table whose memo or index
    // alone is left may still hold a shop's data, so nothing is paired with it.
    std::set<std::string> shopTables;
    std::error_code ec;
    for (fs::directory_iterator it(dataDir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string table = shopTableOf(it->path().filename());
        if (!table.empty()) shopTables.insert(table);
    }
    if (ec) return Status::ioError("Cannot read " + dataDir.string() + ": " + ec.message());

    auto files = filesUnder(installed);
    if (!files) return files.status();
    std::vector<fs::path> copies;
    for (const fs::path& relative : *files) {
        const std::string table = shopTableOf(relative.filename());
        if (!table.empty()) {
            if (!relative.has_parent_path() && shopTables.count(table) == 0) {
                copies.push_back(relative);
            }
        } else if (!fs::exists(dataDir / relative, ec) ||
                   !sameContent(installed / relative, dataDir / relative)) {
            copies.push_back(relative);
        }
    }
    // A new shop table goes in after its memo and index, so that a failure
    // half-way never leaves a table whose other files are missing.
    std::stable_partition(copies.begin(), copies.end(), [](const fs::path& relative) {
        return lower(relative.extension().string()) != ".dbf" || !isShopFile(relative);
    });
    for (const fs::path& relative : copies) {
        if (Status s = replaceWithCopy(installed / relative, dataDir / relative); !s) return s;
        written.push_back(relative.generic_string());
    }
    return writeText(dataDir / kStampFile, *stamp);
}

}  // namespace quivra::datafolder
