#pragma once
// The "Arrow" group of the build sheet: the catalogue shaft (typed as its
// key, described as the catalogue gives it), the shaft length, the point,
// insert, nock and fletching weights and the balance point ("estimated" at
// 0), each number with its metric value beside it.

#include "BuildSheet.h"

#include <QGroupBox>

#include <array>
#include <string>
#include <vector>

class QDoubleSpinBox;
class QLineEdit;

namespace quivra::shell {
class ValueLabel;
}

namespace quivra::buildsheet {

class ArrowPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit ArrowPanel(QWidget* parent = nullptr);

    // Shows `arrow` (its parts; the shaft is described by showShaft) and
    // the key without change signals.
    void show(const calculators::ArrowInput& arrow, const std::string& shaftKey);
    // The shaft key as typed.
    [[nodiscard]] std::string shaftKey() const;
    // The parts as the fields hold them (no shaft); a field that holds no
    // number adds an error for its input.
    calculators::ArrowInput read(std::vector<calculators::InputError>& errors) const;
    // Describes the shaft found ("2213 KV,M4, spine 0.400, ..."), or says
    // why there is none.
    void showShaft(const QString& description);
    void showMetric(const calculators::ArrowInput& arrow);
    [[nodiscard]] QWidget* fieldOf(calculators::InputField input) const;
    [[nodiscard]] std::vector<QWidget*> focusOrder() const;

signals:
    void changed();

private:
    enum Part { Length, Point, Insert, Nock, Fletching, Balance, PartCount };
    QLineEdit* m_key = nullptr;
    shell::ValueLabel* m_shaft = nullptr;
    std::array<QDoubleSpinBox*, PartCount> m_parts{};
    std::array<shell::ValueLabel*, PartCount> m_metric{};
};

}  // namespace quivra::buildsheet
