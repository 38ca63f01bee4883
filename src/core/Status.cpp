#include "Status.h"

namespace quivra::core {

std::string notAnIntegerMessage(std::string_view text) {
    return "'" + std::string(text) + "' is not a valid integer value";
}

std::string notAFloatMessage(std::string_view text) {
    return "'" + std::string(text) + "' is not a valid floating point value";
}

}  // namespace quivra::core
