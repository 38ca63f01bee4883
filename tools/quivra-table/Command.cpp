#include "Command.h"

#include <iostream>

namespace quivra::tabletool {

int fail(const core::Status& status) {
    std::cerr << "quivra-table: " << status.message() << '\n';
    return kExitFailure;
}

int usage(const char* name, const char* args) {
    std::cerr << "Usage: quivra-table " << name << ' ' << args << '\n';
    return kExitUsage;
}

}  // namespace quivra::tabletool
