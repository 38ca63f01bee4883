#include "ProgramWindows.h"

#include "BenchTicketCommand.h"
#include "BuilderRequest.h"
#include "TAboutBox.h"
#include "TAboutBox1.h"
#include "TArrowSel.h"
#include "TBenchTicket.h"
#include "TBuildSheet.h"
#include "TCustInfo.h"
#include "TGetCust.h"
#include "TKECalc2.h"
#include "TShopInf.h"
#include "TSpecsFrm.h"
#include "TSplashV.h"
#include "TTrajectory.h"
#include "TuningHelpWindow.h"

#include <QMessageBox>
#include <QRadioButton>

namespace quivra::app {

namespace {

template <class Window, class... Args>
std::unique_ptr<QWidget> made(Args&&... args) {
    return std::make_unique<Window>(std::forward<Args>(args)...);
}

}  // namespace

std::vector<ProgramWindow> programWindows() {
    using core::Page;
    // One line per window, in the order a clerk meets them.
    return {
        {QStringLiteral("SplashV"),
         [](TArrowSel& m) { return made<TSplashV>(m.dataDir() / "pictures" / "splash.jpg"); }},
        {QStringLiteral("ArrowSel"), [](TArrowSel& m) { return made<TArrowSel>(m.dataDir()); }},
        {QStringLiteral("SpecsFrm"),
         [](TArrowSel& m) {
             return made<details::TSpecsFrm>(builderRequest(m, Page::Hunt, 1), &m);
         }},
        {QStringLiteral("KECalc2"),
         [](TArrowSel& m) { return made<calculators::TKECalc2>(m.dataDir(), &m); }},
        {QStringLiteral("Trajectory"),
         [](TArrowSel& m) { return made<calculators::TTrajectory>(m.dataDir(), &m); }},
        {QStringLiteral("BuildSheet"),
         [](TArrowSel& m) {
             return made<buildsheet::TBuildSheet>(buildSheetStart(m), m.dataDir(),
                                                  buildSheetCommands(m), &m);
         }},
        {QStringLiteral("CustInfo"),
         [](TArrowSel& m) {
             return made<customers::TCustInfo>(m.currentInputs(), m.searchedPage(), m.dataDir(),
                                               &m);
         }},
        {QStringLiteral("GetCust"),
         [](TArrowSel& m) {
             return made<customers::TGetCust>(m.dataDir(), customers::PrintCustomerFn{}, nullptr,
                                              &m);
         }},
        {QStringLiteral("BenchTicket"),
         [](TArrowSel& m) {
             reports::TicketData ticket;
             ticket.customer.name = "Archer Ann";
             ticket.build.shaftKey = "340CH";
             ticket.build.size = "340";
             ticket.build.lengthIn = 29.0;
             return made<reports::TBenchTicket>(
                 ticket, [] { return storage::Result<std::uint32_t>(1U); }, &m);
         }},
        {QStringLiteral("ShopInf"),
         [](TArrowSel& m) { return made<customers::TShopInf>(m.dataDir(), &m); }},
        // The same window with the shared server chosen, so that the server's
        // fields are checked while they take input.
        {QStringLiteral("ShopInfServer"),
         [](TArrowSel& m) {
             auto shop = made<customers::TShopInf>(m.dataDir(), &m);
             if (auto* server = shop->findChild<QRadioButton*>(QStringLiteral("CustDbServer"))) {
                 server->setChecked(true);
             }
             return shop;
         }},
        {QStringLiteral("AboutBox1"),
         [](TArrowSel& m) { return made<info::TAboutBox1>(m.searchedPage(), m.dataDir(), &m); }},
        {QStringLiteral("AboutBox"),
         [](TArrowSel& m) { return made<info::TAboutBox>(m.dataDir(), &m); }},
        {QStringLiteral("TuningHelpWindow"),
         [](TArrowSel& m) { return made<info::TuningHelpWindow>(m.dataDir(), &m); }},
        // The notices every window shows (an invalid selection, an error).
        {QStringLiteral("MessageBox"),
         [](TArrowSel& m) {
             auto box = std::make_unique<QMessageBox>(
                 QMessageBox::Information, m.windowTitle(),
                 QStringLiteral("There are no records on file currently, use Save Setup first."),
                 QMessageBox::Ok, &m);
             box->setObjectName(QStringLiteral("MessageBox"));
             return std::unique_ptr<QWidget>(std::move(box));
         }},
    };
}

}  // namespace quivra::app
