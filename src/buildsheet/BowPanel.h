#pragma once
// The "Bow" group of the build sheet: type, speed rating and its standard,
// draw weight, draw length, brace height and the weight on the string, each
// number with its metric value beside it.

#include "BuildSheet.h"

#include <QGroupBox>

#include <array>
#include <vector>

class QComboBox;
class QDoubleSpinBox;

namespace quivra::shell {
class ValueLabel;
}

namespace quivra::buildsheet {

class BowPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit BowPanel(QWidget* parent = nullptr);

    // Shows `bow` without change signals.
    void show(const calculators::Bow& bow);
    // The bow as the fields hold it; a field that holds no number adds an
    // error for its input.
    calculators::Bow read(std::vector<calculators::InputError>& errors) const;
    // Shows the metric values of the fields.
    void showMetric(const calculators::Bow& bow);
    // The field of `input`, or nullptr when the input is not on this panel.
    [[nodiscard]] QWidget* fieldOf(calculators::InputField input) const;
    // The fields in screen order.
    [[nodiscard]] std::vector<QWidget*> focusOrder() const;

signals:
    void changed();

private:
    QComboBox* m_type = nullptr;
    QDoubleSpinBox* m_rating = nullptr;
    QComboBox* m_standard = nullptr;
    QDoubleSpinBox* m_drawWeight = nullptr;
    QDoubleSpinBox* m_drawLength = nullptr;
    QDoubleSpinBox* m_braceHeight = nullptr;
    QDoubleSpinBox* m_stringWeight = nullptr;
    std::array<shell::ValueLabel*, 5> m_metric{};  // rating, weight, length, brace, string
};

}  // namespace quivra::buildsheet
