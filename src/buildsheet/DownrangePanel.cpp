#include "DownrangePanel.h"

#include "DownrangePlotPainter.h"
#include "SheetFields.h"
#include "SheetTexts.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace quivra::buildsheet {

namespace {

class PlotAccessible : public QAccessibleWidget {
public:
    explicit PlotAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Graphic) {}

    [[nodiscard]] QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) {
            return static_cast<const DownrangePlotWidget*>(widget())->summary();
        }
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* plotInterface(const QString& className, QObject* object) {
    if (className == QLatin1String(DownrangePlotWidget::staticMetaObject.className()) &&
        object->isWidgetType()) {
        return new PlotAccessible(static_cast<QWidget*>(object));  // owned by QAccessible
    }
    return nullptr;
}

}  // namespace

DownrangePlotWidget::DownrangePlotWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("DownrangePlot"));
    // Before anything asks for this widget's interface: Qt keeps the first.
    static const bool installed = (QAccessible::installFactory(plotInterface), true);
    (void)installed;
    setAccessibleName(tr("Downrange plot"));
    m_summary = tr("No downrange figures.");
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(440, 280);
    m_model = downrangePlot({});
}

void DownrangePlotWidget::setTable(const calculators::DownrangeTable& table) {
    m_model = downrangePlot(table);
    const QString summary = q(plotSummary(table));
    if (summary != m_summary) {
        m_summary = summary;
        QAccessibleValueChangeEvent event(this, m_summary);
        QAccessible::updateAccessibility(&event);
    }
    update();
}

void DownrangePlotWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The plot's colours are chosen for a white ground, whatever the theme.
    painter.fillRect(rect(), Qt::white);
    const QFontMetricsF metrics(font());
    const reports::PlotStyle style{metrics.height(), metrics.horizontalAdvance(QLatin1Char('0')),
                                   2.0, 1.0};
    const reports::PlotLabel label = [&](QPointF anchor, Qt::Alignment align, const QString& text,
                                         const QColor& colour) {
        const double w = metrics.horizontalAdvance(text);
        const double h = metrics.height();
        double x = anchor.x();
        double y = anchor.y();
        if (align & Qt::AlignRight) x -= w;
        if (align & Qt::AlignHCenter) x -= w / 2.0;
        if (align & Qt::AlignBottom) y -= h;
        if (align & Qt::AlignVCenter) y -= h / 2.0;
        painter.setPen(colour);
        painter.drawText(QRectF(x, y, w + 1.0, h), Qt::AlignLeft | Qt::AlignTop, text);
    };
    const double margin = metrics.height() * 0.5;
    reports::paintDownrangePlot(painter, QRectF(rect()).adjusted(margin, margin, -margin, -margin),
                                m_model, style, label);
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2.0));
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}

DownrangePanel::DownrangePanel(QWidget* parent) : QGroupBox(tr("Downrange"), parent) {
    setObjectName(QStringLiteral("DownrangeGroup"));
    m_sightRadius = makeNumberField("SightRadiusSpin", tr("Sight radius (in):"), 99, 2, 0.25,
                                    tr("draw + 3 in"));
    m_sightRadius->setToolTip(tr("Eye to sight pin; 0 takes the draw length plus 3 in"));
    connect(m_sightRadius, &QDoubleSpinBox::textChanged, this, &DownrangePanel::changed);

    const DownrangeCells& heads = downrangeHeads();
    m_table = new QTableWidget(
        static_cast<int>(calculators::downrange::kLastYd / calculators::downrange::kStepYd + 1),
        static_cast<int>(heads.size()));
    m_table->setObjectName(QStringLiteral("DownrangeGrid"));
    m_table->setAccessibleName(tr("Downrange table"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setTabKeyNavigation(false);
    m_table->verticalHeader()->hide();
    m_table->setWordWrap(true);
    QStringList labels;
    // Two lines: the quantity over its units.
    for (const std::string& h : heads) labels << q(h).replace(h.find(' '), 1, QLatin1Char('\n'));
    m_table->setHorizontalHeaderLabels(labels);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    m_plot = new DownrangePlotWidget;
    m_gaps = new shell::ValueLabel(tr("Sight pin gaps:"));
    m_gaps->setObjectName(QStringLiteral("PinGapsLbl"));
    m_gaps->setWordWrap(true);

    auto* radiusForm = new QFormLayout;
    m_sightMetric = addNumberRow(radiusForm, m_sightRadius);
    auto* gapsCaption = new QLabel(m_gaps->accessibleName());
    gapsCaption->setBuddy(m_gaps);
    radiusForm->addRow(gapsCaption, m_gaps);

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_table, 0, 0);
    grid->addWidget(m_plot, 0, 1);
    grid->addLayout(radiusForm, 1, 0, 1, 2);
    grid->setColumnStretch(1, 1);
}

void DownrangePanel::showSightRadius(std::optional<double> radiusIn) {
    setNumberField(m_sightRadius, radiusIn);
}

void DownrangePanel::showMetric(std::optional<double> radiusIn) {
    m_sightMetric->setText(radiusIn ? q(metricText(EnteredUnit::Inches, *radiusIn)) : QString());
}

std::optional<double> DownrangePanel::readSightRadius(
    std::vector<calculators::InputError>& errors) const {
    const FieldValue v = readNumberField(m_sightRadius);
    if (!v.isNumber) {
        errors.push_back({calculators::InputField::SightRadius,
                          "Type a number for the sight radius, or 0 for the draw length plus 3 "
                          "in."});
    }
    return v.value;
}

void DownrangePanel::show(const calculators::BuildSheet& sheet) {
    const std::vector<DownrangeCells> rows =
        sheet.ok() ? downrangeRows(sheet.downrange, sheet.arrowWeightGr)
                   : std::vector<DownrangeCells>();
    for (int r = 0; r < m_table->rowCount(); ++r) {
        for (int c = 0; c < m_table->columnCount(); ++c) {
            const auto ur = static_cast<std::size_t>(r);
            const QString text =
                ur < rows.size() ? q(rows[ur][static_cast<std::size_t>(c)]) : QStringLiteral("-");
            QTableWidgetItem* item = m_table->item(r, c);
            if (item == nullptr) {
                item = new QTableWidgetItem;
                item->setTextAlignment(Qt::AlignCenter);
                m_table->setItem(r, c, item);
            }
            item->setText(text);
        }
    }
    // The whole table shows: no scrolling for eleven rows of six numbers.
    m_table->resizeColumnsToContents();
    m_table->setMinimumSize(m_table->horizontalHeader()->length() + 2 * m_table->frameWidth() + 2,
                            m_table->verticalHeader()->length() +
                                m_table->horizontalHeader()->height() + 2 * m_table->frameWidth() +
                                2);
    m_plot->setTable(sheet.ok() ? sheet.downrange : calculators::DownrangeTable{});
    QStringList gaps;
    if (sheet.ok()) {
        for (const std::string& line : pinGapLines(sheet.downrange)) gaps << q(line);
    }
    m_gaps->setText(gaps.isEmpty() ? QStringLiteral("-") : gaps.join(QStringLiteral(";  ")));
}

QWidget* DownrangePanel::sightRadiusField() const {
    return m_sightRadius;
}

std::vector<QWidget*> DownrangePanel::focusOrder() const {
    return {m_table, m_plot, m_sightRadius};
}

}  // namespace quivra::buildsheet
