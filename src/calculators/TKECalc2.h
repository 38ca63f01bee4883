#pragma once
// KECalc2, "2012 Kinetic Energy and Front of Center Calculators": two tab
// pages.  "Kinetic Energy" turns the arrow's total weight and impact velocity
// into foot-pounds and rates them on the hunting-usage scale with a matching
// picture series; "Front of Center" turns the arrow length L and the balance
// distance A into the FOC percentage.  The window reads nothing from other
// windows and writes nothing back.

#include <QDialog>

#include <filesystem>

class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace quivra::info {
class PictureCycler;
}
namespace quivra::shell {
class ValueLabel;
}

namespace quivra::calculators {

class HuntingUsageScale;
enum class GameClass;

class TKECalc2 : public QDialog {
    Q_OBJECT
public:
    explicit TKECalc2(std::filesystem::path dataDir, QWidget* parent = nullptr);

    // Handlers, public so that tests drive them as the buttons do.
    void GrainWtChange();
    void FOCCalcBtnClick();
    void FormActivate();

    // The picture list the animation runs ("SmallImg" ... "Tanks").
    [[nodiscard]] QString animationList() const { return m_animationList; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildEnergyPage();
    QWidget* buildFocPage();
    QPushButton* makeCloseButton();
    void runAnimation(GameClass gameClass);
    void KECloseBtnClick();

    std::filesystem::path m_dataDir;
    QTabWidget* m_pages = nullptr;
    QSpinBox* m_grainWt = nullptr;
    QSpinBox* m_velocity = nullptr;
    shell::ValueLabel* m_energy = nullptr;  // Label6
    HuntingUsageScale* m_usage = nullptr;
    info::PictureCycler* m_animator = nullptr;
    QDoubleSpinBox* m_length = nullptr;
    QDoubleSpinBox* m_balance = nullptr;
    shell::ValueLabel* m_foc = nullptr;  // Label9
    QString m_animationList;
};

}  // namespace quivra::calculators
