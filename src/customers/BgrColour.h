#pragma once
// BgrColour: a colour stored as one number in blue-green-red order, a
// 24-bit value laid out as 0x00BBGGRR (blue in the high byte), as the
// customer windows' button colours are kept; colourFromBgr() turns it into
// a QColor.

#include <QColor>
#include <QPalette>
#include <QWidget>

namespace quivra::customers {

inline QColor colourFromBgr(int bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

inline constexpr int kSaveButtonColour = 2128885;      // orange, the save window's buttons
inline constexpr int kRetrieveButtonColour = 7780300;  // tan, the retrieval window's buttons

// Colours a button's caption.
inline void setCaptionColour(QWidget* button, int bgr) {
    QPalette p = button->palette();
    p.setColor(QPalette::ButtonText, colourFromBgr(bgr));
    button->setPalette(p);
}

}  // namespace quivra::customers
