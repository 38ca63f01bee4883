#pragma once
// The shop block at the head of the category reports and the build sheet:
// the shop's name, address, city line and telephone numbers centred over
// the page, the date and time of printing under them, and a rule below.

#include "ShopRecord.h"

#include <QDateTime>

namespace quivra::reports {

class PageCanvas;

// Drawn from the top-left corner of the detail band (the canvas' origin).
void drawShopBlock(PageCanvas& canvas, const quivra::customers::ShopRecord& shop,
                   const QDateTime& printedAt);

// Where the block ends: the rule under it, from the detail band's top.
inline constexpr double kShopBlockRuleY = 45.5;

}  // namespace quivra::reports
