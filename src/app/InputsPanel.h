#pragma once
// InputsPanel: the selection inputs of the main window.  Five numeric text
// fields, each with its up-down pair (the youth fields lie on the same spot
// as the adult ones and show only when those are hidden), and the seven
// set-up choice groups.  It reads them into SelectionInputs and shows the
// control states a search leaves; it raises no search itself (the main
// window binds the change events to FindRec).

#include "ChoiceGroup.h"
#include "SearchOutcome.h"
#include "SelectionInputs.h"
#include "UpDown.h"

#include <QWidget>

#include <array>
#include <vector>

class QLabel;
class QLineEdit;

namespace quivra::app {

class InputsPanel : public QWidget {
    Q_OBJECT
public:
    explicit InputsPanel(QWidget* parent = nullptr);

    [[nodiscard]] QLineEdit* bowWeight() const { return m_bowWeight; }            // BowWeightSpin
    [[nodiscard]] QLineEdit* youthBowWeight() const { return m_youthBowWeight; }  // YouthBowWtSpin
    [[nodiscard]] QLineEdit* arrowLength() const { return m_arrowLength; }        // ArrowLengthSpin
    [[nodiscard]] QLineEdit* youthArrowLength() const {
        return m_youthArrowLength;
    }                                                                       // YouthArrowLenSpin
    [[nodiscard]] QLineEdit* pointWeight() const { return m_pointWeight; }  // PointWtSpin
    // UpDown1 .. UpDown5; precondition 1 <= n <= 5.
    [[nodiscard]] UpDown* upDown(int n) const {
        return m_upDowns.at(static_cast<std::size_t>(n - 1));
    }
    [[nodiscard]] QLabel* pointWeightLabel() const { return m_label6; }  // Label6

    [[nodiscard]] ChoiceGroup* bowType() const { return m_bowType; }
    [[nodiscard]] ChoiceGroup* targBowType() const { return m_targBowType; }
    [[nodiscard]] ChoiceGroup* releaseType() const { return m_releaseType; }
    [[nodiscard]] ChoiceGroup* overDraw() const { return m_overDraw; }
    [[nodiscard]] ChoiceGroup* wheelType() const { return m_wheelType; }
    [[nodiscard]] ChoiceGroup* huntCamType() const { return m_huntCamType; }
    [[nodiscard]] ChoiceGroup* braceHt() const { return m_braceHt; }

    // The five text fields and the seven groups, in the order of the inputs.
    [[nodiscard]] std::array<QLineEdit*, 5> textFields() const;
    [[nodiscard]] std::array<ChoiceGroup*, 7> groups() const;
    // Every control that takes the focus, in the order of the screen (top to
    // bottom, left to right); hidden ones are passed over by Tab.
    [[nodiscard]] std::vector<QWidget*> tabOrder() const;

    // The inputs as they stand, with `page` as the active page.
    [[nodiscard]] selection::SelectionInputs read(core::Page page) const;
    // Writes the texts a search changed (where `after` differs from
    // `before`, the inputs it searched with), raising no change event (so no
    // search).  Every other field keeps what it holds now.
    void writeResetTexts(const selection::SelectionInputs& before,
                         const selection::SelectionInputs& after);
    // Sets every text and group item of `inputs` without change events.
    void writeAllQuietly(const selection::SelectionInputs& inputs);
    // Shows the visibility, enabled state and font colour a search left.
    void applyControls(const selection::SetupControls& controls);

private:
    QLineEdit* makeField(const QString& name, const QString& text, const QString& label);
    QWidget* buildFields();

    QLineEdit* m_bowWeight = nullptr;
    QLineEdit* m_youthBowWeight = nullptr;
    QLineEdit* m_arrowLength = nullptr;
    QLineEdit* m_youthArrowLength = nullptr;
    QLineEdit* m_pointWeight = nullptr;
    std::array<UpDown*, 5> m_upDowns{};
    QLabel* m_label6 = nullptr;
    ChoiceGroup* m_bowType;
    ChoiceGroup* m_targBowType;
    ChoiceGroup* m_releaseType;
    ChoiceGroup* m_overDraw;
    ChoiceGroup* m_wheelType;
    ChoiceGroup* m_huntCamType;
    ChoiceGroup* m_braceHt;
};

}  // namespace quivra::app
