// Opening the windows a user waits for, from the command to the window's
// pixels on the display (goal: under 50 ms each):
//   OpenRetrievalWindow     "Get Setup" on 1,000,000 saved set-ups
//   OpenArrowWeightBuilder  a click on a Hunting size button
//   OpenCalculator          the "Kinetic Energy & FOC Calculator" button
// Each runs the main window's own command; the clock stops once the new
// window has painted and the display has the pixels.  Needs an X display
// (run it under xvfb-run); offscreen nothing is ever painted.
//
// The saved set-ups live in QUIVRA_BENCH_DIR (default $TMPDIR/quivra-bench),
// subfolder windows, generated on first use; the main window works on the
// build's run folder.

#include "BenchTable.h"
#include "CategoryPage.h"
#include "CustomerCommands.h"
#include "ModalPattern.h"
#include "PaintWatch.h"
#include "SlotButton.h"
#include "TArrowSel.h"
#include "TableStore.h"

#include <QDialog>
#include <QPushButton>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using quivra::bench::PaintWatch;
namespace fs = std::filesystem;

const fs::path kRunDir(QUIVRA_BENCH_RUN_DIR);

const fs::path& customersDir() {
    static const fs::path dir = [] {
        const fs::path d = quivra::bench::benchDir() / "windows";
        fs::create_directories(d);
        const std::string error = quivra::bench::ensureBenchTable(d / "Saveddb.dbf", 1'000'000);
        if (!error.empty()) {
            std::cerr << error << '\n';
            std::abort();
        }
        if (!fs::exists(d / "Saved.idx")) {
            quivra::storage::TableStore t(d / "Saveddb.dbf");
            if (!t.open() || !t.createIndex(d / "Saved.idx", "NAME")) std::abort();
        }
        return d;
    }();
    return dir;
}

void reportPercentiles(benchmark::State& state, std::vector<double> millis) {
    if (millis.empty()) return;
    std::sort(millis.begin(), millis.end());
    state.counters["median_ms"] = millis[millis.size() / 2];
    state.counters["max_ms"] = millis.back();
}

// Times `command` from its start until the dialog it opens has its pixels
// on the display; the dialog is then closed.
void timeDialog(benchmark::State& state, const std::function<void()>& command) {
    if (!quivra::bench::onDisplay()) {
        state.SkipWithError("needs an X display: run it under xvfb-run");
        return;
    }
    std::vector<double> millis;
    for (auto _ : state) {
        Clock::time_point start;
        double elapsed = -1;
        std::unique_ptr<PaintWatch> watch;
        quivra::shell::setDialogObserver([&](QDialog* dialog) {
            watch = std::make_unique<PaintWatch>(*dialog);  // before it is shown
            QTimer::singleShot(0, dialog, [&, dialog] {
                if (watch->waitForPixels()) {
                    elapsed = std::chrono::duration<double>(Clock::now() - start).count();
                }
                dialog->reject();
            });
        });
        start = Clock::now();
        command();
        quivra::shell::setDialogObserver({});
        watch.reset();
        if (elapsed < 0) {
            state.SkipWithError("the window never painted");
            return;
        }
        state.SetIterationTime(elapsed);
        millis.push_back(elapsed * 1e3);
    }
    reportPercentiles(state, std::move(millis));
}

// Made on first use and destroyed before the application object.
std::unique_ptr<quivra::app::TArrowSel> g_window;

quivra::app::TArrowSel& mainWindow() {
    if (!g_window) {
        g_window = std::make_unique<quivra::app::TArrowSel>(kRunDir);
        PaintWatch watch(*g_window);
        g_window->show();
        watch.waitForPixels();
    }
    return *g_window;
}

void OpenRetrievalWindow(benchmark::State& state) {
    const fs::path& dir = customersDir();
    timeDialog(state, [&] { quivra::customers::getSetup(&mainWindow(), dir, {}); });
}
BENCHMARK(OpenRetrievalWindow)->Iterations(30)->UseManualTime()->Unit(benchmark::kMillisecond);

void OpenArrowWeightBuilder(benchmark::State& state) {
    quivra::app::TArrowSel& window = mainWindow();
    window.setActivePage(quivra::selection::Page::Hunt);
    QPushButton* size =
        window.page(quivra::selection::Page::Hunt)->slotButton(1, quivra::app::SlotColumn::Size);
    timeDialog(state, [&] { size->click(); });
}
BENCHMARK(OpenArrowWeightBuilder)->Iterations(30)->UseManualTime()->Unit(benchmark::kMillisecond);

void OpenCalculator(benchmark::State& state) {
    quivra::app::TArrowSel& window = mainWindow();
    timeDialog(state, [&] { window.KECalcBtnClick(); });
}
BENCHMARK(OpenCalculator)->Iterations(30)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return quivra::bench::runWindowBenchmarks(argc, argv, [] { g_window.reset(); });
}
