#include "CategoryReport.h"

#include "PageCanvas.h"
#include "ReportPage.h"
#include "ReportTexts.h"
#include "SetupTexts.h"
#include "ShopBlock.h"

#include <QPainter>

#include <array>
#include <vector>

// Geometry of the four category pages, in millimetres from the top-left
// corner of the detail band.  The shop block, the set-up heading and the
// comment box's shape are the same on every page; the set-up rows, the grid
// and the comment box's height on the page differ.

namespace quivra::reports {

namespace {

using quivra::core::Page;

struct ColumnHead {
    const char* text;
    double x;
    HAlign align;
};

struct GridRow {
    int slot;  // 1-based
    double top;
};

struct GridHeading {
    QString text;
    double top;
};

struct CategoryLayout {
    std::vector<double> leftSetupTops;
    std::vector<double> rightSetupTops;
    GridHeading grid;
    double columnHeadTop = 0;
    std::array<ColumnHead, 4> heads{};
    double ruleY = 0;
    double ruleX1 = 0;
    double ruleX2 = 0;
    std::array<double, 4> cellCentres{};
    std::vector<GridHeading> sectionHeadings;  // headings between rows
    std::vector<GridRow> rows;
    double commentTop = 0;
};

// Shared by every category page.
constexpr double kBandCentre = kBandWidthMm / 2.0;
constexpr double kSetupHeadingTop = 54.2;
constexpr double kLeftCaptionRight = 62.7;
constexpr double kLeftValueLeft = 64.3;
constexpr double kRightCaptionRight = 139.7;
constexpr double kRightValueLeft = 141.3;
constexpr double kCommentBoxLeft = 25.4;
constexpr double kCommentBoxWidth = 139.2;
constexpr double kCommentBoxHeight = 17.2;
constexpr double kCommentTextDrop = 5.0;
// A cell text wider than this is set smaller so that it keeps clear of the
// neighbouring column (the columns stand about 27 mm apart).
constexpr double kCellMaxWidth = 26.0;
constexpr double kHuntingPitch = 6.35;

constexpr TextStyle kHeadingStyle{12.0, false};
constexpr TextStyle kSetupStyle{10.0, true};
constexpr TextStyle kColumnHeadStyle{10.0, false};
constexpr TextStyle kCellStyle{11.0, true};
constexpr TextStyle kCommentStyle{10.0, false};

constexpr std::array<ColumnHead, 4> kHuntingHeads{{{"Size", 51.3, HAlign::Left},
                                                   {"Spine Value", 72.8, HAlign::Left},
                                                   {"Models", 104.2, HAlign::Left},
                                                   {"Weight", 130.2, HAlign::Left}}};
constexpr std::array<double, 4> kHuntingCells{55.2, 82.9, 109.9, 137.2};

std::vector<double> evenly(double first, double pitch, int count) {
    std::vector<double> tops;
    tops.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) tops.push_back(first + i * pitch);
    return tops;
}

std::vector<GridRow> rowsFrom(int firstSlot, const std::vector<double>& tops) {
    std::vector<GridRow> rows;
    rows.reserve(tops.size());
    for (std::size_t i = 0; i < tops.size(); ++i) {
        rows.push_back({firstSlot + static_cast<int>(i), tops[i]});
    }
    return rows;
}

CategoryLayout huntingLayout() {
    CategoryLayout l;
    l.leftSetupTops = {65.4, 71.7, 78.1, 84.4};
    l.rightSetupTops = l.leftSetupTops;
    l.grid = {QStringLiteral("2012 Hunting Shafts"), 93.4};
    l.columnHeadTop = 100.0;
    l.heads = kHuntingHeads;
    l.ruleY = 104.8;
    l.ruleX1 = 26.2;
    l.ruleX2 = 162.2;
    l.cellCentres = kHuntingCells;
    // Slot 10 is a real recommendation: it takes the row under slot 9 and
    // the carbon section moves down by one row pitch to make room.
    l.rows = rowsFrom(1, evenly(109.0, kHuntingPitch, 10));
    l.sectionHeadings = {{QStringLiteral("Carbon Shafts"), 167.5 + kHuntingPitch}};
    std::vector<double> carbon{173.8, 180.4, 186.8, 193.1, 199.5, 205.6};
    for (double& top : carbon) top += kHuntingPitch;
    const std::vector<GridRow> carbonRows = rowsFrom(11, carbon);
    l.rows.insert(l.rows.end(), carbonRows.begin(), carbonRows.end());
    l.commentTop = 224.4;
    return l;
}

CategoryLayout targetLayout() {
    CategoryLayout l;
    l.leftSetupTops = evenly(64.3, 5.6, 4);
    l.rightSetupTops = evenly(62.7, 5.6, 4);
    l.grid = {QStringLiteral("2012 Target Shafts"), 92.6};
    l.columnHeadTop = 100.0;
    l.heads = {{{"Size", 47.4, HAlign::Left},
                {"Spine Value", 72.5, HAlign::Left},
                {"Models", 100.8, HAlign::Left},
                {"Weight", 128.3, HAlign::Left}}};
    l.ruleY = 104.8;
    l.ruleX1 = 26.2;
    l.ruleX2 = 162.2;
    // The cells keep the hunting page's offsets from their column heads.
    l.cellCentres = {51.3, 82.6, 106.5, 135.3};
    l.rows = rowsFrom(1, evenly(108.7, 7.2, 14));
    l.commentTop = 211.7;
    return l;
}

CategoryLayout youthLayout() {
    CategoryLayout l;
    l.leftSetupTops = {64.3, 70.1};
    l.grid = {QStringLiteral("2012 Youth Shafts"), 78.3};
    l.columnHeadTop = 91.5;
    l.heads = kHuntingHeads;
    l.ruleY = 96.3;
    l.ruleX1 = 0.0;
    l.ruleX2 = kBandWidthMm;
    l.cellCentres = kHuntingCells;
    l.rows = rowsFrom(1, evenly(100.5, kHuntingPitch, 8));
    l.commentTop = 211.7;
    return l;
}

CategoryLayout kestraLayout() {
    CategoryLayout l = youthLayout();
    l.rightSetupTops = {62.7, 68.3};
    l.grid = {QStringLiteral("2012 Kestra Shafts"), 78.3};
    // The short "Spine" head stands centred over its column.
    l.heads[1] = {"Spine", kHuntingCells[1], HAlign::Centre};
    l.rows = rowsFrom(1, evenly(103.2, 7.4, 6));
    return l;
}

CategoryLayout layoutFor(Page page) {
    switch (page) {
        case Page::Hunt:
            return huntingLayout();
        case Page::Targ:
            return targetLayout();
        case Page::Youth:
            return youthLayout();
        case Page::Kstr:
            return kestraLayout();
    }
    return huntingLayout();
}

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

void drawSetupColumn(PageCanvas& canvas, const std::vector<SetupLine>& lines,
                     const std::vector<double>& tops, double captionRight, double valueLeft) {
    for (std::size_t i = 0; i < lines.size() && i < tops.size(); ++i) {
        canvas.text(captionRight, tops[i], HAlign::Right, lines[i].caption, kSetupStyle);
        canvas.text(valueLeft, tops[i], HAlign::Left, lines[i].value, kSetupStyle);
    }
}

void drawGrid(PageCanvas& canvas, const CategoryLayout& layout, const CategoryReportData& data) {
    canvas.text(kBandCentre, layout.grid.top, HAlign::Centre, layout.grid.text, kHeadingStyle);
    for (const ColumnHead& head : layout.heads) {
        canvas.text(head.x, layout.columnHeadTop, head.align, QString::fromLatin1(head.text),
                    kColumnHeadStyle);
    }
    canvas.hRule(layout.ruleY, layout.ruleX1, layout.ruleX2);
    for (const GridHeading& heading : layout.sectionHeadings) {
        canvas.text(kBandCentre, heading.top, HAlign::Centre, heading.text, kHeadingStyle);
    }
    for (const GridRow& row : layout.rows) {
        const auto index = static_cast<std::size_t>(row.slot - 1);
        if (index >= data.grid.size()) continue;  // never filled: a blank row
        const auto& slot = data.grid[index];
        const std::array<QString, 4> cells{
            q(slot.size.caption), q(slot.spine.caption), q(slot.models.caption),
            printedWeightCaption(data.page, row.slot, q(slot.weight.caption))};
        for (std::size_t c = 0; c < cells.size(); ++c) {
            canvas.text(layout.cellCentres[c], row.top, HAlign::Centre, cells[c], kCellStyle,
                        kCellMaxWidth);
        }
    }
}

void drawCommentBox(PageCanvas& canvas, double top, const quivra::customers::ShopRecord& shop) {
    const QRectF box(kCommentBoxLeft, top, kCommentBoxWidth, kCommentBoxHeight);
    canvas.rectangle(box);
    canvas.text(box.center().x(), top + kCommentTextDrop, HAlign::Centre, q(shop.comments),
                kCommentStyle, kCommentBoxWidth - 4.0);
}

}  // namespace

