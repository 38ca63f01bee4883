// quivra-print-check OUT-DIR: prints through the program's own Print
// commands on the system's default printer, and writes beside each job the
// same page drawn straight into a PDF file by the program's Save as PDF.
//
//   1. the Hunting page's "Print" button of the main window (HPrintBtnClick);
//   2. "Print" of the retrieval window opened by "Get Setup", on a saved
//      customer (SpeedButton1Click).
//
// The windows work on a copy of the delivered data in OUT-DIR/data.  No
// message box may appear: one would mean that no printer was found or that
// a job failed.  scripts/ci-print.sh runs this against a private CUPS
// scheduler whose default queue writes PDF files, and compares the pictures.
// Exit status 0 when both jobs were handed to the printing system.

#include "CategoryPage.h"
#include "ErrorHandler.h"
#include "MessageBox.h"
#include "ModalPattern.h"
#include "ReportCommandsTesting.h"
#include "SavedSetupStore.h"
#include "TArrowSel.h"
#include "TGetCust.h"

#include <QDateTime>
#include <QPrinterInfo>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <filesystem>
#include <iostream>

namespace {

namespace fs = std::filesystem;
using namespace quivra;

// Both drawings of a page print the time to the minute and the date: start
// well inside a minute so that a job and its direct drawing show the same.
void waitForFreshMinute() {
    while (QTime::currentTime().second() >= 45) QThread::msleep(200);
}

int failWith(const std::string& message) {
    std::cerr << "quivra-print-check: " << message << '\n';
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    shell::QuivraApplication app(argc, argv);
    if (argc != 2) return failWith("usage: quivra-print-check OUT-DIR");
    const fs::path out = fs::absolute(argv[1]);
    const fs::path data = out / "data";
    std::error_code ec;
    fs::remove_all(data, ec);
    fs::copy(QUIVRA_PRINT_DATA_DIR, data, fs::copy_options::recursive, ec);
    if (ec) return failWith("cannot copy the delivered data: " + ec.message());

    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (printer.isNull()) return failWith("the system has no default printer");
    std::cout << "Default printer: " << printer.printerName().toStdString() << '\n';

    {
        customers::SavedSetupStore store(data);
        customers::CustomerAddress ada;
        ada.name = "Ada Archer";
        ada.addr1 = "1 Bow Lane";
        ada.city = "Fairview";
        ada.state = "WA";
        ada.comments = "Prefers a heavier point";
        const customers::SetupCodes codes{"0", "62", "29", "125", "0", "1", "0", "0", "0"};
        storage::Status s = store.open();
        if (s) s = store.appendSetup(ada, codes, std::chrono::year{2026} / 12 / 8).status;
        if (!s) return failWith(s.message());
    }

    shell::MessageBox::setAutoAnswer(true);  // a box would be a failure; never wait on one
    app::TArrowSel window(data);
    window.show();
    QCoreApplication::processEvents();

    waitForFreshMinute();
    window.setActivePage(selection::Page::Hunt);
    window.page(selection::Page::Hunt)->printButton()->click();
    reports::testing::setNextSaveFileName(
        QString::fromStdString((out / "hunting-direct.pdf").string()));
    window.SaveReportPdfClick();

    bool retrievalShown = false;
    shell::setDialogObserver([&](QDialog* dialog) {
        auto* retrieval = qobject_cast<customers::TGetCust*>(dialog);
        if (retrieval == nullptr) return;
        retrievalShown = true;
        QTimer::singleShot(0, retrieval, [retrieval, &out] {
            waitForFreshMinute();
            retrieval->SpeedButton1Click();
            reports::testing::setNextSaveFileName(
                QString::fromStdString((out / "customer-direct.pdf").string()));
            retrieval->SavePdfBtnClick();
            retrieval->ExitBtnClick();
        });
    });
    window.SpeedButton3Click();
    shell::setDialogObserver({});

    if (!retrievalShown) return failWith("Get Setup did not open the retrieval window");
    const QStringList boxes = shell::MessageBox::shownTexts();
    if (!boxes.isEmpty())
        return failWith("a message box appeared: " + boxes.join(" | ").toStdString());
    for (const char* file : {"hunting-direct.pdf", "customer-direct.pdf"}) {
        if (!fs::exists(out / file)) return failWith(std::string(file) + " was not written");
    }
    std::cout << "Printed the Hunting report and the customer record of Ada Archer\n";
    return 0;
}
