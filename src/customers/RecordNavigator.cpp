#include "RecordNavigator.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace quivra::customers {

namespace {

struct ButtonDesign {
    const char* objectName;
    const char* caption;
    const char* hint;
};

// The hints are the navigator's own texts, trailing blank included.
constexpr std::array<ButtonDesign, 7> kDesign{{
    {"nbFirst", "|<", "Go to first record"},
    {"nbPrior", "<", "Go to previous record"},
    {"nbNext", ">", "Go to next record"},
    {"nbLast", ">|", "Go to last record"},
    {"nbEdit", "Edit", "Edit record"},
    {"nbPost", "Post", "Post record"},
    {"nbCancel", "Cancel", "Cancel changes "},
}};

}  // namespace

RecordNavigator::RecordNavigator(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("DBNavigator1"));
    setAccessibleName(tr("Record navigator"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    for (std::size_t i = 0; i < kDesign.size(); ++i) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(kDesign[i].objectName));
        b->setText(QString::fromLatin1(kDesign[i].caption));
        b->setToolTip(QString::fromLatin1(kDesign[i].hint));
        b->setAccessibleName(QString::fromLatin1(kDesign[i].hint).trimmed());
        const auto which = static_cast<Button>(i);
        connect(b, &QToolButton::clicked, this, [this, which] { emit clicked(which); });
        row->addWidget(b);
        m_buttons[i] = b;
    }
    setEditing(false);
}

void RecordNavigator::setEditing(bool editing) {
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        const auto which = static_cast<Button>(i);
        const bool editButton = which == Button::Post || which == Button::Cancel;
        m_buttons[i]->setEnabled(editing == editButton);
    }
}

QToolButton* RecordNavigator::button(Button which) const {
    return m_buttons[static_cast<std::size_t>(which)];
}

}  // namespace quivra::customers
