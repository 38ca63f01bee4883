#pragma once
// PageCanvas: draws report items on a QPainter whose user space is the paper
// in millimetres (1 unit = 1 mm, origin at the paper's top-left corner; see
// mapPainterToMillimetres()).
//
// Text placement: a text item is a box whose top-left corner is at the given
// position.  The box is as high as the font's ascent plus descent; the
// baseline lies at top + ascent.  Horizontally the box starts at x (Left),
// ends at x (Right) or is centred on x (Centre).  Font sizes are typographic
// points (1 pt = 25.4/72 mm) whatever the device.
//
// Text is shaped with the device's own resolution rather than in the scaled
// millimetre space, so glyph metrics stay exact on printers, PDF files and
// images alike.

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>

class QPainter;

namespace quivra::reports {

struct TextStyle {
    double pointSize = 10.0;
    bool bold = false;
    QRgb colour = qRgb(0, 0, 0);
};

enum class HAlign { Left, Centre, Right };

class PageCanvas {
public:
    // `painter` must be active and mapped to millimetres; it must outlive this.
    explicit PageCanvas(QPainter& painter);
    PageCanvas(const PageCanvas&) = delete;
    PageCanvas& operator=(const PageCanvas&) = delete;

    // Positions passed to the drawing calls are relative to this point
    // (millimetres from the paper's top-left corner): the top-left corner of
    // the band being drawn.
    void setOrigin(QPointF originMm) { m_origin = originMm; }

    // Draws a one-line text box with its top at `top`.  A text wider than
    // `maxWidth` (when > 0) is set in a smaller size so that it fits, down to
    // 6 pt, and cut short with an ellipsis if even that is too wide.  Leading
    // and trailing blanks are not printed.
    void text(double x, double top, HAlign align, const QString& text, const TextStyle& style,
              double maxWidth = 0.0);

    // Draws `text` word-wrapped inside `box`, from its top; lines that do not
    // fit in the box's height are left out and the last line shown ends in
    // an ellipsis.
    void wrappedText(const QRectF& box, const QString& text, const TextStyle& style);

    // Width and height of a one-line text box, in millimetres.
    [[nodiscard]] double textWidth(const QString& text, const TextStyle& style) const;
    [[nodiscard]] double textHeight(const TextStyle& style) const;

    // A horizontal rule at `y` from `x1` to `x2`, and a rectangle outline.
    void hRule(double y, double x1, double x2);
    void rectangle(const QRectF& box);

    // The report typeface: Arial (met by a metric-compatible substitute such
    // as Liberation Sans where Arial itself is not installed).
    static QFont reportFont(const TextStyle& style);

private:
    // Device units per millimetre of the current mapping.
    [[nodiscard]] double unitsPerMm() const;
    // `style` as a font sized for drawing in device units.
    [[nodiscard]] QFont deviceFont(const TextStyle& style) const;

    QPainter& m_painter;
    QPointF m_origin;
};

// Line width of rules and boxes, in millimetres.
inline constexpr double kRuleWidthMm = 0.3;

}  // namespace quivra::reports
