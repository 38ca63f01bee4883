#include "SheetFields.h"

#include "NumberText.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QSignalBlocker>

namespace quivra::buildsheet {

namespace {

// The ground of a field in fault: light yellow, on which the palette's dark
// text stays far above 4.5:1.
constexpr QRgb kFaultGround = 0xfff2b3;

QLabel* captionFor(QWidget* field) {
    auto* label = new QLabel(field->accessibleName());
    label->setBuddy(field);
    return label;
}

}  // namespace

QDoubleSpinBox* makeNumberField(const char* objectName, const QString& caption, double maximum,
                                int decimals, double step, const QString& noValueText) {
    auto* field = new QDoubleSpinBox;
    field->setObjectName(QLatin1String(objectName));
    field->setAccessibleName(caption);
    field->setLocale(QLocale::c());
    field->setDecimals(decimals);
    field->setRange(0.0, maximum);
    field->setSingleStep(step);
    field->setKeyboardTracking(true);
    field->setSpecialValueText(noValueText);
    field->setMinimumWidth(90);
    return field;
}

QComboBox* makeChoiceField(const char* objectName, const QString& caption,
                           const QStringList& items) {
    auto* field = new QComboBox;
    field->setObjectName(QLatin1String(objectName));
    field->setAccessibleName(caption);
    field->addItems(items);
    return field;
}

FieldValue readNumberField(const QDoubleSpinBox* field) {
    const QString text = field->text().trimmed();
    if (!field->specialValueText().isEmpty() && text == field->specialValueText()) {
        return {true, std::nullopt};
    }
    const auto value = core::parseDecimal(field->cleanText().toStdString());
    if (!value) return {};
    return {true, *value};
}

double readNumber(const QDoubleSpinBox* field, double fallback, calculators::InputField input,
                  const char* what, std::vector<calculators::InputError>& errors) {
    const FieldValue v = readNumberField(field);
    if (v.isNumber && v.value) return *v.value;
    errors.push_back({input, std::string("Type a number for the ") + what + "."});
    return fallback;
}

void setNumberField(QDoubleSpinBox* field, std::optional<double> value) {
    const QSignalBlocker block(field);
    field->setValue(value.value_or(field->minimum()));
}

void setChoiceField(QComboBox* field, int index) {
    const QSignalBlocker block(field);
    field->setCurrentIndex(index);
}

shell::ValueLabel* addNumberRow(QFormLayout* form, QDoubleSpinBox* field) {
    auto* metric = new shell::ValueLabel(field->accessibleName() + QStringLiteral(" in metric"));
    metric->setObjectName(field->objectName() + QStringLiteral("Metric"));
    metric->setMinimumWidth(80);
    auto* row = new QHBoxLayout;
    row->addWidget(field);
    row->addWidget(metric, 1);
    form->addRow(captionFor(field), row);
    return metric;
}

void addChoiceRow(QFormLayout* form, QComboBox* field) {
    form->addRow(captionFor(field), field);
}

void markFault(QWidget* field, const QString& reason) {
    field->setAccessibleDescription(reason);
    field->setToolTip(reason);
    QPalette palette = field->palette();
    if (reason.isEmpty()) {
        palette = field->parentWidget() != nullptr ? field->parentWidget()->palette() : QPalette();
    } else {
        palette.setColor(QPalette::Base, QColor::fromRgb(kFaultGround));
        palette.setColor(QPalette::Text, Qt::black);
    }
    field->setPalette(palette);
}

}  // namespace quivra::buildsheet
