#pragma once
// SetupHeaderPanel: the set-up in words at the head of the customer windows.
// Captions on the left, value labels with the design's object names:
// Label24 bow weight, Label25 arrow length, Label27 point weight, Label9 bow
// type, Label10 wheel type, Label12 release, Label15 brace height, Label16
// over draw, and the category label Label17.

#include "SetupHeader.h"

#include <QWidget>

namespace quivra::shell {
class ValueLabel;
}

namespace quivra::customers {

class SetupHeaderPanel : public QWidget {
    Q_OBJECT
public:
    explicit SetupHeaderPanel(QWidget* parent = nullptr);

    // Replaces every value label (an empty text empties the label).
    void setTexts(const HeaderTexts& texts);
    [[nodiscard]] HeaderTexts texts() const;

private:
    shell::ValueLabel* m_bowWeight;
    shell::ValueLabel* m_arrowLength;
    shell::ValueLabel* m_pointWeight;
    shell::ValueLabel* m_category;
    shell::ValueLabel* m_bowType;
    shell::ValueLabel* m_wheelType;
    shell::ValueLabel* m_release;
    shell::ValueLabel* m_braceHeight;
    shell::ValueLabel* m_overDraw;
};

}  // namespace quivra::customers
