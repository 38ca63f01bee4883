// Long work off the window's thread: no dialog for short work, a modal
// dialog whose Cancel stops the work for long work, the window's thread kept
// running meanwhile, and failures handed back to the caller.
#include "ProgressRunner.h"

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <thread>

namespace quivra::shell {
namespace {

using std::chrono::milliseconds;

QProgressDialog* shownProgressDialog() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* d = qobject_cast<QProgressDialog*>(w); d != nullptr && d->isVisible()) return d;
    }
    return nullptr;
}

// Work that reports slowly until it is told to stop (or 10 s have passed).
struct SlowWork {
    std::thread::id thread;
    bool stopped = false;
    int calls = 0;
    void operator()(const storage::ProgressFn& progress) {
        thread = std::this_thread::get_id();
        for (std::uint64_t i = 0; i < 2000; ++i) {
            ++calls;
            if (!progress(i, 1'000'000)) {
                stopped = true;
                return;
            }
            std::this_thread::sleep_for(milliseconds(5));
        }
    }
};

class ProgressRunnerTest : public ::testing::Test {
protected:
    void TearDown() override { setProgressShowDelay(500); }
};

TEST_F(ProgressRunnerTest, ShortWorkRunsOffTheWindowThreadWithoutADialog) {
    std::thread::id worker;
    bool answer = false;
    bool dialogSeen = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout,
                     [&] { dialogSeen |= shownProgressDialog() != nullptr; });
    watch.start(5);
    runWithProgress(nullptr, "Export", "Exporting", [&](const storage::ProgressFn& progress) {
        worker = std::this_thread::get_id();
        std::this_thread::sleep_for(milliseconds(50));
        answer = progress(10, 10);
    });
    EXPECT_NE(worker, std::this_thread::get_id());
    EXPECT_TRUE(answer);
    EXPECT_FALSE(dialogSeen);
    EXPECT_EQ(shownProgressDialog(), nullptr);
}

TEST_F(ProgressRunnerTest, LongWorkShowsAModalDialogWhoseCancelStopsTheWork) {
    setProgressShowDelay(100);
    QString title;
    QString label;
    bool modal = false;
    int ticks = 0;  // the window's thread keeps running while the work does
    QTimer presser;
    QObject::connect(&presser, &QTimer::timeout, [&] {
        ++ticks;
        QProgressDialog* dialog = shownProgressDialog();
        if (dialog == nullptr || !label.isEmpty()) return;
        if (!dialog->labelText().contains(QLatin1String(" of 1000000 records"))) return;
        title = dialog->accessibleName();
        label = dialog->labelText();
        modal = dialog->windowModality() == Qt::ApplicationModal;
        QPushButton* cancel = dialog->findChild<QPushButton*>();
        ASSERT_NE(cancel, nullptr);
        EXPECT_EQ(cancel->text(), QStringLiteral("Cancel"));
        cancel->click();
    });
    presser.start(20);
    SlowWork work;
    runWithProgress(nullptr, "Rebuild Index", "Rebuilding Saved.idx", std::ref(work));
    EXPECT_EQ(title, QStringLiteral("Rebuild Index"));
    EXPECT_TRUE(label.startsWith(QStringLiteral("Rebuilding Saved.idx\n"))) << label.toStdString();
    EXPECT_TRUE(modal);
    EXPECT_TRUE(work.stopped) << "Cancel must reach the work";
    EXPECT_LT(work.calls, 2000);
    EXPECT_NE(work.thread, std::this_thread::get_id());
    EXPECT_GT(ticks, 3);
    EXPECT_EQ(shownProgressDialog(), nullptr) << "the dialog goes with the work";
}

TEST_F(ProgressRunnerTest, CancelBeforeTheWorkBeginsIsItsFirstAnswer) {
    cancelNextProgress();
    SlowWork work;
    runWithProgress(nullptr, "Export", "Exporting", std::ref(work));
    EXPECT_TRUE(work.stopped);
    EXPECT_EQ(work.calls, 1);
    // The seam is used up: the next run goes on.
    runWithProgress(nullptr, "Export", "Exporting",
                    [&](const storage::ProgressFn& p) { EXPECT_TRUE(p(0, 1)); });
}

TEST_F(ProgressRunnerTest, FailureOfTheWorkIsRethrownOnTheCallersThread) {
    EXPECT_THROW(
        runWithProgress(nullptr, "Export", "Exporting",
                        [](const storage::ProgressFn&) { throw std::runtime_error("disk gone"); }),
        std::runtime_error);
}

}  // namespace
}  // namespace quivra::shell

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
