#pragma once
// The input fields of the build sheet's panels, made alike: a number field
// (spin box) that reads its text without regard to the locale, with an
// optional word for "no value" at its minimum ("none", "estimated"), and a
// metric echo beside it; a choice list.  Every field carries its caption as
// accessible name.  A field in fault is shown on a light yellow ground (dark
// text keeps its contrast) and carries the reason as accessible description.

#include "BuildSheet.h"
#include "ValueLabel.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string_view>
#include <vector>

class QComboBox;
class QDoubleSpinBox;
class QFormLayout;
class QWidget;

namespace quivra::buildsheet {

// A text of the rules (UTF-8) as the window shows it.
inline QString q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A number field from 0 to `maximum`.  `caption` is its accessible name
// ("Draw weight (lb):"); `noValueText` is shown at 0 for "no value" (empty:
// 0 is a number).
QDoubleSpinBox* makeNumberField(const char* objectName, const QString& caption, double maximum,
                                int decimals, double step, const QString& noValueText = {});
QComboBox* makeChoiceField(const char* objectName, const QString& caption,
                           const QStringList& items);

// What a number field holds.
struct FieldValue {
    bool isNumber = false;        // false: neither a number nor the no-value word
    std::optional<double> value;  // empty: the no-value word
};
FieldValue readNumberField(const QDoubleSpinBox* field);

// The field's number; when it holds none (or only its no-value word), an
// error for `input` naming it (`what`: "draw weight") and `fallback`.
double readNumber(const QDoubleSpinBox* field, double fallback, calculators::InputField input,
                  const char* what, std::vector<calculators::InputError>& errors);

// Puts `value` in the field without a change signal (nullopt: the no-value word).
void setNumberField(QDoubleSpinBox* field, std::optional<double> value);
void setChoiceField(QComboBox* field, int index);

// Adds "caption  [field]  metric" as one row of `form`; the metric echo is
// returned (named after the field with "Metric" appended).
shell::ValueLabel* addNumberRow(QFormLayout* form, QDoubleSpinBox* field);
void addChoiceRow(QFormLayout* form, QComboBox* field);

// Marks a field in fault (with `reason`), or clears the mark (empty reason).
void markFault(QWidget* field, const QString& reason);

}  // namespace quivra::buildsheet
