#pragma once
// ChoiceGroup: a radio group (framed, with an optional caption) whose items
// are numbered from 0.  clicked() is raised whenever the selected item
// changes, by the user or by setItemIndex(); choosing the item that is
// already selected raises nothing.

#include <QGroupBox>
#include <QStringList>

#include <vector>

class QButtonGroup;
class QRadioButton;

namespace quivra::app {

class ChoiceGroup : public QGroupBox {
    Q_OBJECT
public:
    // `accessibleName` names a group without a caption for assistive
    // technology; a captioned group is named by its caption.  Items are laid
    // out in `columns` columns, filled row by row.
    ChoiceGroup(const QString& objectName, const QString& caption, const QStringList& items,
                const QString& accessibleName, int columns = 1, QWidget* parent = nullptr);

    // The selected item, or -1 when none is.
    [[nodiscard]] int itemIndex() const { return m_index; }
    // Selects item `index` (-1 clears the selection); raises clicked() when
    // that changes the selection.  An index outside the items clears it.
    void setItemIndex(int index);

    [[nodiscard]] int count() const { return static_cast<int>(m_items.size()); }
    [[nodiscard]] QRadioButton* item(int index) const { return m_items.at(index); }

    // Colour of the caption and item texts.
    void setFontColour(const QColor& colour);
    [[nodiscard]] QColor fontColour() const;

signals:
    void clicked();

private:
    void onToggled(int id, bool checked);

    QButtonGroup* m_buttons;
    std::vector<QRadioButton*> m_items;
    int m_index = -1;
};

}  // namespace quivra::app
