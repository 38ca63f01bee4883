#pragma once
// GeneratedRunFolder: a temporary run folder filled by the data generator,
// shared by the tests of one executable and removed at exit.

#include <filesystem>
#include <string>

namespace quivra::gendata::test {

// The folder, generated on first use.  Empty path when the generator failed
// (the message is in generatorError()).
const std::filesystem::path& generatedRunFolder();
const std::string& generatorError();

// Runs `quivra-gen-data build` on `data` (default: the project's data/)
// into `dir`; returns its exit status.
int runGenerator(const std::filesystem::path& dir, const std::filesystem::path& data = {});

// A fresh empty temporary folder.
std::filesystem::path makeTempFolder(const std::string& tag);

// The whole content of a file ("" when it cannot be read).
std::string readBytes(const std::filesystem::path& file);

std::filesystem::path dataDir();

}  // namespace quivra::gendata::test
