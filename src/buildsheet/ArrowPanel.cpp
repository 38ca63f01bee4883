#include "ArrowPanel.h"

#include "SheetFields.h"
#include "SheetTexts.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace quivra::buildsheet {

namespace {

using calculators::InputField;

}  // namespace

ArrowPanel::ArrowPanel(QWidget* parent) : QGroupBox(tr("Arrow"), parent) {
    setObjectName(QStringLiteral("ArrowGroup"));
    m_key = new QLineEdit;
    m_key->setObjectName(QStringLiteral("ShaftEdit"));
    m_key->setAccessibleName(tr("Shaft key:"));
    m_key->setToolTip(tr("The catalogue key: the size followed by its chart key, e.g. 2213M4"));
    m_key->setMaxLength(40);
    m_shaft = new shell::ValueLabel(tr("Shaft:"));
    m_shaft->setObjectName(QStringLiteral("ShaftLbl"));
    m_shaft->setWordWrap(true);

    m_parts[Length] = makeNumberField("ShaftLengthSpin", tr("Shaft length (in):"), 99, 2, 0.25);
    m_parts[Point] = makeNumberField("PointSpin", tr("Point (gr):"), 9999, 1, 1);
    m_parts[Insert] = makeNumberField("InsertSpin", tr("Insert (gr):"), 9999, 1, 1);
    m_parts[Nock] = makeNumberField("NockSpin", tr("Nock (gr):"), 9999, 1, 1);
    m_parts[Fletching] = makeNumberField("FletchingSpin", tr("Fletching (gr):"), 9999, 1, 1);
    m_parts[Balance] =
        makeNumberField("BalanceSpin", tr("Balance point (in):"), 99, 2, 0.25, tr("estimated"));
    m_parts[Balance]->setToolTip(tr("From the bottom of the nock groove; 0 to estimate it"));

    auto* form = new QFormLayout(this);
    auto* keyLabel = new QLabel(m_key->accessibleName());
    keyLabel->setBuddy(m_key);
    form->addRow(keyLabel, m_key);
    auto* shaftLabel = new QLabel(m_shaft->accessibleName());
    shaftLabel->setBuddy(m_shaft);
    form->addRow(shaftLabel, m_shaft);
    for (int p = Length; p < PartCount; ++p) {
        m_metric[static_cast<std::size_t>(p)] =
            addNumberRow(form, m_parts[static_cast<std::size_t>(p)]);
    }

    connect(m_key, &QLineEdit::textChanged, this, &ArrowPanel::changed);
    for (QDoubleSpinBox* s : m_parts) {
        connect(s, &QDoubleSpinBox::textChanged, this, &ArrowPanel::changed);
    }
}

void ArrowPanel::show(const calculators::ArrowInput& arrow, const std::string& shaftKey) {
    {
        const QSignalBlocker block(m_key);
        m_key->setText(q(shaftKey));
    }
    setNumberField(m_parts[Length], arrow.lengthIn);
    setNumberField(m_parts[Point], arrow.pointGr);
    setNumberField(m_parts[Insert], arrow.insertGr);
    setNumberField(m_parts[Nock], arrow.nockGr);
    setNumberField(m_parts[Fletching], arrow.fletchingGr);
    setNumberField(m_parts[Balance], arrow.balanceIn);
}

std::string ArrowPanel::shaftKey() const {
    return m_key->text().trimmed().toStdString();
}

calculators::ArrowInput ArrowPanel::read(std::vector<calculators::InputError>& errors) const {
    calculators::ArrowInput a;
    a.lengthIn =
        readNumber(m_parts[Length], a.lengthIn, InputField::Length, "shaft length", errors);
    a.pointGr = readNumber(m_parts[Point], a.pointGr, InputField::Point, "point weight", errors);
    a.insertGr =
        readNumber(m_parts[Insert], a.insertGr, InputField::Insert, "insert weight", errors);
    a.nockGr = readNumber(m_parts[Nock], a.nockGr, InputField::Nock, "nock weight", errors);
    a.fletchingGr = readNumber(m_parts[Fletching], a.fletchingGr, InputField::Fletching,
                               "fletching weight", errors);
    const FieldValue balance = readNumberField(m_parts[Balance]);
    if (!balance.isNumber) {
        errors.push_back(
            {InputField::Balance, "Type a number for the balance point, or 0 to estimate it."});
    }
    a.balanceIn = balance.value;
    return a;
}

void ArrowPanel::showShaft(const QString& description) {
    m_shaft->setText(description);
}

void ArrowPanel::showMetric(const calculators::ArrowInput& arrow) {
    const auto grams = [](double gr) { return q(metricText(EnteredUnit::Grains, gr)); };
    const auto cm = [](double in) { return q(metricText(EnteredUnit::Inches, in)); };
    m_metric[Length]->setText(cm(arrow.lengthIn));
    m_metric[Point]->setText(grams(arrow.pointGr));
    m_metric[Insert]->setText(grams(arrow.insertGr));
    m_metric[Nock]->setText(grams(arrow.nockGr));
    m_metric[Fletching]->setText(grams(arrow.fletchingGr));
    m_metric[Balance]->setText(arrow.balanceIn ? cm(*arrow.balanceIn) : QString());
}

QWidget* ArrowPanel::fieldOf(InputField input) const {
    switch (input) {
        case InputField::Shaft:
            return m_key;
        case InputField::Length:
            return m_parts[Length];
        case InputField::Point:
            return m_parts[Point];
        case InputField::Insert:
            return m_parts[Insert];
        case InputField::Nock:
            return m_parts[Nock];
        case InputField::Fletching:
            return m_parts[Fletching];
        case InputField::Balance:
            return m_parts[Balance];
        default:
            return nullptr;
    }
}

std::vector<QWidget*> ArrowPanel::focusOrder() const {
    std::vector<QWidget*> order{m_key};
    order.insert(order.end(), m_parts.begin(), m_parts.end());
    return order;
}

}  // namespace quivra::buildsheet
