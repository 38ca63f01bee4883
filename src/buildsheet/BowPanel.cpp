#include "BowPanel.h"

#include "SheetFields.h"
#include "SheetTexts.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>

namespace quivra::buildsheet {

namespace {

using calculators::InputField;

}  // namespace

BowPanel::BowPanel(QWidget* parent) : QGroupBox(tr("Bow"), parent) {
    setObjectName(QStringLiteral("BowGroup"));
    m_type = makeChoiceField("BowTypeCombo", tr("Bow type:"),
                             {tr("Compound"), tr("Recurve"), tr("Longbow")});
    m_rating = makeNumberField("RatingSpin", tr("Speed rating (fps):"), 500, 1, 1, tr("none"));
    m_standard =
        makeChoiceField("StandardCombo", tr("Rating standard:"),
                        {tr("IBO (70 lb, 30 in, 350 gr)"), tr("ATA (70 lb, 30 in, 350 gr)")});
    m_drawWeight = makeNumberField("DrawWeightSpin", tr("Draw weight (lb):"), 999, 1, 1);
    m_drawLength = makeNumberField("DrawLengthSpin", tr("Draw length (in):"), 99, 2, 0.25);
    m_braceHeight = makeNumberField("BraceHeightSpin", tr("Brace height (in):"), 99, 2, 0.25);
    m_stringWeight =
        makeNumberField("StringWeightSpin", tr("String accessories (gr):"), 9999, 1, 1);

    auto* form = new QFormLayout(this);
    addChoiceRow(form, m_type);
    m_metric[0] = addNumberRow(form, m_rating);
    addChoiceRow(form, m_standard);
    m_metric[1] = addNumberRow(form, m_drawWeight);
    m_metric[2] = addNumberRow(form, m_drawLength);
    m_metric[3] = addNumberRow(form, m_braceHeight);
    m_metric[4] = addNumberRow(form, m_stringWeight);

    for (QComboBox* c : {m_type, m_standard}) {
        connect(c, &QComboBox::currentIndexChanged, this, &BowPanel::changed);
    }
    for (QDoubleSpinBox* s :
         {m_rating, m_drawWeight, m_drawLength, m_braceHeight, m_stringWeight}) {
        connect(s, &QDoubleSpinBox::textChanged, this, &BowPanel::changed);
    }
}

void BowPanel::show(const calculators::Bow& bow) {
    setChoiceField(m_type, static_cast<int>(bow.type));
    setNumberField(m_rating, bow.ratingFps);
    setChoiceField(m_standard, static_cast<int>(bow.standard));
    setNumberField(m_drawWeight, bow.drawWeightLb);
    setNumberField(m_drawLength, bow.drawLengthIn);
    setNumberField(m_braceHeight, bow.braceHeightIn);
    setNumberField(m_stringWeight, bow.stringAccessoriesGr);
}

calculators::Bow BowPanel::read(std::vector<calculators::InputError>& errors) const {
    calculators::Bow bow;
    bow.type = static_cast<calculators::BowType>(std::max(0, m_type->currentIndex()));
    bow.standard =
        static_cast<calculators::RatingStandard>(std::max(0, m_standard->currentIndex()));
    const FieldValue rating = readNumberField(m_rating);
    if (!rating.isNumber) {
        errors.push_back(
            {InputField::Rating, "Type a number for the speed rating, or 0 for none."});
    }
    bow.ratingFps = rating.value;
    bow.drawWeightLb =
        readNumber(m_drawWeight, bow.drawWeightLb, InputField::DrawWeight, "draw weight", errors);
    bow.drawLengthIn =
        readNumber(m_drawLength, bow.drawLengthIn, InputField::DrawLength, "draw length", errors);
    bow.braceHeightIn = readNumber(m_braceHeight, bow.braceHeightIn, InputField::BraceHeight,
                                   "brace height", errors);
    bow.stringAccessoriesGr = readNumber(m_stringWeight, bow.stringAccessoriesGr,
                                         InputField::StringWeight, "weight on the string", errors);
    return bow;
}

void BowPanel::showMetric(const calculators::Bow& bow) {
    m_metric[0]->setText(bow.ratingFps ? q(metricText(EnteredUnit::FeetPerSecond, *bow.ratingFps))
                                       : QString());
    m_metric[1]->setText(q(metricText(EnteredUnit::Pounds, bow.drawWeightLb)));
    m_metric[2]->setText(q(metricText(EnteredUnit::Inches, bow.drawLengthIn)));
    m_metric[3]->setText(q(metricText(EnteredUnit::Inches, bow.braceHeightIn)));
    m_metric[4]->setText(q(metricText(EnteredUnit::Grains, bow.stringAccessoriesGr)));
}

QWidget* BowPanel::fieldOf(InputField input) const {
    switch (input) {
        case InputField::Rating:
            return m_rating;
        case InputField::DrawWeight:
            return m_drawWeight;
        case InputField::DrawLength:
            return m_drawLength;
        case InputField::BraceHeight:
            return m_braceHeight;
        case InputField::StringWeight:
            return m_stringWeight;
        default:
            return nullptr;
    }
}

std::vector<QWidget*> BowPanel::focusOrder() const {
    return {m_type,       m_rating,      m_standard,    m_drawWeight,
            m_drawLength, m_braceHeight, m_stringWeight};
}

}  // namespace quivra::buildsheet
