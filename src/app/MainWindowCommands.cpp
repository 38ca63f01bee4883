// The main window's commands: the main menu, the command rows of the pages
// and the routing of each command to the window or service that does the
// work.  Every dialog follows the modal pattern (a new window each time,
// destroyed when closed); failures are shown by the general error handler.
//
// A command whose window is not part of this build is shown disabled with a
// hint saying so, never left silently dead.

#include "CarbonPanel.h"
#include "CategoryPage.h"
#include "ErrorHandler.h"
#include "InfoWindows.h"
#include "InputsPanel.h"
#include "MessageBox.h"
#include "TArrowSel.h"

#include <QAction>
#include <QActionGroup>
#include <QDateTime>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>

#if QUIVRA_HAVE_DETAILS_UI
#include "ShaftDetails.h"
#endif
#if QUIVRA_HAVE_CALCULATORS_UI
#include "CalculatorWindows.h"
#endif
#if QUIVRA_HAVE_CUSTOMERS_UI
#include "CustomerCommands.h"
#endif
#if QUIVRA_HAVE_REPORTS_UI
#include "ReportCommands.h"
#endif
#if QUIVRA_HAVE_CUSTOMERS_UI || QUIVRA_HAVE_REPORTS_UI
#include "ShopRecord.h"
#endif

namespace quivra::app {

using selection::Page;

namespace {

constexpr bool kHaveCalculators = QUIVRA_HAVE_CALCULATORS_UI;
constexpr bool kHaveCustomers = QUIVRA_HAVE_CUSTOMERS_UI;
constexpr bool kHaveReports = QUIVRA_HAVE_REPORTS_UI;

const QString kUnavailable = QStringLiteral("Not available in this version");

// Shows a command the build cannot run as unavailable.
void markUnavailable(QWidget* control) {
    control->setEnabled(false);
    const QString hint = control->toolTip();
    control->setToolTip(hint.isEmpty() ? kUnavailable
                                       : hint + QStringLiteral(" (") + kUnavailable.toLower() +
                                             QLatin1Char(')'));
}

void markUnavailable(QAction* action) {
    action->setEnabled(false);
    action->setToolTip(kUnavailable);
    action->setStatusTip(kUnavailable);
}

}  // namespace

void TArrowSel::buildMenus() {
    QMenuBar* bar = menuBar();
    auto add = [this](QMenu* menu, const QString& text, const char* handler, bool available,
                      void (TArrowSel::*slot)()) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QString::fromLatin1(handler));
        if (available) {
            connect(action, &QAction::triggered, this, slot);
        } else {
            markUnavailable(action);
        }
        return action;
    };

    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("File1"));
    add(file, QStringLiteral("&Get Setup"), "SpeedButton3Click", kHaveCustomers,
        &TArrowSel::SpeedButton3Click);
    add(file, QStringLiteral("&Save Setup"), "HSaveBtnClick", kHaveCustomers,
        &TArrowSel::HSaveBtnClick);
    file->addSeparator();
    add(file, QStringLiteral("S&hop Information"), "ShopInformation1Click", kHaveCustomers,
        &TArrowSel::ShopInformation1Click);
    file->addSeparator();
    add(file, QStringLiteral("E&xit"), "ExitBtn1Click", true, &TArrowSel::ExitBtn1Click);

    QMenu* utilities = bar->addMenu(QStringLiteral("&Utilities"));
    utilities->setObjectName(QStringLiteral("Utilities1"));
    add(utilities, QStringLiteral("&Kinetic Energy/F.O.C. Calculator"), "KECalcBtnClick",
        kHaveCalculators, &TArrowSel::KECalcBtnClick);
    QAction* tuning = add(utilities, QStringLiteral("&Tuning Information"), "Contents1Click", true,
                          &TArrowSel::Contents1Click);
    // A radio-style item: drawn with a radio indicator, never left checked.
    auto* radioStyle = new QActionGroup(this);
    radioStyle->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    tuning->setCheckable(true);
    radioStyle->addAction(tuning);
    connect(tuning, &QAction::triggered, tuning, [tuning] { tuning->setChecked(false); });
    utilities->addSeparator();
    add(utilities, QStringLiteral("&Export Customer Database"), "ExportCustomerDatabase1Click",
        kHaveCustomers, &TArrowSel::ExportCustomerDatabase1Click);
    utilities->addSeparator();
    add(utilities, QStringLiteral("T&rajectory Table"), "TrajectBtnClick", kHaveCalculators,
        &TArrowSel::TrajectBtnClick);
    add(utilities, QStringLiteral("Open Tuning Guide (&PDF)"), "TuningGuidePdfClick", true,
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
    auto bind = [this](QPushButton* button, Slot slot, bool available) {
        if (available) {
            connect(button, &QPushButton::clicked, this, slot);
        } else {
            markUnavailable(button);
        }
    };
    for (CategoryPage* p : m_pages) {
        bind(p->printButton(), print[static_cast<std::size_t>(p->page())], kHaveReports);
        bind(p->saveButton(), &TArrowSel::HSaveBtnClick, kHaveCustomers);
        bind(p->getButton(), &TArrowSel::SpeedButton3Click, kHaveCustomers);
        bind(p->exitButton(), &TArrowSel::ExitBtn1Click, true);
        bind(p->modelsButton(), &TArrowSel::ModelsClick, true);
        bind(p->yearButton(), &TArrowSel::ModelsClick, true);
        bind(p->calculatorButton(), &TArrowSel::KECalcBtnClick, kHaveCalculators);
    }
}

