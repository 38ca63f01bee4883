#include "RunFolderInstaller.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <system_error>

namespace quivra::gendata {

namespace {

bool readAll(const std::filesystem::path& file, std::string& out) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool isTableFile(const std::filesystem::path& file) {
    std::string ext = file.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".dbf";
}

}  // namespace

RunFolderInstaller::RunFolderInstaller(std::filesystem::path stagingDir,
                                       std::filesystem::path runDir)
    : m_staging(std::move(stagingDir)), m_run(std::move(runDir)) {}

bool RunFolderInstaller::sameContent(const std::filesystem::path& a,
                                     const std::filesystem::path& b) {
    std::string x, y;
    if (!readAll(a, x) || !readAll(b, y) || x.size() != y.size()) return false;
    if (isTableFile(a) && x.size() >= 4) {
        for (std::size_t i = 1; i <= 3; ++i) x[i] = y[i];
    }
    return x == y;
}

bool RunFolderInstaller::move(const std::filesystem::path& relative, std::string& error) {
    const auto from = m_staging / relative;
    const auto to = m_run / relative;
    std::error_code ec;
    std::filesystem::create_directories(to.parent_path(), ec);
    std::filesystem::rename(from, to, ec);
    if (ec) {
        error = to.string() + ": cannot be replaced: " + ec.message();
        return false;
    }
    m_written.push_back(relative.generic_string());
    return true;
}

bool RunFolderInstaller::installReference(const std::filesystem::path& relative,
                                          std::string& error) {
    const auto to = m_run / relative;
    std::error_code ec;
    if (std::filesystem::exists(to, ec) && sameContent(m_staging / relative, to)) {
        m_unchanged.push_back(relative.generic_string());
        return true;
    }
    return move(relative, error);
}

bool RunFolderInstaller::installIfMissing(const std::filesystem::path& relative,
                                          std::string& error) {
    std::error_code ec;
    if (std::filesystem::exists(m_run / relative, ec) || ec) {
        m_unchanged.push_back(relative.generic_string());
        return true;
    }
    return move(relative, error);
}

}  // namespace quivra::gendata
