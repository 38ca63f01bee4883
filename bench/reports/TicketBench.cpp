// The bench work ticket to a PDF file: the page drawn and the file written
// and closed, as "Save as PDF" of the ticket window does it.   goal < 200 ms
// Linked into quivra_reports_bench, whose main() sets up Qt without a display.

#include "BenchTicket.h"
#include "ReportOutput.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

quivra::reports::TicketData benchTicket() {
    quivra::reports::TicketData t;
    t.shop.name = "Cedar Point Archery";
    t.shop.addr1 = "12 Mill Road";
    t.shop.city = "Ashford";
    t.shop.state = "CT";
    t.shop.zip = "06278";
    t.customer.name = "Whitfield Ann";
    t.customer.addr1 = "7 Orchard Road";
    t.customer.city = "Mystic";
    t.customer.state = "CT";
    t.setupDate = "03/07/2026";
    t.category = "Hunting Shafts";
    t.number = 1042;
    t.printedAt = QDateTime(QDate(2026, 12, 8), QTime(14, 35));
    quivra::customers::SavedBuild& b = t.build;
    b.size = "340";
    b.models = "CH";
    b.spineIn = 0.34;
    b.grainsPerInch = 9.3;
    b.lengthIn = 28.75;
    b.pointGr = 100;
    b.insertGr = 15;
    b.nockGr = 9;
    b.fletchingGr = 15.5;
    b.totalGr = 406.9;
    b.focPercent = 11.48;
    b.speedFps = 303.9;
    b.spineCheck = "matches the chart";
    b.notes = "Blue wraps, left wing; cut from the point end.";
    return t;
}

void TicketToPdf(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ticket.pdf"));
    const quivra::reports::TicketData ticket = benchTicket();
    for (auto _ : state) {
        if (!quivra::reports::writeBenchTicketPdf(path, ticket)) {
            state.SkipWithError("the ticket could not be written");
            return;
        }
    }
}
BENCHMARK(TicketToPdf)->Unit(benchmark::kMillisecond);

}  // namespace
