#pragma once
// RecordNavigator (DBNavigator1): first, previous, next, last, edit, post and
// cancel buttons for the retrieval window.  It only reports the button
// pressed; the window does the moving.  setEditing() switches between browse
// (moving allowed, post and cancel off) and edit (only post and cancel).

#include <QWidget>

#include <array>

class QToolButton;

namespace quivra::customers {

class RecordNavigator : public QWidget {
    Q_OBJECT
public:
    enum class Button { First, Prior, Next, Last, Edit, Post, Cancel };

    explicit RecordNavigator(QWidget* parent = nullptr);

    void setEditing(bool editing);
    [[nodiscard]] QToolButton* button(Button which) const;

signals:
    void clicked(quivra::customers::RecordNavigator::Button button);

private:
    std::array<QToolButton*, 7> m_buttons{};
};

}  // namespace quivra::customers
