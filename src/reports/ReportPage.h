#pragma once
// The page every report is drawn on: US Letter portrait with 12.7 mm margins,
// an empty title band of 8.5 mm and the detail band below it.  All lengths
// are millimetres from the paper's top-left corner.

#include <QPageLayout>
#include <QPointF>

class QPainter;

namespace quivra::reports {

inline constexpr double kPaperWidthMm = 215.9;
inline constexpr double kPaperHeightMm = 279.4;
inline constexpr double kMarginMm = 12.7;
inline constexpr double kTitleBandHeightMm = 8.5;
// Printable width between the side margins; the bands span all of it.
inline constexpr double kBandWidthMm = kPaperWidthMm - 2 * kMarginMm;
// Top-left corner of the detail band.
inline constexpr QPointF kDetailBandOrigin{kMarginMm, kMarginMm + kTitleBandHeightMm};

// US Letter portrait with the report margins.
QPageLayout letterPageLayout();

// Maps `painter` (active on a printer, PDF writer or image whose origin is
// the paper's top-left corner) so that one unit is one millimetre.  Returns
// false, leaving the painter as it was, when the device reports no
// resolution.
bool mapPainterToMillimetres(QPainter& painter);

}  // namespace quivra::reports
