#include "BenchTicketCommand.h"

#include "ErrorHandler.h"
#include "ReportTexts.h"
#include "SetupHeader.h"
#include "ShopRecord.h"
#include "TBenchTicket.h"
#include "TicketCounter.h"

namespace quivra::app {

void openBenchTicket(QWidget* parent, const std::filesystem::path& dataDir,
                     const customers::CustomerBuild& build) {
    shell::guarded(parent, [&] {
        storage::Result<customers::ShopRecord> shop = customers::loadShopRecord(dataDir);
        if (!shop) throw shell::UserError(shop.status().message());
        reports::TicketData ticket;
        ticket.shop = shop.value();
        ticket.customer = build.customer;
        ticket.setupDate = build.setupDate;
        ticket.category = customers::recordHeader(build.codes).category;
        ticket.build = build.build;
        ticket.printedAt = reports::printTime();
        reports::openBenchTicket(parent, ticket,
                                 [dataDir] { return customers::nextTicketNumber(dataDir); });
    });
}

}  // namespace quivra::app
