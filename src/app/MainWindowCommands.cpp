// The main window's commands: the main menu, the command rows of the pages
// and the routing of each command to the window or service that does the
// work.  Every dialog follows the modal pattern (a new window each time,
// destroyed when closed) inside the entry point it is opened by; failures
// are shown by the general error handler and the program goes on.

#include "BenchTicketCommand.h"
#include "BuildSheetWindow.h"
#include "BuilderRequest.h"
#include "CalculatorWindows.h"
#include "CategoryPage.h"
#include "CustomerCommands.h"
#include "ErrorHandler.h"
#include "InfoWindows.h"
#include "InputsPanel.h"
#include "ReportCommands.h"
#include "ShaftDetails.h"
#include "ShopRecord.h"
#include "TArrowSel.h"

#include <QAction>
#include <QActionGroup>
#include <QDateTime>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>

namespace quivra::app {

using core::Page;

namespace {

// The inputs of `current` with what `restored` brings back.
selection::SelectionInputs merged(selection::SelectionInputs in,
                                  const customers::RestoredSetup& restored) {
    const auto take = [](auto& target, const auto& value) {
        if (value) target = *value;
    };
    take(in.page, restored.page);
    take(in.bowWeight, restored.bowWeight);
    take(in.arrowLength, restored.arrowLength);
    take(in.pointWeight, restored.pointWeight);
    take(in.youthBowWeight, restored.youthBowWeight);
    take(in.youthArrowLength, restored.youthArrowLength);
    take(in.bowType, restored.bowType);
    take(in.targBowType, restored.targBowType);
    take(in.wheelType, restored.wheelType);
    take(in.huntCamType, restored.huntCamType);
    take(in.releaseType, restored.releaseType);
    take(in.braceHt, restored.braceHt);
    take(in.overDraw, restored.overDraw);
    return in;
}

}  // namespace

void TArrowSel::buildMenus() {
    QMenuBar* bar = menuBar();
    const auto add = [this](QMenu* menu, const QString& text, const char* handler,
                            void (TArrowSel::*slot)()) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QString::fromLatin1(handler));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };

    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("File1"));
    add(file, QStringLiteral("&Get Setup"), "SpeedButton3Click", &TArrowSel::SpeedButton3Click);
    add(file, QStringLiteral("&Save Setup"), "HSaveBtnClick", &TArrowSel::HSaveBtnClick);
    file->addSeparator();
    add(file, QStringLiteral("S&hop Information"), "ShopInformation1Click",
        &TArrowSel::ShopInformation1Click);
    // A shop e-mails set-ups: the active page's report as a PDF file.
    add(file, QStringLiteral("Save Report as P&DF..."), "SaveReportPdfClick",
        &TArrowSel::SaveReportPdfClick);
    add(file, QStringLiteral("Print Pre&view..."), "PrintPreviewClick",
        &TArrowSel::PrintPreviewClick);
    file->addSeparator();
    add(file, QStringLiteral("E&xit"), "ExitBtn1Click", &TArrowSel::ExitBtn1Click);

    QMenu* utilities = bar->addMenu(QStringLiteral("&Utilities"));
    utilities->setObjectName(QStringLiteral("Utilities1"));
    add(utilities, QStringLiteral("&Kinetic Energy/F.O.C. Calculator"), "KECalcBtnClick",
        &TArrowSel::KECalcBtnClick);
    add(utilities, QStringLiteral("Arrow &Build Sheet..."), "BuildSheetClick",
        &TArrowSel::BuildSheetClick);
    QAction* tuning = add(utilities, QStringLiteral("&Tuning Information"), "Contents1Click",
                          &TArrowSel::Contents1Click);
    // A radio-style item: drawn with a radio indicator, never left checked.
    auto* radioStyle = new QActionGroup(this);
    radioStyle->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    tuning->setCheckable(true);
    radioStyle->addAction(tuning);
    connect(tuning, &QAction::triggered, tuning, [tuning] { tuning->setChecked(false); });
    utilities->addSeparator();
    add(utilities, QStringLiteral("&Export Customer Database"), "ExportCustomerDatabase1Click",
        &TArrowSel::ExportCustomerDatabase1Click);
    // Two commands that no button of the window offers: the menu is their only way in.
    utilities->addSeparator();
    add(utilities, QStringLiteral("T&rajectory Table"), "TrajectBtnClick",
        &TArrowSel::TrajectBtnClick);
    add(utilities, QStringLiteral("Open Tuning Guide (&PDF)"), "TuningGuidePdfClick",
        &TArrowSel::TuningGuidePdfClick);

    QAction* about = bar->addAction(QStringLiteral("&About"));
    about->setObjectName(QStringLiteral("About1Click"));
    connect(about, &QAction::triggered, this, &TArrowSel::About1Click);
}

