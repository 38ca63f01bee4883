#include "ChartFields.h"

#include <array>

namespace quivra::selection::chart {

namespace {
using Names = std::array<std::string, kMaxEntries>;

Names makeNames(const char* suffix) {
    Names names;
    for (int n = 1; n <= kMaxEntries; ++n) {
        names[static_cast<std::size_t>(n - 1)] = "SH" + std::to_string(n) + suffix;
    }
    return names;
}

const std::string& pick(const Names& names, int n) {
    return names[static_cast<std::size_t>(n - 1)];
}
}  // namespace

const std::string& sizeField(int n) {
    static const Names names = makeNames("SIZE");
    return pick(names, n);
}

const std::string& spineField(int n) {
    static const Names names = makeNames("SPINE");
    return pick(names, n);
}

const std::string& modlField(int n) {
    static const Names names = makeNames("MODL");
    return pick(names, n);
}

const std::string& modelField(int n) {
    static const Names names = makeNames("MODEL");
    return pick(names, n);
}

}  // namespace quivra::selection::chart
