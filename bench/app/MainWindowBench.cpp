// Speed of the main window, offscreen, on the delivered data:
//  - a keystroke: from a changed bow-weight text to every widget of every
//    grid updated (search, messages, controls, 176 grid buttons), reported
//    as median and 99th percentile over 1,000 keystrokes;
//  - the same with the window painted as well;
//  - start-up: splash shown, main window built, splash gone, main window
//    shown with its first search done.
// Run it from anywhere: the data folder is the build's run folder.

#include "ErrorHandler.h"
#include "InputsPanel.h"
#include "MessageBox.h"
#include "Startup.h"
#include "TArrowSel.h"

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

void keystrokes(benchmark::State& state, bool paint) {
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
        if (paint) window.repaint();
        const std::chrono::duration<double> elapsed = Clock::now() - start;
        state.SetIterationTime(elapsed.count());
        micros.push_back(elapsed.count() * 1e6);
    }
    reportPercentiles(state, std::move(micros));
}

void BM_KeystrokeToGrid(benchmark::State& state) {
    keystrokes(state, false);
}
BENCHMARK(BM_KeystrokeToGrid)->Iterations(1000)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_KeystrokeToPaintedWindow(benchmark::State& state) {
    keystrokes(state, true);
}
BENCHMARK(BM_KeystrokeToPaintedWindow)
    ->Iterations(1000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

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
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    quivra::shell::QuivraApplication app(argc, argv);
    quivra::shell::MessageBox::setAutoAnswer(true);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
