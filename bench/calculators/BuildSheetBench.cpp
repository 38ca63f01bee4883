// One full recompute of the arrow build sheet, downrange table and pin gaps
// included, as the window runs it on every keystroke.  Goal: under 1 ms.
#include "BuildSheet.h"

#include <benchmark/benchmark.h>

namespace {

namespace qc = quivra::calculators;

// A hunting compound with an aluminium shaft and a 125-grain point.
qc::BuildSheetInput compoundWithShaft() {
    qc::BuildSheetInput in;
    in.bow.ratingFps = 330;
    in.bow.drawWeightLb = 65;
    in.bow.drawLengthIn = 29;
    in.bow.stringAccessoriesGr = 12;
    in.arrow = {.weighedGr = std::nullopt,
                .shaft = qc::ShaftRecord{"2315M4", "2315", "KV,M4", 0.354, 11.8, 0.359},
                .lengthIn = 30,
                .pointGr = 125,
                .insertGr = 18,
                .nockGr = 10,
                .fletchingGr = 15,
                .balanceIn = std::nullopt};
    return in;
}

// The slowest case for the flight model: a slow, light-drag arrow takes the
// most steps to 100 yards.
qc::BuildSheetInput youthRecurve() {
    qc::BuildSheetInput in;
    in.bow.type = qc::BowType::Recurve;
    in.bow.drawWeightLb = 25;
    in.bow.drawLengthIn = 24;
    in.arrow.weighedGr = 300;
    return in;
}

void recompute(benchmark::State& state, const qc::BuildSheetInput& base) {
    qc::BuildSheetInput in = base;
    for (auto _ : state) {
        // A keystroke: the draw weight changes by a tenth of a pound.
        in.bow.drawWeightLb =
            base.bow.drawWeightLb + 0.1 * static_cast<double>(state.iterations() % 10);
        const qc::BuildSheet sheet = qc::computeBuildSheet(in);
        benchmark::DoNotOptimize(sheet.downrange.points.data());
        if (!sheet.ok()) state.SkipWithError("the sheet has input errors");
    }
}

void BM_BuildSheetCompoundShaft(benchmark::State& state) {
    recompute(state, compoundWithShaft());
}

void BM_BuildSheetYouthRecurve(benchmark::State& state) {
    recompute(state, youthRecurve());
}

}  // namespace

BENCHMARK(BM_BuildSheetCompoundShaft)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BuildSheetYouthRecurve)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