void TArrowSel::ExitBtn1Click() {
    close();
}

void TArrowSel::SpeedButton3Click() {
#if QUIVRA_HAVE_CUSTOMERS_UI
    customers::PrintCustomerFn print;
#if QUIVRA_HAVE_REPORTS_UI
    print = [dir = m_dataDir](QWidget* parent, const customers::CustomerRecordView& view) {
        storage::Result<customers::ShopRecord> shop = customers::loadShopRecord(dir);
        if (!shop) {
            shell::showError(parent, QString::fromStdString(shop.status().message()));
            return;
        }
        reports::printCustomerRecord(parent, view, shop.value());
    };
#endif
    const std::optional<customers::RestoredSetup> restored =
        customers::getSetup(this, m_dataDir, print);
    if (!restored) return;
    // Apply the whole set-up, then search once: intermediate mixes of old and
    // restored values could raise invalid-selection messages of their own.
    selection::SelectionInputs in = currentInputs();
    const customers::RestoredSetup& r = *restored;
    if (r.page) in.page = *r.page;
    auto take = [](auto& target, const auto& value) {
        if (value) target = *value;
    };
    take(in.bowWeight, r.bowWeight);
    take(in.arrowLength, r.arrowLength);
    take(in.pointWeight, r.pointWeight);
    take(in.youthBowWeight, r.youthBowWeight);
    take(in.youthArrowLength, r.youthArrowLength);
    take(in.bowType, r.bowType);
    take(in.targBowType, r.targBowType);
    take(in.wheelType, r.wheelType);
    take(in.releaseType, r.releaseType);
    take(in.braceHt, r.braceHt);
    take(in.overDraw, r.overDraw);
    {
        const QSignalBlocker block(m_notebook);
        m_notebook->setCurrentIndex(static_cast<int>(in.page));
    }
    m_inputs->writeAllQuietly(in);
    FindRec();
#endif
}

void TArrowSel::HSaveBtnClick() {
#if QUIVRA_HAVE_CUSTOMERS_UI
    customers::saveSetup(this, currentInputs(), pageKey(), m_dataDir);
#endif
}

void TArrowSel::ShopInformation1Click() {
#if QUIVRA_HAVE_CUSTOMERS_UI
    customers::editShopInformation(this, m_dataDir);
#endif
}

void TArrowSel::ExportCustomerDatabase1Click() {
#if QUIVRA_HAVE_CUSTOMERS_UI
    customers::exportCustomerDatabase(this, m_dataDir);
#endif
}

void TArrowSel::printActivePage([[maybe_unused]] Page p) {
#if QUIVRA_HAVE_REPORTS_UI
    storage::Result<customers::ShopRecord> shop = customers::loadShopRecord(m_dataDir);
    if (!shop) {
        shell::showError(this, QString::fromStdString(shop.status().message()));
        return;
    }
    reports::CategoryReportData report;
    report.page = p;
    report.inputs = currentInputs();
    report.grid = m_engine->current().grid(p);
    report.shop = shop.value();
    report.printedAt = QDateTime::currentDateTime();
    reports::printCategoryReport(this, report);
#endif
}

void TArrowSel::HPrintBtnClick() {
    printActivePage(Page::Hunt);
}
void TArrowSel::TPrintBtnClick() {
    printActivePage(Page::Targ);
}
void TArrowSel::SpeedButton9Click() {
    printActivePage(Page::Youth);
}
void TArrowSel::KstrPrintBtnClick() {
    printActivePage(Page::Kstr);
}

void TArrowSel::KECalcBtnClick() {
#if QUIVRA_HAVE_CALCULATORS_UI
    calculators::openKECalculator(this, m_dataDir);
#endif
}

void TArrowSel::TrajectBtnClick() {
#if QUIVRA_HAVE_CALCULATORS_UI
    calculators::openTrajectory(this, m_dataDir);
#endif
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
    info::openModelGuide(this, pageKey(), m_dataDir);
}

void TArrowSel::requestDetails(const SlotButton& sizeButton) {
    const Page p = sizeButton.page();
    const int slot = sizeButton.slot();
    storage::Result<std::string> suffix = m_engine->specKeySuffix(p, slot);
    if (!suffix) throw shell::UserError(suffix.status().message());
    const SlotButton* models = page(p)->slotButton(slot, SlotColumn::Models);
    m_request.sizeCaption = sizeButton.caption();
    m_request.specKey = m_request.sizeCaption + QString::fromStdString(suffix.value());
    m_request.modelsCaption = models ? models->caption() : QString();
#if QUIVRA_HAVE_DETAILS_UI
    details::DetailRequest request;
    request.specKey = m_request.specKey;
    request.sizeCaption = m_request.sizeCaption;
    request.modelsCaption = m_request.modelsCaption;
    request.pageKey = pageKey();
    request.arrowLengthText = m_inputs->arrowLength()->text();
    request.youthArrowLengthText = m_inputs->youthArrowLength()->text();
    request.pointWeightText = m_inputs->pointWeight()->text();
    request.dataDir = m_dataDir;
    details::openShaftDetails(this, request);
#else
    shell::MessageBox::information(
        this, QStringLiteral("The arrow weight calculator is not available in this version."));
#endif
}

}  // namespace quivra::app
