#pragma once
// The "Spine Check" group of the build sheet: the chart the arrow is checked
// on and the set-up choices that chart reads (release, cam, overdraw), as
// the main window's groups hold them.  The brace-height class comes from the
// bow's brace height.

#include "BuildSheetInput.h"

#include <QGroupBox>

#include <vector>

class QComboBox;

namespace quivra::buildsheet {

class ChartPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit ChartPanel(QWidget* parent = nullptr);

    void show(const calculators::ChartChoice& chart);
    [[nodiscard]] calculators::ChartChoice read() const;
    [[nodiscard]] std::vector<QWidget*> focusOrder() const;

signals:
    void changed();

private:
    QComboBox* m_chart = nullptr;
    QComboBox* m_release = nullptr;
    QComboBox* m_cam = nullptr;
    QComboBox* m_overdraw = nullptr;
};

}  // namespace quivra::buildsheet