QString categoryReportTitle(Page page) {
    switch (page) {
        case Page::Hunt:
            return QStringLiteral("Hunting Setup Report");
        case Page::Targ:
            return QStringLiteral("Target Setup Report");
        case Page::Youth:
            return QStringLiteral("Youth Setup Report");
        case Page::Kstr:
            return QStringLiteral("Kestra Setup Report");
    }
    return {};
}

void drawCategoryReport(QPainter& painter, const CategoryReportData& data) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const CategoryLayout layout = layoutFor(data.page);
    PageCanvas canvas(painter);
    canvas.setOrigin(kDetailBandOrigin);

    drawShopBlock(canvas, data.shop, data.printedAt);
    canvas.text(kBandCentre, kSetupHeadingTop, HAlign::Centre,
                QStringLiteral("Equipment Setup Variables"), kHeadingStyle);
    const SetupBlock setup = setupBlock(data);
    drawSetupColumn(canvas, setup.left, layout.leftSetupTops, kLeftCaptionRight, kLeftValueLeft);
    drawSetupColumn(canvas, setup.right, layout.rightSetupTops, kRightCaptionRight,
                    kRightValueLeft);
    drawGrid(canvas, layout, data);
    drawCommentBox(canvas, layout.commentTop, data.shop);
    painter.restore();
}

}  // namespace quivra::reports
