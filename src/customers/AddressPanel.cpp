#include "AddressPanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QValidator>

namespace quivra::customers {

namespace {

// Accepts everything and turns it into upper case, typed or pasted alike.
class UpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toUpper();
        return Acceptable;
    }
};

QLineEdit* makeEdit(QWidget* parent, const char* objectName, const QString& accessibleName) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(objectName));
    edit->setAccessibleName(accessibleName);
    return edit;
}

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}
std::string ss(const QString& s) {
    return s.toStdString();
}

}  // namespace

AddressPanel::AddressPanel(QWidget* parent)
    : QWidget(parent),
      m_name(makeEdit(this, "DBEdit1", tr("Name"))),
      m_addr1(makeEdit(this, "DBEdit6", tr("Address"))),
      m_addr2(makeEdit(this, "DBEdit7", tr("Address line 2"))),
      m_city(makeEdit(this, "DBEdit8", tr("City"))),
      m_state(makeEdit(this, "DBEdit9", tr("State"))),
      m_zip(makeEdit(this, "DBEdit10", tr("ZIP"))),
      m_country(makeEdit(this, "DBEdit2", tr("Country"))),
      m_ccode(makeEdit(this, "DBEdit11", tr("Code"))),
      m_comments(new QPlainTextEdit(this)) {
    m_comments->setObjectName(QStringLiteral("DBMemo1"));
    m_comments->setAccessibleName(tr("Comments"));
    m_comments->setTabChangesFocus(true);
    m_state->setValidator(new UpperCaseValidator(m_state));

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    int row = 0;
    const auto addRow = [&](const QString& caption, QWidget* field) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        grid->addWidget(label, row, 0, Qt::AlignRight | Qt::AlignTop);
        grid->addWidget(field, row, 1);
        ++row;
    };
    addRow(tr("Name:"), m_name);
    addRow(tr("Address:"), m_addr1);
    addRow(tr("Address:"), m_addr2);
    auto* cityRow = new QWidget(this);
    auto* cityLayout = new QHBoxLayout(cityRow);
    cityLayout->setContentsMargins(0, 0, 0, 0);
    cityLayout->addWidget(m_city, 3);
    cityLayout->addWidget(m_state, 1);
    cityLayout->addWidget(m_zip, 2);
    addRow(tr("City / St / ZIP:"), cityRow);
    addRow(tr("Country:"), m_country);
    addRow(tr("Code:"), m_ccode);
    addRow(tr("Comments:"), m_comments);

    QWidget* order[] = {m_name, m_addr1,   m_addr2, m_city,    m_state,
                        m_zip,  m_country, m_ccode, m_comments};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

CustomerAddress AddressPanel::address() const {
    CustomerAddress a;
    a.name = ss(m_name->text());
    a.addr1 = ss(m_addr1->text());
    a.addr2 = ss(m_addr2->text());
    a.city = ss(m_city->text());
    a.state = ss(m_state->text());
    a.zip = ss(m_zip->text());
    a.country = ss(m_country->text());
    a.ccode = ss(m_ccode->text());
    // The memo edit keeps lines apart with "\n" only; comments written by other
    // software may use "\r\n".  Unless the user changed them, hand back the
    // stored text byte for byte, so that posting an address correction never
    // rewrites the comments behind the user's back.
    const QString shown = m_comments->toPlainText();
    a.comments = shown == m_shownComments ? m_storedComments : ss(shown);
    return a;
}

void AddressPanel::setAddress(const CustomerAddress& a) {
    m_name->setText(qs(a.name));
    m_addr1->setText(qs(a.addr1));
    m_addr2->setText(qs(a.addr2));
    m_city->setText(qs(a.city));
    m_state->setText(qs(a.state));
    m_zip->setText(qs(a.zip));
    m_country->setText(qs(a.country));
    m_ccode->setText(qs(a.ccode));
    m_comments->setPlainText(qs(a.comments));
    m_storedComments = a.comments;
    m_shownComments = m_comments->toPlainText();
}

void AddressPanel::setReadOnly(bool readOnly) {
    // A field that cannot be typed into must not look as if it could: it
    // takes the window's face instead of the white of an edit.
    const auto look = [readOnly](QWidget* field) {
        if (!readOnly) {
            field->setPalette(QPalette());  // back to the edit's own colours
            return;
        }
        QPalette face = field->palette();
        for (const auto group : {QPalette::Active, QPalette::Inactive}) {
            face.setColor(group, QPalette::Base, face.color(group, QPalette::Window));
        }
        field->setPalette(face);
    };
    for (QLineEdit* e : {m_name, m_addr1, m_addr2, m_city, m_state, m_zip, m_country, m_ccode}) {
        e->setReadOnly(readOnly);
        look(e);
    }
    m_comments->setReadOnly(readOnly);
    look(m_comments);
}

void AddressPanel::setWidths(const std::function<int(std::string_view field)>& widthOf) {
    const std::pair<QLineEdit*, const char*> edits[] = {
        {m_name, "NAME"},   {m_addr1, "ADDR1"}, {m_addr2, "ADDR2"},     {m_city, "CITY"},
        {m_state, "STATE"}, {m_zip, "ZIP"},     {m_country, "COUNTRY"}, {m_ccode, "CCODE"},
    };
    for (const auto& [edit, field] : edits) {
        const int width = widthOf(field);
        edit->setMaxLength(width > 0 ? width : 32767);
    }
}

QWidget* AddressPanel::firstEdit() const {
    return m_name;
}

}  // namespace quivra::customers
