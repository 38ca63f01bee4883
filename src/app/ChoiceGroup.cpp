#include "ChoiceGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace quivra::app {

ChoiceGroup::ChoiceGroup(const QString& objectName, const QString& caption,
                         const QStringList& items, const QString& accessibleName, int columns,
                         QWidget* parent)
    : QGroupBox(caption, parent), m_buttons(new QButtonGroup(this)) {
    setObjectName(objectName);
    setAccessibleName(caption.isEmpty() ? accessibleName : caption);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(8, caption.isEmpty() ? 4 : 2, 8, 4);
    layout->setHorizontalSpacing(10);
    layout->setVerticalSpacing(1);
    for (int i = 0; i < items.size(); ++i) {
        auto* radio = new QRadioButton(items.at(i), this);
        radio->setObjectName(objectName + QStringLiteral("Item") + QString::number(i));
        radio->setAccessibleName(items.at(i));
        m_buttons->addButton(radio, i);
        m_items.push_back(radio);
        layout->addWidget(radio, i / columns, i % columns);
    }
    // Items sit at the top when the group is given more room than it needs.
    layout->setRowStretch(static_cast<int>((items.size() + columns - 1) / columns), 1);
    connect(m_buttons, &QButtonGroup::idToggled, this, &ChoiceGroup::onToggled);
}

void ChoiceGroup::setItemIndex(int index) {
    if (index < 0 || index >= count()) index = -1;
    if (index == m_index) return;
    if (index >= 0) {
        m_items[static_cast<std::size_t>(index)]->setChecked(true);  // raises clicked()
        return;
    }
    // An exclusive group cannot be emptied by unchecking; lift it for a moment.
    m_buttons->setExclusive(false);
    m_items[static_cast<std::size_t>(m_index)]->setChecked(false);
    m_buttons->setExclusive(true);
}

void ChoiceGroup::onToggled(int id, bool checked) {
    if (checked) {
        m_index = id;
        emit clicked();
    } else if (id == m_index && m_buttons->checkedId() < 0) {
        m_index = -1;
        emit clicked();
    }
}

void ChoiceGroup::setFontColour(const QColor& colour) {
    if (fontColour() == colour) return;
    // Active and inactive texts only: a disabled group keeps its greyed look.
    QPalette pal = palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::WindowText, colour);
        pal.setColor(group, QPalette::ButtonText, colour);
        pal.setColor(group, QPalette::Text, colour);
    }
    setPalette(pal);
}

QColor ChoiceGroup::fontColour() const {
    return palette().color(QPalette::Active, QPalette::WindowText);
}

}  // namespace quivra::app
