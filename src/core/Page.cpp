#include "Page.h"

#include <cstddef>

namespace quivra::core {

namespace {
constexpr std::array<std::string_view, 4> kKeys{"Hunt", "Targ", "Youth", "Kstr"};
constexpr std::array<std::string_view, 4> kCaptions{"Hunting", "Target", "Youth", "Kestra"};
}  // namespace

std::string_view pageKey(Page page) {
    const auto i = static_cast<std::size_t>(page);
    return i < kKeys.size() ? kKeys[i] : std::string_view();
}

std::string_view pageCaption(Page page) {
    const auto i = static_cast<std::size_t>(page);
    return i < kCaptions.size() ? kCaptions[i] : std::string_view();
}

std::optional<Page> pageFromKey(std::string_view key) {
    for (std::size_t i = 0; i < kKeys.size(); ++i) {
        if (kKeys[i] == key) return static_cast<Page>(i);
    }
    return std::nullopt;
}

}  // namespace quivra::core
