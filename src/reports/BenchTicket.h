#pragma once
// The bench work ticket: one page that tells the bench how to build a
// customer's arrows (shaft, quantity, cut length, every part with its
// weight, the figures to weigh against) with boxes to tick as each step is
// done.  Drawn by one function for the printer, PDF files, images and the
// print preview alike.

#include "CustomerAddress.h"
#include "SavedBuild.h"
#include "ShopRecord.h"

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <string>

class QPainter;

namespace quivra::reports {

struct TicketData {
    quivra::customers::ShopRecord shop;
    quivra::customers::CustomerAddress customer;  // empty when the sheet has none
    std::string setupDate;                        // the set-up's DATE as stored, or ""
    std::string category;                         // "Hunting Shafts", or ""
    quivra::customers::SavedBuild build;
    std::uint32_t number = 0;  // 0 until a number has been taken
    QDateTime printedAt;
};

// Draws the ticket on one US Letter page.  `painter` must be active and
// mapped to millimetres from the paper's top-left corner
// (mapPainterToMillimetres()); its state is restored.
void drawBenchTicket(QPainter& painter, const TicketData& ticket);

// "Bench Work Ticket 1042 - Ann Archer"
QString benchTicketTitle(const TicketData& ticket);

}  // namespace quivra::reports
