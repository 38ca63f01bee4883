#include "CategoryPage.h"

#include "Banner.h"
#include "CarbonPanel.h"
#include "HyperlinkLabel.h"
#include "Links.h"
#include "SlotGrid.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quivra::app {

CategoryPage::CategoryPage(const PageDescriptor& descriptor, const std::filesystem::path& dataDir,
                           QWidget* parent)
    : QWidget(parent),
      m_descriptor(descriptor),
      m_grid(new SlotGrid(descriptor.page, descriptor.caption, 1, descriptor.gridSlots, this)) {
    setObjectName(descriptor.key);
    setAccessibleName(descriptor.caption);

    auto* legend = new QLabel(descriptor.legend, this);
    legend->setObjectName(QString(descriptor.prefix) + QStringLiteral("LegendLbl"));
    legend->setAccessibleName(descriptor.legend);
    legend->setWordWrap(true);
    legend->setFixedWidth(m_grid->sizeHint().width());
    legend->setStyleSheet(QStringLiteral("color: #303a56;"));

    auto* left = new QVBoxLayout;
    left->setSpacing(8);
    left->addWidget(m_grid);
    left->addWidget(legend);
    left->addStretch();

    auto* top = new QHBoxLayout;
    top->setSpacing(16);
    top->addLayout(left);
    top->addWidget(buildSideColumn(dataDir));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->addLayout(top, 1);
    layout->addWidget(buildCommandRow());

    if (descriptor.totalSlots > descriptor.gridSlots) {
        m_carbon = new CarbonPanel(this);
    }
}

QPushButton* CategoryPage::makeButton(const QString& name, const QString& caption,
                                      const QString& hint) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString(m_descriptor.prefix) + name);
    button->setAccessibleName(caption);
    button->setAutoDefault(false);
    if (!hint.isEmpty()) button->setToolTip(hint);
    return button;
}

QWidget* CategoryPage::buildSideColumn(const std::filesystem::path& dataDir) {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);

    // The "2012" label button: the model year in large type, opening the guide.
    m_year = makeButton(QStringLiteral("YearBtn"), QStringLiteral("2012"), {});
    m_year->setFlat(true);
    m_year->setCursor(Qt::PointingHandCursor);
    m_year->setToolTip(QStringLiteral("2012 Shaft Models"));
    QFont big = m_year->font();
    big.setPointSizeF(big.pointSizeF() * 2.6);
    big.setBold(true);
    m_year->setFont(big);
    m_year->setStyleSheet(QStringLiteral("QPushButton { color: #1f4e8c; border: none; }"));

    m_models = makeButton(QStringLiteral("ModelsBtn"), QStringLiteral("2012 Shaft Models"), {});
    m_calculator = makeButton(QStringLiteral("KECalcBtn"),
                              QStringLiteral("Kinetic Energy && FOC Calculator"), {});
    m_calculator->setAccessibleName(QStringLiteral("Kinetic Energy & FOC Calculator"));

    m_banner = info::makePageBanner(m_descriptor.page, dataDir, column);

    m_email = new info::HyperlinkLabel(QStringLiteral("Email Tech Support"),
                                       QUrl(info::links::kTechSupport), column);
    m_email->setObjectName(QString(m_descriptor.prefix) + QStringLiteral("EmailLbl"));

    layout->addWidget(m_year, 0, Qt::AlignHCenter);
    layout->addWidget(m_models);
    layout->addWidget(m_calculator);
    layout->addStretch();
    layout->addWidget(m_banner, 0, Qt::AlignHCenter);
    layout->addWidget(m_email, 0, Qt::AlignHCenter);
    column->setFixedWidth(214);
    return column;
}

QWidget* CategoryPage::buildCommandRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 6, 0, 0);
    m_print = makeButton(QStringLiteral("PrintBtn"), QStringLiteral("Print"),
                         QStringLiteral("Click to Print"));
    m_save = makeButton(QStringLiteral("SaveBtn"), QStringLiteral("Save Setup"),
                        QStringLiteral("Click to Save Setup"));
    m_get = makeButton(QStringLiteral("GetBtn"), QStringLiteral("Get Setup"),
                       QStringLiteral("Click to Get Setup"));
    m_exit = makeButton(QStringLiteral("ExitBtn"), QStringLiteral("Exit"),
                        QStringLiteral("Click to Exit"));
    for (QPushButton* b : {m_print, m_save, m_get, m_exit}) {
        b->setMinimumWidth(96);
        layout->addWidget(b);
    }
    layout->addStretch();
    return row;
}

void CategoryPage::apply(const std::vector<selection::RecommendationSlot>& grid) {
    m_grid->apply(grid);
    if (m_carbon) m_carbon->grid()->apply(grid);
}

SlotButton* CategoryPage::slotButton(int slot, SlotColumn column) const {
    if (slot >= 1 && slot <= m_grid->lastSlot()) return m_grid->button(slot, column);
    if (m_carbon && slot >= m_carbon->grid()->firstSlot() && slot <= m_carbon->grid()->lastSlot()) {
        return m_carbon->grid()->button(slot, column);
    }
    return nullptr;
}

std::vector<SlotButton*> CategoryPage::slotButtons() const {
    std::vector<SlotButton*> buttons;
    for (int slot = 1; slot <= m_descriptor.totalSlots; ++slot) {
        for (int c = 0; c < 4; ++c) buttons.push_back(slotButton(slot, static_cast<SlotColumn>(c)));
    }
    return buttons;
}

void CategoryPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeCarbonPanel();
}

void CategoryPage::placeCarbonPanel() {
    if (!m_carbon) return;
    // Over the grid from its third row down, where the carbon entries sit.
    m_carbon->resize(m_carbon->sizeHint());
    const QPoint origin = m_grid->geometry().topLeft();
    const int rowPitch = SlotGrid::kRowHeight + 1;
    m_carbon->move(origin.x() - 8, origin.y() + 2 * rowPitch + 4);
    m_carbon->raise();
}

}  // namespace quivra::app
