#include "SetupHeaderPanel.h"

#include "ValueLabel.h"

#include <QGridLayout>
#include <QLabel>

namespace quivra::customers {

namespace {

shell::ValueLabel* makeValue(QWidget* parent, const char* objectName, const QString& caption) {
    auto* label = new shell::ValueLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setMinimumWidth(90);
    return label;
}

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

SetupHeaderPanel::SetupHeaderPanel(QWidget* parent)
    : QWidget(parent),
      m_bowWeight(makeValue(this, "Label24", tr("Bow Weight"))),
      m_arrowLength(makeValue(this, "Label25", tr("Arrow Length"))),
      m_pointWeight(makeValue(this, "Label27", tr("Point Weight"))),
      m_category(makeValue(this, "Label17", tr("Category"))),
      m_bowType(makeValue(this, "Label9", tr("Bow Type"))),
      m_wheelType(makeValue(this, "Label10", tr("Wheel Type"))),
      m_release(makeValue(this, "Label12", tr("Release"))),
      m_braceHeight(makeValue(this, "Label15", tr("Brace Height"))),
      m_overDraw(makeValue(this, "Label16", tr("Over Draw"))) {
    auto* grid = new QGridLayout(this);
    QFont bold = m_category->font();
    bold.setBold(true);
    m_category->setFont(bold);
    grid->addWidget(m_category, 0, 0, 1, 4, Qt::AlignHCenter);

    // Two columns of caption/value pairs: the numbers left, the set-up right.
    const std::pair<QString, shell::ValueLabel*> left[] = {
        {tr("Bow Weight:"), m_bowWeight},
        {tr("Arrow Length:"), m_arrowLength},
        {tr("Point Weight:"), m_pointWeight},
    };
    const std::pair<QString, shell::ValueLabel*> right[] = {
        {tr("Bow Type:"), m_bowType},   {tr("Wheel Type:"), m_wheelType},
        {tr("Release:"), m_release},    {tr("Brace Height:"), m_braceHeight},
        {tr("Over Draw:"), m_overDraw},
    };
    int row = 1;
    for (const auto& [caption, value] : left) {
        grid->addWidget(new QLabel(caption, this), row, 0, Qt::AlignRight);
        grid->addWidget(value, row++, 1);
    }
    row = 1;
    for (const auto& [caption, value] : right) {
        grid->addWidget(new QLabel(caption, this), row, 2, Qt::AlignRight);
        grid->addWidget(value, row++, 3);
    }
}

void SetupHeaderPanel::setTexts(const HeaderTexts& t) {
    m_bowWeight->setText(qs(t.bowWeight));
    m_arrowLength->setText(qs(t.arrowLength));
    m_pointWeight->setText(qs(t.pointWeight));
    m_category->setText(qs(t.category));
    m_bowType->setText(qs(t.bowType));
    m_wheelType->setText(qs(t.wheelType));
    m_release->setText(qs(t.release));
    m_braceHeight->setText(qs(t.braceHeight));
    m_overDraw->setText(qs(t.overDraw));
}

HeaderTexts SetupHeaderPanel::texts() const {
    HeaderTexts t;
    t.bowWeight = m_bowWeight->text().toStdString();
    t.arrowLength = m_arrowLength->text().toStdString();
    t.pointWeight = m_pointWeight->text().toStdString();
    t.category = m_category->text().toStdString();
    t.bowType = m_bowType->text().toStdString();
    t.wheelType = m_wheelType->text().toStdString();
    t.release = m_release->text().toStdString();
    t.braceHeight = m_braceHeight->text().toStdString();
    t.overDraw = m_overDraw->text().toStdString();
    return t;
}

}  // namespace quivra::customers
