#include "ProgressRunner.h"

#include <QApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <exception>
#include <memory>
#include <thread>
#include <utility>

namespace quivra::shell {

namespace {

struct Seam {
    bool cancelNext = false;
    int showDelay = 500;
};

Seam& seam() {
    static Seam s;
    return s;
}

constexpr int kSteps = 1000;  // the bar's range
constexpr int kPollMs = 40;   // how often the window's thread looks at the work

// What the two threads share.  Only these atomics cross between them: the
// worker never sees a widget.
struct Shared {
    std::atomic<std::uint64_t> done{0};
    std::atomic<std::uint64_t> total{0};
    std::atomic<bool> cancel{false};
    std::atomic<bool> finished{false};
};

int stepsOf(std::uint64_t done, std::uint64_t total) {
    if (total == 0) return 0;
    return static_cast<int>(std::min(done, total) * kSteps / total);
}

}  // namespace

void runWithProgress(QWidget* parent, const QString& title, const QString& label,
                     const ProgressWork& work) {
    const auto shared = std::make_shared<Shared>();
    shared->cancel = std::exchange(seam().cancelNext, false);

    QProgressDialog dialog(label, QString(), 0, kSteps, parent);
    dialog.setWindowTitle(title);
    dialog.setAccessibleName(title);
    auto* cancelButton = new QPushButton(QObject::tr("Cancel"));  // owned by the dialog
    cancelButton->setAccessibleName(QObject::tr("Cancel"));
    dialog.setCancelButton(cancelButton);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.setMinimumDuration(seam().showDelay);
    dialog.setValue(0);  // starts the dialog's own clock: shown when the work looks long
    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, [&dialog, shared] {
        shared->cancel = true;
        dialog.setLabelText(QObject::tr("Cancelling..."));
    });

    QEventLoop loop;
    std::exception_ptr failure;
    std::thread worker([&work, &failure, &loop, shared] {
        try {
            work([shared](std::uint64_t done, std::uint64_t total) {
                shared->done = done;
                shared->total = total;
                return !shared->cancel.load();
            });
        } catch (...) {
            failure = std::current_exception();
        }
        shared->finished = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });

    // Until the dialog is up, the windows paint but take no input (it waits
    // for the work to end); once it is up, its modality keeps the rest still.
    bool inputOpen = false;
    QTimer poll;
    poll.setInterval(kPollMs);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (!shared->cancel) {
            const std::uint64_t done = shared->done;
            const std::uint64_t total = shared->total;
            dialog.setValue(stepsOf(done, total));
            if (total > 0) {
                dialog.setLabelText(
                    label + QStringLiteral("\n") +
                    QObject::tr("%1 of %2 records")
                        .arg(QString::number(std::min(done, total)), QString::number(total)));
            }
        }
        if (dialog.isVisible() != inputOpen || shared->finished) loop.quit();
    });
    poll.start();
    QApplication::setOverrideCursor(Qt::BusyCursor);
    while (!shared->finished) {
        inputOpen = dialog.isVisible();
        loop.exec(inputOpen ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    }
    worker.join();
    poll.stop();
    dialog.hide();
    QApplication::restoreOverrideCursor();
    if (failure) std::rethrow_exception(failure);
}

void cancelNextProgress() {
    seam().cancelNext = true;
}

void setProgressShowDelay(int milliseconds) {
    seam().showDelay = milliseconds;
}

}  // namespace quivra::shell
