#pragma once
// SpecsFrm, "2012 Arrow Weight Calculator/Specifications": the catalogue
// record of the chosen shaft and an arrow put together from it.  The window
// reads the requested record from the shaft catalogue once when it is made
// (again on the next change when that failed), starts the five spin fields
// from the request and the record's defaults, and recomputes the shaft
// weight and the total arrow weight on every change of a spin field.

#include "ShaftCatalogue.h"
#include "ShaftDetails.h"

#include <QDialog>

#include <array>
#include <optional>

class QDoubleSpinBox;

namespace quivra::shell {
class ValueLabel;
}

namespace quivra::details {

class TSpecsFrm : public QDialog {
    Q_OBJECT
public:
    explicit TSpecsFrm(DetailRequest request, QWidget* parent = nullptr);
    ~TSpecsFrm() override;
    TSpecsFrm(const TSpecsFrm&) = delete;
    TSpecsFrm& operator=(const TSpecsFrm&) = delete;
    TSpecsFrm(TSpecsFrm&&) = delete;
    TSpecsFrm& operator=(TSpecsFrm&&) = delete;

    // Recomputes both weights from the spin fields and the current record.
    void ChangeOptions();

    // The spin fields: 0 length, 1 nock, 2 point, 3 fletching, 4 insert
    // (FSpinEdit1, FSpinEdit2, FSpinEdit3, FSpinEdit4, FSpinEdit5).
    [[nodiscard]] QDoubleSpinBox* spinEdit(int number) const;

private:
    void buildWindow();
    void FormCreate();
    void loadRecord();
    // The catalogue record of the request, read on first use; throws the
    // catalogue's error for the error box.
    const catalogue::ShaftRecord& record();
    void ExitBtnClick();
    void wssSpeedButton1Click();
    void wssSpeedButton2Click();
    void openTuningGuide();
    // "Build Sheet...": the arrow build sheet of this shaft, length and
    // parts, with the bow of the main window's inputs.
    void BuildSheetBtnClick();
    // The field's value; text that is not a number counts as its minimum.
    [[nodiscard]] double valueOf(const QDoubleSpinBox* field) const;
    void setInitial(QDoubleSpinBox* field, double value);

    DetailRequest m_request;
    catalogue::ShaftCatalogue m_catalogue;
    std::optional<catalogue::ShaftRecord> m_record;
    std::array<QDoubleSpinBox*, 5> m_spins{};
    shell::ValueLabel* m_size = nullptr;         // Label4
    shell::ValueLabel* m_models = nullptr;       // Mods
    shell::ValueLabel* m_shaftWeight = nullptr;  // Label21
    shell::ValueLabel* m_totalWeight = nullptr;  // Label9
    shell::ValueLabel* m_arrowType = nullptr;
    shell::ValueLabel* m_maxLength = nullptr;
    shell::ValueLabel* m_outside = nullptr;
    shell::ValueLabel* m_inside = nullptr;
    shell::ValueLabel* m_wall = nullptr;
    shell::ValueLabel* m_gpi = nullptr;
    shell::ValueLabel* m_spine = nullptr;
    bool m_filling = false;
};

}  // namespace quivra::details
