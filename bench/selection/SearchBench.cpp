// One search on each page against the delivered tables, tables already open
// (the engine opens them on its first search and keeps them).  Goal: under
// 20 microseconds per search.
#include "SearchEngine.h"

#include <benchmark/benchmark.h>

#include <filesystem>

#ifndef QUIVRA_RUN_DIR
#error "QUIVRA_RUN_DIR must name the run folder of the build"
#endif

namespace {

using quivra::core::Page;
using quivra::selection::SearchEngine;
using quivra::selection::SelectionInputs;

void searchPage(benchmark::State& state, Page page) {
    if (!std::filesystem::exists(std::filesystem::path(QUIVRA_RUN_DIR) / "Specs.DBF")) {
        state.SkipWithError("the delivered tables are not in the run folder");
        return;
    }
    SearchEngine engine(QUIVRA_RUN_DIR);
    SelectionInputs in;  // the window's start values: a valid row on every page
    in.page = page;
    if (engine.search(in).error) {
        state.SkipWithError("the first search failed");
        return;
    }
    for (auto _ : state) {
        const auto& outcome = engine.search(in);
        benchmark::DoNotOptimize(&outcome);
    }
}

void BM_SearchHunt(benchmark::State& state) {
    searchPage(state, Page::Hunt);
}
void BM_SearchTarg(benchmark::State& state) {
    searchPage(state, Page::Targ);
}
void BM_SearchYouth(benchmark::State& state) {
    searchPage(state, Page::Youth);
}
void BM_SearchKstr(benchmark::State& state) {
    searchPage(state, Page::Kstr);
}

BENCHMARK(BM_SearchHunt)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SearchTarg)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SearchYouth)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SearchKstr)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
