#pragma once
// Test seam of the print commands: lets a test run them without a file
// dialog and without sending anything to a real printer.  Not for use by the
// program itself.

#include <QString>

namespace quivra::reports::testing {

// The next "Save as PDF" file dialog returns `path` at once without being
// shown; an empty path models Cancel.
void setNextSaveFileName(const QString& path);

// While on, the commands behave as on a machine without any printer.
void simulateNoPrinter(bool on);

// While `path` is not empty, printing goes into a PDF file at `path` instead
// of the default printer (the progress window is still shown).
void redirectPrinterToPdf(const QString& path);

// Back to normal behaviour.
void reset();

}  // namespace quivra::reports::testing
