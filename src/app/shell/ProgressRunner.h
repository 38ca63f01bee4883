#pragma once
// Long table work (export, index rebuild, repair) off the window's thread,
// with a progress dialog and "Cancel" when it takes a while.
//
// runWithProgress() hands `work` a progress callback (Progress.h) and runs it
// on a worker thread.  Meanwhile the window's thread keeps painting but takes
// no input, and when the work looks like lasting longer than about half a
// second (judged from its progress, or simply still running then) a modal
// dialog shows `label`, a bar and "Cancel".  Cancel makes the callback answer
// false; the work then stops and, by the contract of Progress.h, leaves every
// file as it was.  runWithProgress() returns once the work has ended, and
// rethrows on the window's thread whatever the work threw.
//
// `work` runs on the worker thread: it must not touch widgets, and it owns
// the table handles it uses (open them inside it).  Any operation with the
// ProgressFn signature fits, e.g. a repair:
//     storage::Status s;
//     shell::runWithProgress(parent, tr("Repair"), tr("Repairing Saveddb.dbf..."),
//                            [&](const storage::ProgressFn& p) { s = repairTable(file, p); });
//     if (s.code() == storage::Status::Code::Cancelled) return;  // the user's choice

#include "Progress.h"

#include <QString>

#include <functional>

class QWidget;

namespace quivra::shell {

using ProgressWork = std::function<void(const storage::ProgressFn& progress)>;

// The dialog's window title is `title`; `label` says what is being done.
void runWithProgress(QWidget* parent, const QString& title, const QString& label,
                     const ProgressWork& work);

// --- test seam ------------------------------------------------------------------
// The next runWithProgress() behaves as if Cancel had been pressed before the
// work began: its first progress call answers false.
void cancelNextProgress();
// How long the work may run before the dialog is shown at the latest
// (500 ms; tests shorten it).
void setProgressShowDelay(int milliseconds);

}  // namespace quivra::shell
