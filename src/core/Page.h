#pragma once
// Page: the four category pages of the main window's notebook, in notebook
// order.  Inside the program a page always travels as this type; its key
// text ("Hunt", "Targ", "Youth", "Kstr") exists only where it is stored or
// shown, and is turned into a Page by pageFromKey() alone.

#include <array>
#include <optional>
#include <string_view>

namespace quivra::core {

enum class Page { Hunt, Targ, Youth, Kstr };

// Every page, in notebook order.
inline constexpr std::array<Page, 4> kPages{Page::Hunt, Page::Targ, Page::Youth, Page::Kstr};

// The page's key text; "" for a value outside the enumeration.
std::string_view pageKey(Page page);

// The page's tab caption: "Hunting", "Target", "Youth", "Kestra"; "" for a
// value outside the enumeration.
std::string_view pageCaption(Page page);

// The page of a key text; exact and case-sensitive, nullopt for any other text.
std::optional<Page> pageFromKey(std::string_view key);

}  // namespace quivra::core