QAction* TArrowSel::menuAction(const QString& handler) const {
    return menuBar()->findChild<QAction*>(handler);
}

void TArrowSel::bindCommands() {
    using Slot = void (TArrowSel::*)();
    const std::array<Slot, 4> print{&TArrowSel::HPrintBtnClick, &TArrowSel::TPrintBtnClick,
                                    &TArrowSel::SpeedButton9Click, &TArrowSel::KstrPrintBtnClick};
    for (CategoryPage* p : m_pages) {
        connect(p->printButton(), &QPushButton::clicked, this,
                print[static_cast<std::size_t>(p->page())]);
        connect(p->saveButton(), &QPushButton::clicked, this, &TArrowSel::HSaveBtnClick);
        connect(p->getButton(), &QPushButton::clicked, this, &TArrowSel::SpeedButton3Click);
        connect(p->exitButton(), &QPushButton::clicked, this, &TArrowSel::ExitBtn1Click);
        connect(p->modelsButton(), &QPushButton::clicked, this, &TArrowSel::ModelsClick);
        connect(p->yearButton(), &QPushButton::clicked, this, &TArrowSel::ModelsClick);
        connect(p->calculatorButton(), &QPushButton::clicked, this, &TArrowSel::KECalcBtnClick);
    }
}

void TArrowSel::ExitBtn1Click() {
    close();
}

void TArrowSel::SpeedButton3Click() {
    shell::guarded(this, [this] {
        customers::RetrievalCommands commands;
        commands.print = [dir = m_dataDir](QWidget* parent,
                                           const customers::CustomerRecordView& view,
                                           customers::CustomerOutput output) {
            shell::guarded(parent, [&] {
                switch (output) {
                    case customers::CustomerOutput::PdfFile:
                        reports::saveCustomerRecordPdf(parent, view, shopRecordOrThrow(dir));
                        break;
                    case customers::CustomerOutput::Preview:
                        reports::previewCustomerRecord(parent, view, shopRecordOrThrow(dir));
                        break;
                    case customers::CustomerOutput::Printer:
                        reports::printCustomerRecord(parent, view, shopRecordOrThrow(dir));
                        break;
                }
            });
        };
        commands.ticket = [dir = m_dataDir](QWidget* parent,
                                            const customers::CustomerBuild& build) {
            openBenchTicket(parent, dir, build);
        };
        const std::optional<customers::Retrieved> retrieved =
            customers::retrieveSetup(this, m_dataDir, std::move(commands));
        if (!retrieved) return;
        restoreInputs(merged(currentInputs(), retrieved->setup));
        // The arrow of a re-order is the one a later Save Setup keeps with
        // the set-up; a set-up returned without one has no arrow chosen yet.
        m_build.reset();
        if (retrieved->reorder) {
            m_build = std::make_shared<const customers::SavedBuild>(retrieved->reorder->build);
            // The sheet opens on the saved build, ready for its ticket.
            buildsheet::SheetStart start = buildSheetStart(*this);
            start.saved = retrieved->reorder->build;
            buildsheet::openBuildSheet(this, start, m_dataDir,
                                       buildSheetCommands(*this, *retrieved->reorder));
        }
    });
}

void TArrowSel::restoreInputs(const selection::SelectionInputs& inputs) {
    // Everything is written first and searched once: a search per restored
    // value would run on mixes of old and restored values, which can raise
    // invalid-selection messages and resets the saved set-up never had.
    {
        const QSignalBlocker block(m_notebook);
        m_notebook->setCurrentIndex(static_cast<int>(inputs.page));
    }
    m_inputs->writeAllQuietly(inputs);
    FindRec();
}

