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

// Gives a button its colour.  The colour goes on the button's face with a
// near-black caption: as a caption colour on the light face, the tan and the
// orange read too faint (1.8:1 and 2.6:1) and look disabled.
inline void setButtonFace(QWidget* button, int bgr) {
    QPalette p = button->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::Button, colourFromBgr(bgr));
        p.setColor(group, QPalette::ButtonText, QColor(0x1a, 0x1a, 0x1a));
    }
    button->setPalette(p);
}

}  // namespace quivra::customers
