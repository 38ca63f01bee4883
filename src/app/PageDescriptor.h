#pragma once
// PageDescriptor: what tells the four category pages of the notebook apart.
// One CategoryPage class serves all four.

#include "SelectionInputs.h"

#include <QString>

namespace quivra::app {

struct PageDescriptor {
    core::Page page;
    QString key;      // object name and page key: "Hunt", "Targ", "Youth", "Kstr"
    QString caption;  // tab caption: "Hunting", ...
    QChar prefix;     // object-name prefix of the page's controls: H, T, Y, B
    int gridSlots;    // slots shown on the page itself (the rest on the carbon panel)
    int totalSlots;   // slots of the page's grid
    QString legend;   // the model families shown on the page
};

// The descriptor of `page`.
const PageDescriptor& pageDescriptor(core::Page page);

}  // namespace quivra::app
