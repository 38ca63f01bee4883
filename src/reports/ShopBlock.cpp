#include "ShopBlock.h"

#include "PageCanvas.h"
#include "ReportTexts.h"

namespace quivra::reports {

namespace {

constexpr double kShopBoxCentre = 95.8;
constexpr double kShopBoxWidth = 113.8;
constexpr double kTopRuleX1 = 13.5;
constexpr double kTopRuleX2 = 177.5;

constexpr TextStyle kShopNameStyle{14.0, true};
constexpr TextStyle kShopAddressStyle{11.0, false};
constexpr TextStyle kShopPhoneStyle{9.0, false};
constexpr TextStyle kDateStyle{10.0, false};

}  // namespace

void drawShopBlock(PageCanvas& canvas, const quivra::customers::ShopRecord& shop,
                   const QDateTime& printedAt) {
    const auto centred = [&](double top, const QString& text, const TextStyle& style) {
        canvas.text(kShopBoxCentre, top, HAlign::Centre, text, style, kShopBoxWidth);
    };
    centred(16.9, QString::fromStdString(shop.name), kShopNameStyle);
    centred(22.6, QString::fromStdString(shop.addr1), kShopAddressStyle);
    centred(27.3, cityLine(shop.city, shop.state, shop.zip, QStringLiteral(" ")),
            kShopAddressStyle);
    centred(31.8, shopPhoneLine(shop), kShopPhoneStyle);
    centred(36.0, printedDateTimeText(printedAt), kDateStyle);
    canvas.hRule(kShopBlockRuleY, kTopRuleX1, kTopRuleX2);
}

}  // namespace quivra::reports
