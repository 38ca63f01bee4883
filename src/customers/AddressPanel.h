#pragma once
// AddressPanel: the customer's name, address, code and comments edits shared
// by the save and the retrieval windows.  Object names are those of the
// window designs (DBEdit1 NAME, DBEdit6/7 ADDR1/2, DBEdit8/9/10 CITY/STATE/ZIP,
// DBEdit2 COUNTRY, DBEdit11 CCODE, DBMemo1 COMMENTS); the tab order runs in
// that order.  The state edit turns every letter typed into upper case.

#include "CustomerAddress.h"

#include <QWidget>

#include <functional>
#include <string>
#include <string_view>

class QLineEdit;
class QPlainTextEdit;

namespace quivra::customers {

class AddressPanel : public QWidget {
    Q_OBJECT
public:
    explicit AddressPanel(QWidget* parent = nullptr);

    [[nodiscard]] CustomerAddress address() const;
    void setAddress(const CustomerAddress& address);
    // Read-only fields take the window's background, so they do not look
    // typeable; editable ones the edit's own white.
    void setReadOnly(bool readOnly);
    // Limits each line edit to its field's width (0: no limit).
    void setWidths(const std::function<int(std::string_view field)>& widthOf);
    // The first edit of the tab order (the name).
    [[nodiscard]] QWidget* firstEdit() const;

private:
    QLineEdit* m_name;
    QLineEdit* m_addr1;
    QLineEdit* m_addr2;
    QLineEdit* m_city;
    QLineEdit* m_state;
    QLineEdit* m_zip;
    QLineEdit* m_country;
    QLineEdit* m_ccode;
    QPlainTextEdit* m_comments;
    std::string m_storedComments;  // the comments as last set
    QString m_shownComments;       // and as the memo edit showed them
};

}  // namespace quivra::customers