void TArrowSel::HSaveBtnClick() {
    customers::saveSetup(this, currentInputs(), searchedPage(), m_dataDir,
                         m_build ? std::optional<customers::SavedBuild>(*m_build) : std::nullopt);
}

void TArrowSel::ShopInformation1Click() {
    customers::editShopInformation(this, m_dataDir);
}

void TArrowSel::ExportCustomerDatabase1Click() {
    customers::exportCustomerDatabase(this, m_dataDir);
}

reports::CategoryReportData TArrowSel::categoryReport(Page p) const {
    reports::CategoryReportData report;
    report.page = p;
    report.inputs = currentInputs();
    report.grid = m_engine->current().grid(p);
    report.shop = shopRecordOrThrow(m_dataDir);
    report.printedAt = reports::printTime();
    return report;
}

void TArrowSel::printCategory(Page p) {
    shell::guarded(this, [&] { reports::printCategoryReport(this, categoryReport(p)); });
}

void TArrowSel::PrintPreviewClick() {
    shell::guarded(this, [&] {
        const auto page = static_cast<Page>(m_notebook->currentIndex());
        reports::previewCategoryReport(this, categoryReport(page));
    });
}

void TArrowSel::SaveReportPdfClick() {
    shell::guarded(this, [&] {
        const auto page = static_cast<Page>(m_notebook->currentIndex());
        reports::saveCategoryReportPdf(this, categoryReport(page));
    });
}

void TArrowSel::HPrintBtnClick() {
    printCategory(Page::Hunt);
}
void TArrowSel::TPrintBtnClick() {
    printCategory(Page::Targ);
}
void TArrowSel::SpeedButton9Click() {
    printCategory(Page::Youth);
}
void TArrowSel::KstrPrintBtnClick() {
    printCategory(Page::Kstr);
}

void TArrowSel::KECalcBtnClick() {
    calculators::openKECalculator(this, m_dataDir);
}
void TArrowSel::BuildSheetClick() {
    shell::guarded(this, [this] {
        buildsheet::openBuildSheet(this, buildSheetStart(*this), m_dataDir,
                                   buildSheetCommands(*this));
    });
}
void TArrowSel::TrajectBtnClick() {
    calculators::openTrajectory(this, m_dataDir);
}
void TArrowSel::Contents1Click() {
    info::showTuningInformation(this, m_dataDir);
}
void TArrowSel::TuningGuidePdfClick() {
    info::openTuningGuidePdf(this, m_dataDir);
}
void TArrowSel::About1Click() {
    info::openAbout(this, m_dataDir);
}
void TArrowSel::ModelsClick() {
    info::openModelGuide(this, searchedPage(), m_dataDir);
}

details::DetailRequest builderRequest(const TArrowSel& main, Page page, int slot) {
    // The search left the request of every slot in its outcome.
    core::Result<selection::DetailRequest> found =
        main.engine().current().detailRequest(page, slot);
    if (!found) throw shell::UserError(found.status().message());
    const selection::DetailRequest& r = found.value();

    details::DetailRequest request;
    request.specKey = QString::fromStdString(r.key);
    request.sizeCaption = QString::fromStdString(r.sizeCaption);
    request.modelsCaption = QString::fromStdString(r.modelsCaption);
    request.page = r.page;
    request.inputs = main.currentInputs();
    request.dataDir = main.dataDir();
    request.sheetCommands = buildSheetCommands(main);
    return request;
}

buildsheet::SheetStart buildSheetStart(const TArrowSel& main) {
    buildsheet::SheetStart start;
    start.inputs = main.currentInputs();
    start.slot = buildsheet::firstShaftSlot(main.engine().current(), start.inputs.page);
    return start;
}

void TArrowSel::requestDetails(const SlotButton& sizeButton) {
    const details::DetailRequest request =
        builderRequest(*this, sizeButton.page(), sizeButton.slot());
    m_request = m_engine->current().detailRequest(sizeButton.page(), sizeButton.slot()).value();
    details::openShaftDetails(this, request);
}

}  // namespace quivra::app
