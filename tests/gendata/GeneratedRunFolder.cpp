#include "GeneratedRunFolder.h"

#include <sys/wait.h>
#include <unistd.h>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>

namespace quivra::gendata::test {

namespace {

struct Folder {
    std::filesystem::path path;
    std::string error;
    bool owned = false;
    ~Folder() {
        std::error_code ec;
        if (owned && !path.empty()) std::filesystem::remove_all(path, ec);
    }
};

Folder& shared() {
    static Folder folder = [] {
        Folder f;
        // Under CTest a setup test has filled the folder already.
        if (const char* given = std::getenv("QUIVRA_GENDATA_RUN")) {
            f.path = given;
            if (!std::filesystem::exists(f.path / "Specs.DBF")) {
                f.error = "the generated run folder " + f.path.string() + " is empty";
                f.path.clear();
            }
            return f;
        }
        f.owned = true;
        const auto dir = makeTempFolder("run");
        const int rc = runGenerator(dir);
        if (rc == 0) {
            f.path = dir;
        } else {
            f.error = "quivra-gen-data build exited with " + std::to_string(rc);
            std::error_code ec;
            std::filesystem::remove_all(dir, ec);
        }
        return f;
    }();
    return folder;
}

}  // namespace

std::filesystem::path dataDir() {
    return QUIVRA_DATA_DIR;
}

const std::filesystem::path& generatedRunFolder() {
    return shared().path;
}
const std::string& generatorError() {
    return shared().error;
}

std::filesystem::path makeTempFolder(const std::string& tag) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / ("quivra-gendata-" + tag + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data())) return {};
    return pattern;
}

int runGenerator(const std::filesystem::path& dir, const std::filesystem::path& data) {
    const std::string cmd = std::string("\"") + QUIVRA_GEN_DATA_EXE + "\" build \"" +
                            (data.empty() ? dataDir() : data).string() + "\" \"" + dir.string() +
                            "\" > /dev/null 2>&1";
    const int rc = std::system(cmd.c_str());
    return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
}

std::string readBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace quivra::gendata::test
