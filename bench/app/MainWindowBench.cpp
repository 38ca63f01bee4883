// Speed of the main window on the delivered data:
//  - a keystroke: from a changed bow-weight text to every widget of every
//    grid updated (search, messages, controls, 176 grid buttons), reported
//    as median and 99th percentile over 1,000 keystrokes;
//  - a keystroke to pixels: the Up and Down keys in the bow weight field, in
//    turn, from the key event to the changed widgets painted and the image
//    taken by the display server.  Needs an X display (run it under
//    xvfb-run): an offscreen window is never exposed, so never painted;
//  - start-up: splash shown, main window built, splash gone, main window
//    shown with its first search done (in-process; scripts/bench-display.sh
//    runs quivra_startup_bench for the whole process).
// Run it from anywhere: the data folder is the build's run folder.

#include "InputsPanel.h"
#include "PaintWatch.h"
#include "Startup.h"
#include "TArrowSel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
const std::filesystem::path kRunDir(QUIVRA_BENCH_RUN_DIR);

// Bow weights a user types, all within the Hunting chart.
QString bowWeightFor(std::size_t i) {
    return QString::number(50 + static_cast<int>(i % 30));
}

void reportPercentiles(benchmark::State& state, std::vector<double> micros) {
    if (micros.empty()) return;
    std::sort(micros.begin(), micros.end());
    const auto at = [&](double q) {
        const auto index = static_cast<std::size_t>(q * static_cast<double>(micros.size() - 1));
        return micros[index];
    };
    state.counters["median_us"] = at(0.5);
    state.counters["p99_us"] = at(0.99);
    state.counters["max_us"] = micros.back();
}

void BM_KeystrokeToGrid(benchmark::State& state) {
    quivra::app::TArrowSel window(kRunDir);
    window.show();
    QLineEdit* field = window.inputs()->bowWeight();
    std::vector<double> micros;
    micros.reserve(1000);
    std::size_t i = 0;
    for (auto _ : state) {
        const QString text = bowWeightFor(i++);
        const auto start = Clock::now();
        field->setText(text);  // runs FindRec and updates every grid
        const std::chrono::duration<double> elapsed = Clock::now() - start;
        state.SetIterationTime(elapsed.count());
        micros.push_back(elapsed.count() * 1e6);
    }
    reportPercentiles(state, std::move(micros));
}
BENCHMARK(BM_KeystrokeToGrid)->Iterations(1000)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_KeystrokeToPixels(benchmark::State& state) {
    if (!quivra::bench::onDisplay()) {
        state.SkipWithError("needs an X display: run it under xvfb-run");
        return;
    }
    quivra::app::TArrowSel window(kRunDir);
    quivra::bench::PaintWatch watch(window);
    window.show();
    window.activateWindow();
    if (!watch.waitForPixels()) {
        state.SkipWithError("the main window was never painted");
        return;
    }
    QLineEdit* field = window.inputs()->bowWeight();
    field->setFocus();
    std::vector<double> micros;
    micros.reserve(1000);
    int paints = 0;
    std::size_t i = 0;
    for (auto _ : state) {
        const Qt::Key key = i++ % 2 == 0 ? Qt::Key_Up : Qt::Key_Down;  // 60, 61, 60, ...
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        watch.reset();
        const auto start = Clock::now();
        QApplication::sendEvent(field, &press);
        QApplication::sendEvent(field, &release);
        if (!watch.waitForPixels()) {
            state.SkipWithError("a keystroke painted nothing");
            return;
        }
        const std::chrono::duration<double> elapsed = Clock::now() - start;
        paints += watch.paints();
        state.SetIterationTime(elapsed.count());
        micros.push_back(elapsed.count() * 1e6);
    }
    reportPercentiles(state, std::move(micros));
    state.counters["paint_events"] = static_cast<double>(paints) / static_cast<double>(i);
}
BENCHMARK(BM_KeystrokeToPixels)->Iterations(1000)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_StartupToMainWindowShown(benchmark::State& state) {
    std::vector<double> micros;
    for (auto _ : state) {
        const auto start = Clock::now();
        std::unique_ptr<quivra::app::TArrowSel> window = quivra::app::startMainWindow(kRunDir);
        const std::chrono::duration<double> elapsed = Clock::now() - start;
        state.SetIterationTime(elapsed.count());
        micros.push_back(elapsed.count() * 1e6);
        window.reset();
    }
    reportPercentiles(state, std::move(micros));
}
BENCHMARK(BM_StartupToMainWindowShown)
    ->Iterations(30)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return quivra::bench::runWindowBenchmarks(argc, argv);
}
