#include "Status.h"

namespace quivra::storage {

std::string notAnIntegerMessage(const std::string& text) {
    return "'" + text + "' is not a valid integer value";
}

std::string notAFloatMessage(const std::string& text) {
    return "'" + text + "' is not a valid floating point value";
}

}  // namespace quivra::storage
