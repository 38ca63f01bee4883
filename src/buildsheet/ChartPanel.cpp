#include "ChartPanel.h"

#include "SheetFields.h"

#include <QComboBox>
#include <QFormLayout>

#include <algorithm>

namespace quivra::buildsheet {

ChartPanel::ChartPanel(QWidget* parent) : QGroupBox(tr("Spine Check"), parent) {
    setObjectName(QStringLiteral("ChartGroup"));
    QStringList charts;
    for (const core::Page page : core::kPages) {
        charts << QString::fromLatin1(core::pageCaption(page).data(),
                                      static_cast<qsizetype>(core::pageCaption(page).size()));
    }
    m_chart = makeChoiceField("ChartCombo", tr("Chart:"), charts);
    m_release = makeChoiceField("ReleaseCombo", tr("Release:"), {tr("Mechanical"), tr("Fingers")});
    m_cam = makeChoiceField("CamCombo", tr("Cam:"),
                            {tr("Single or hard cam"), tr("Medium cam"), tr("Soft cam (Target)")});
    m_overdraw =
        makeChoiceField("OverdrawCombo", tr("Overdraw:"),
                        {tr("None"), tr("1\""), tr("2\""), tr("3\""), tr("4\""), tr("5\"")});
    auto* form = new QFormLayout(this);
    for (QComboBox* c : {m_chart, m_release, m_cam, m_overdraw}) {
        addChoiceRow(form, c);
        connect(c, &QComboBox::currentIndexChanged, this, &ChartPanel::changed);
    }
}

void ChartPanel::show(const calculators::ChartChoice& chart) {
    setChoiceField(m_chart, static_cast<int>(chart.page));
    setChoiceField(m_release, chart.releaseType);
    setChoiceField(m_cam, chart.camType);
    setChoiceField(m_overdraw, chart.overDraw);
}

calculators::ChartChoice ChartPanel::read() const {
    calculators::ChartChoice chart;
    chart.page = static_cast<core::Page>(std::max(0, m_chart->currentIndex()));
    chart.releaseType = m_release->currentIndex();
    chart.camType = m_cam->currentIndex();
    chart.overDraw = m_overdraw->currentIndex();
    return chart;
}

std::vector<QWidget*> ChartPanel::focusOrder() const {
    return {m_chart, m_release, m_cam, m_overdraw};
}

}  // namespace quivra::buildsheet
