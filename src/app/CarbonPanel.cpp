#include "CarbonPanel.h"

#include "SlotGrid.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quivra::app {

CarbonPanel::CarbonPanel(QWidget* parent)
    : QFrame(parent),
      m_grid(new SlotGrid(core::Page::Hunt, QStringLiteral("Hunting"), 11, 16, this)),
      m_close(new QPushButton(QStringLiteral("Close"), this)) {
    setObjectName(QStringLiteral("CAWTPanel"));
    setAccessibleName(QStringLiteral("Carbon Shafts"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
    setAutoFillBackground(true);

    auto* title = new QLabel(QStringLiteral("Carbon Shafts"), this);
    title->setAccessibleName(title->text());
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    title->setFont(bold);

    m_close->setObjectName(QStringLiteral("CloseCarbonBtn"));
    m_close->setToolTip(QStringLiteral("Click to Exit"));
    m_close->setAccessibleName(m_close->text());
    m_close->setAutoDefault(false);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(m_close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->addWidget(title, 0, Qt::AlignHCenter);
    layout->addWidget(m_grid);
    layout->addLayout(bottom);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    hide();
}

}  // namespace quivra::app
