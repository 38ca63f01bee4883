#include "CustomerAddress.h"

#include <algorithm>

namespace quivra::customers {

namespace {

bool hasText(const std::string& text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return c != ' ' && c != '\t' && c != '\r' && c != '\n'; });
}

}  // namespace

bool CustomerAddress::isComplete() const {
    return hasText(name) && hasText(addr1) && hasText(city) && hasText(state);
}

}  // namespace quivra::customers
