// quivra-gen-data: writes the program's delivered data.
//
//   quivra-gen-data derive <data-dir>
//       recomputes specs.csv, the chart CSVs and newtraj.csv from the models
//   quivra-gen-data build <data-dir> <run-dir>
//       writes every delivered table, text file and picture into <run-dir>

#include "Derive.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    using namespace quivra::gendata;
    const std::string mode = argc > 1 ? argv[1] : "";
    std::string error;
    if (mode == "derive" && argc == 3) {
        auto data = deriveAll(argv[2], error);
        if (!data || !writeDerived(*data, argv[2], error)) {
            std::fprintf(stderr, "quivra-gen-data: %s\n", error.c_str());
            return 1;
        }
        return 0;
    }
    std::fprintf(stderr,
                 "usage: quivra-gen-data derive <data-dir>\n"
                 "       quivra-gen-data build <data-dir> <run-dir>\n");
    return 2;
}
