#include "ResultsPanel.h"

#include "SheetFields.h"
#include "SheetTexts.h"
#include "ValueLabel.h"

#include <QFormLayout>
#include <QLabel>

namespace quivra::buildsheet {

namespace {

const char* objectNameOf(ResultRow row) {
    switch (row) {
        case ResultRow::TotalWeight:
            return "TotalWeightLbl";
        case ResultRow::GrainsPerPound:
            return "GrainsPerPoundLbl";
        case ResultRow::RuleSpeed:
            return "RuleSpeedLbl";
        case ResultRow::EnergySpeed:
            return "EnergySpeedLbl";
        case ResultRow::KineticEnergy:
            return "KineticEnergyLbl";
        case ResultRow::Momentum:
            return "MomentumLbl";
        case ResultRow::Foc:
            return "FocLbl";
        case ResultRow::SpineCheck:
            return "SpineCheckLbl";
        case ResultRow::SpineFigures:
            return "SpineFiguresLbl";
    }
    return "";
}

}  // namespace

ResultsPanel::ResultsPanel(QWidget* parent) : QGroupBox(tr("Results"), parent) {
    setObjectName(QStringLiteral("ResultsGroup"));
    static_assert(std::tuple_size_v<decltype(m_values)> == kResultRows.size());
    auto* form = new QFormLayout(this);
    for (std::size_t i = 0; i < kResultRows.size(); ++i) {
        const ResultRow row = kResultRows[i];
        auto* value = new shell::ValueLabel(q(resultCaption(row)));
        value->setObjectName(QLatin1String(objectNameOf(row)));
        value->setWordWrap(true);
        value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 46);
        QFont bold = value->font();
        bold.setBold(true);
        value->setFont(bold);
        auto* caption = new QLabel(value->accessibleName());
        caption->setBuddy(value);
        form->addRow(caption, value);
        m_values[i] = value;
    }
    m_notes = new shell::ValueLabel(tr("Notes:"));
    m_notes->setObjectName(QStringLiteral("NotesLbl"));
    m_notes->setWordWrap(true);
    m_notes->setMinimumHeight(m_notes->fontMetrics().lineSpacing() * 3);
    m_notes->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* caption = new QLabel(m_notes->accessibleName());
    caption->setBuddy(m_notes);
    form->addRow(caption, m_notes);
}

void ResultsPanel::show(const calculators::BuildSheet& sheet,
                        const calculators::BuildSheetInput& input,
                        const std::vector<std::string>& notes) {
    for (std::size_t i = 0; i < kResultRows.size(); ++i) {
        m_values[i]->setText(q(resultText(kResultRows[i], sheet, input)));
    }
    QStringList lines;
    if (!sheet.ok()) lines << tr("Correct the inputs marked in yellow:");
    for (const std::string& m : sheetMessages(sheet)) lines << q(m);
    for (const std::string& n : notes) lines << q(n);
    m_notes->setText(lines.isEmpty() ? tr("None.") : lines.join(QLatin1Char('\n')));
}

}  // namespace quivra::buildsheet
