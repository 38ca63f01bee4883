#pragma once
// CarbonPanel (CAWTPanel): the framed panel of the Hunting page that shows
// the carbon slots 11 to 16.  It is hidden at start; the "Details" weight
// buttons show it and its "Close" button hides it.  Searches and page changes
// leave it as it is.

#include <QFrame>

class QPushButton;

namespace quivra::app {

class SlotGrid;

class CarbonPanel : public QFrame {
    Q_OBJECT
public:
    explicit CarbonPanel(QWidget* parent = nullptr);

    [[nodiscard]] SlotGrid* grid() const { return m_grid; }
    [[nodiscard]] QPushButton* closeButton() const { return m_close; }

private:
    SlotGrid* m_grid;
    QPushButton* m_close;
};

}  // namespace quivra::app
