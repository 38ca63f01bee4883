// quivra_bench_table: generates the benchmark table (see BenchTable.h) and
// prints its path, for scripts that time other readers on the same file.
#include "BenchTable.h"

#include <iostream>

int main() {
    std::filesystem::path file;
    const std::string error = quivra::bench::ensureBenchTable(file);
    if (!error.empty()) {
        std::cerr << "quivra_bench_table: " << error << '\n';
        return 1;
    }
    std::cout << file.string() << '\n';
    return 0;
}
