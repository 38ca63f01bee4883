#include "BenchTicketCommand.h"

#include "CustomerBase.h"
#include "CustomerCommands.h"
#include "ErrorHandler.h"
#include "ReportTexts.h"
#include "SetupCodes.h"
#include "SetupHeader.h"
#include "ShopRecord.h"
#include "TArrowSel.h"
#include "TBenchTicket.h"

namespace quivra::app {

customers::ShopRecord shopRecordOrThrow(const std::filesystem::path& dataDir) {
    storage::Result<customers::ShopRecord> shop = customers::loadShopRecord(dataDir);
    if (!shop) throw shell::UserError(shop.status().message());
    return shop.value();
}

void openBenchTicket(QWidget* parent, const std::filesystem::path& dataDir,
                     const customers::CustomerBuild& build) {
    shell::guarded(parent, [&] {
        reports::TicketData ticket;
        ticket.shop = shopRecordOrThrow(dataDir);
        ticket.customer = build.customer;
        ticket.setupDate = build.setupDate;
        ticket.category = customers::recordHeader(build.codes).category;
        ticket.build = build.build;
        ticket.printedAt = reports::printTime();
        reports::openBenchTicket(parent, ticket, [dataDir] {
            return chain::CustomerBase::of(dataDir).nextTicketNumber();
        });
    });
}

buildsheet::SheetCommands buildSheetCommands(const TArrowSel& main,
                                             std::optional<customers::CustomerBuild> customer) {
    buildsheet::SheetCommands commands;
    const TArrowSel* m = &main;
    commands.saveToCustomer = [m](QWidget* parent, const customers::SavedBuild& build) {
        customers::saveSetup(parent, m->currentInputs(), m->searchedPage(), m->dataDir(), build);
    };
    commands.ticket = [m, customer = std::move(customer)](QWidget* parent,
                                                          const customers::SavedBuild& build) {
        customers::CustomerBuild ticket;
        if (customer) {
            ticket = *customer;
        } else {
            ticket.codes = customers::encodeSetup(m->currentInputs(), m->searchedPage());
        }
        ticket.build = build;
        openBenchTicket(parent, m->dataDir(), ticket);
    };
    return commands;
}

}  // namespace quivra::app
