#pragma once
// The "Downrange" group of the build sheet: the sight radius the pin gaps
// are measured with, the table from 0 to 100 yards, the plot beside it and
// the sight-pin gaps.

#include "BuildSheet.h"
#include "DownrangePlot.h"

#include <QGroupBox>
#include <QWidget>

#include <optional>
#include <vector>

class QDoubleSpinBox;
class QTableWidget;

namespace quivra::shell {
class ValueLabel;
}

namespace quivra::buildsheet {

// The plot, drawn by the reports' plot painter on a white ground; screen
// readers get it as a picture named "Downrange plot" whose value is its
// summary in words (plotSummary), announced when it changes.
class DownrangePlotWidget : public QWidget {
    Q_OBJECT
public:
    explicit DownrangePlotWidget(QWidget* parent = nullptr);
    void setTable(const calculators::DownrangeTable& table);
    [[nodiscard]] const DownrangePlotModel& model() const { return m_model; }
    [[nodiscard]] const QString& summary() const { return m_summary; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    DownrangePlotModel m_model;
    QString m_summary;
};

class DownrangePanel : public QGroupBox {
    Q_OBJECT
public:
    explicit DownrangePanel(QWidget* parent = nullptr);

    void showSightRadius(std::optional<double> radiusIn);
    void showMetric(std::optional<double> radiusIn);
    // The sight radius (empty: the sheet's default); a field that holds no
    // number adds an error.
    std::optional<double> readSightRadius(std::vector<calculators::InputError>& errors) const;
    // Fills the table, plot and gaps; an uncomputed sheet empties them.
    void show(const calculators::BuildSheet& sheet);
    [[nodiscard]] QWidget* sightRadiusField() const;
    [[nodiscard]] std::vector<QWidget*> focusOrder() const;

signals:
    void changed();

private:
    QDoubleSpinBox* m_sightRadius = nullptr;
    QTableWidget* m_table = nullptr;
    DownrangePlotWidget* m_plot = nullptr;
    shell::ValueLabel* m_gaps = nullptr;
    shell::ValueLabel* m_sightMetric = nullptr;
};

}  // namespace quivra::buildsheet
