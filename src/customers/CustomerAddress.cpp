#include "CustomerAddress.h"

#include <algorithm>

namespace quivra::customers {

namespace {

bool hasText(const std::string& text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return c != ' ' && c != '\t' && c != '\r' && c != '\n'; });
}

}  // namespace

std::string withCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out += "\r\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += c;
        }
    }
    return out;
}

bool CustomerAddress::isComplete() const {
    return hasText(name) && hasText(addr1) && hasText(city) && hasText(state);
}

}  // namespace quivra::customers
