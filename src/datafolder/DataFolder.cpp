#include "DataFolder.h"

#include "ReferenceData.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include <unistd.h>

namespace quivra::datafolder {

namespace fs = std::filesystem;
using storage::Result;
using storage::Status;

namespace {

std::string env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

void addOnce(std::vector<fs::path>& dirs, fs::path dir) {
    dir = dir.lexically_normal();
    for (const fs::path& known : dirs) {
        if (known == dir) return;
    }
    dirs.push_back(std::move(dir));
}

bool sameFolder(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec);
}

// Empty when `folder` can be listed and its files opened; else the reason.
std::string unreadable(const fs::path& folder) {
    if (::access(folder.c_str(), R_OK | X_OK) == 0) return {};
    return std::strerror(errno);
}

std::string capitalised(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
        text[0] = static_cast<char>(text[0] - 32);
    return text;
}

// The folder exists, is a folder and can be read; otherwise the message,
// whose first words are `who` ("The data folder", "Your data folder") and
// whose last sentence is `advice` (written to follow "or ").
Status usable(const std::string& who, const fs::path& folder, const std::string& advice) {
    std::error_code ec;
    const fs::file_status status = fs::status(folder, ec);
    if (!fs::exists(status)) {
        return Status::notFound(who + " " + folder.string() + " does not exist.\n" +
                                capitalised(advice));
    }
    if (!fs::is_directory(status)) {
        return Status::invalidArgument(who + " " + folder.string() + " is not a folder.\n" +
                                       capitalised(advice));
    }
    if (const std::string reason = unreadable(folder); !reason.empty()) {
        return Status::ioError(who + " " + folder.string() + " cannot be read (" + reason +
                               ").\nCheck its permissions, or " + advice);
    }
    return Status::ok();
}

std::string lookedIn(const Environment& env) {
    std::string list;
    for (const fs::path& dir : env.installedDataDirs) {
        if (!list.empty()) list += ", ";
        list += dir.string();
    }
    return list;
}

Result<DataFolder> userFolder(const Environment& env, bool fill) {
    const std::string advice =
        "start Quivra with --data DIR, or from the folder that holds its "
        "tables.";
    const fs::path folder = userDataFolder(env);
    if (folder.empty()) {
        return Status::notFound(
            "Quivra cannot tell where your data folder is: neither XDG_DATA_HOME nor HOME is "
            "set.\nStart Quivra with --data DIR, or from the folder that holds its tables.");
    }
    DataFolder result{folder, Origin::UserFolder, {}};
    std::error_code ec;
    const bool exists = fs::exists(folder, ec);
    if (!fill) {
        if (Status s = usable("Your data folder", folder,
                              "start Quivra once to make it, or give --data the folder that "
                              "holds its tables.");
            !s) {
            return s;
        }
        return result;
    }
    const fs::path installed = installedDataFolder(env);
    if (exists) {
        if (Status s = usable("Your data folder", folder, advice); !s) return s;
    } else {
        if (installed.empty()) {
            return Status::notFound(
                "Your data folder " + folder.string() +
                " cannot be made: Quivra's reference data are not installed (looked in " +
                lookedIn(env) + ").\nReinstall Quivra, or " + advice);
        }
        fs::create_directories(folder, ec);
        if (ec) {
            return Status::ioError("Your data folder " + folder.string() + " cannot be made (" +
                                   ec.message() + ").\nCheck that you may write to " +
                                   folder.parent_path().string() + ", or " + advice);
        }
    }
    if (installed.empty()) {
        if (holdsTables(folder)) return result;  // kept by hand; nothing to refresh from
        return Status::notFound("Your data folder " + folder.string() +
                                " holds no tables, and Quivra's reference data are not "
                                "installed (looked in " +
                                lookedIn(env) + ").\nReinstall Quivra, or " + advice);
    }
    if (Status s = refreshFromInstalled(installed, folder, result.written); !s) {
        return Status::ioError("Your data folder " + folder.string() +
                               " could not be brought up to date with the installed tables in " +
                               installed.string() + ": " + s.message() +
                               "\nCheck the free space and the folder's permissions, or " + advice);
    }
    return result;
}

}  // namespace

Environment Environment::current() {
    Environment e;
    std::error_code ec;
    e.workingFolder = fs::current_path(ec);
    e.xdgDataHome = env("XDG_DATA_HOME");
    e.home = env("HOME");
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) addOnce(e.installedDataDirs, exe.parent_path().parent_path() / "share" / "quivra");
    std::string dirs = env("XDG_DATA_DIRS");
    if (dirs.empty()) dirs = "/usr/local/share:/usr/share";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        const std::size_t end = std::min(dirs.find(':', start), dirs.size());
        const fs::path dir = dirs.substr(start, end - start);
        if (dir.is_absolute()) addOnce(e.installedDataDirs, dir / "quivra");
        start = end + 1;
    }
    addOnce(e.installedDataDirs, QUIVRA_INSTALLED_DATA_DIR);
    return e;
}

bool holdsTables(const fs::path& folder) {
    for (const std::string_view table : kReferenceTables) {
        std::error_code ec;
        if (fs::is_regular_file(folder / table, ec)) return true;
    }
    return false;
}

fs::path userDataFolder(const Environment& env) {
    // A relative XDG_DATA_HOME is invalid and ignored, as the XDG rules say.
    if (fs::path xdg = env.xdgDataHome; xdg.is_absolute()) return xdg / "quivra";
    if (fs::path home = env.home; home.is_absolute()) {
        return home / ".local" / "share" / "quivra";
    }
    return {};
}

fs::path installedDataFolder(const Environment& env) {
    for (const fs::path& dir : env.installedDataDirs) {
        if (holdsTables(dir)) return dir;
    }
    return {};
}

Result<DataFolder> resolveDataFolder(const std::optional<fs::path>& named, const Environment& env,
                                     bool fill) {
    if (named) {
        std::error_code ec;
        fs::path folder = named->empty() ? fs::path() : fs::absolute(*named, ec);
        if (folder.empty() || ec) {
            return Status::invalidArgument("--data needs the name of a folder.");
        }
        folder = folder.lexically_normal();
        if (folder.has_filename() == false && folder.has_parent_path()) {
            folder = folder.parent_path();  // "dir/" and "dir" are one folder
        }
        if (Status s = usable("The data folder", folder,
                              "give --data the folder that holds Quivra's tables, or leave "
                              "--data out to use your own data folder.");
            !s) {
            return s;
        }
        return DataFolder{folder, Origin::Named, {}};
    }
    const fs::path user = userDataFolder(env);
    const bool inUserFolder = !user.empty() && sameFolder(env.workingFolder, user);
    if (!inUserFolder && holdsTables(env.workingFolder)) {
        // The installed reference data are the package's, not a place to work.
        const fs::path installed = installedDataFolder(env);
        if (installed.empty() || !sameFolder(env.workingFolder, installed)) {
            return DataFolder{env.workingFolder, Origin::WorkingFolder, {}};
        }
    }
    return userFolder(env, fill);
}

}  // namespace quivra::datafolder
