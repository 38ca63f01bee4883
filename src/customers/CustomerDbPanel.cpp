#include "CustomerDbPanel.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

namespace quivra::customers {

namespace {

template <class Widget>
Widget* named(Widget* w, const char* objectName, const QString& accessibleName) {
    w->setObjectName(QString::fromLatin1(objectName));
    w->setAccessibleName(accessibleName);
    return w;
}

}  // namespace

CustomerDbPanel::CustomerDbPanel(QWidget* parent)
    : QGroupBox(tr("Customer database:"), parent),
      m_local(
          named(new QRadioButton(tr("this computer"), this), "CustDbLocal", tr("this computer"))),
      m_server(
          named(new QRadioButton(tr("shared server"), this), "CustDbServer", tr("shared server"))),
      m_host(named(new QLineEdit(this), "CustDbHost", tr("Host"))),
      m_port(named(new QSpinBox(this), "CustDbPort", tr("Port"))),
      m_database(named(new QLineEdit(this), "CustDbName", tr("Database"))),
      m_user(named(new QLineEdit(this), "CustDbUser", tr("User"))),
      m_tls(named(new QComboBox(this), "CustDbTls", tr("TLS mode"))) {
    setObjectName(QStringLiteral("CustDbPanel"));
    setAccessibleName(tr("Customer database"));
    auto* group = new QButtonGroup(this);
    group->addButton(m_local);
    group->addButton(m_server);
    m_port->setRange(1, 65535);
    m_host->setPlaceholderText(tr("name or address; empty: this machine"));
    m_user->setPlaceholderText(tr("empty: your login name"));
    for (const std::string_view mode : kTlsModeNames) {
        m_tls->addItem(QString::fromLatin1(mode.data(), static_cast<qsizetype>(mode.size())));
    }
    m_tls->setToolTip(
        tr("A server on another machine is reached over TLS only: verify-full checks its "
           "certificate and name."));

    auto* choice = new QHBoxLayout;
    choice->addWidget(m_local);
    choice->addWidget(m_server);
    choice->addStretch(1);
    auto* form = new QFormLayout(this);
    form->addRow(choice);
    form->addRow(tr("Host:"), m_host);
    form->addRow(tr("Port:"), m_port);
    form->addRow(tr("Database:"), m_database);
    form->addRow(tr("User:"), m_user);
    form->addRow(tr("TLS mode:"), m_tls);

    setTabOrder(m_local, m_server);
    setTabOrder(m_server, m_host);
    setTabOrder(m_host, m_port);
    setTabOrder(m_port, m_database);
    setTabOrder(m_database, m_user);
    setTabOrder(m_user, m_tls);
    connect(m_server, &QRadioButton::toggled, this, [this] { updateEnabled(); });
    setSettings({});
}

void CustomerDbPanel::setSettings(const CustomerDbSettings& settings) {
    (settings.kind == CustomerDbKind::Server ? m_server : m_local)->setChecked(true);
    m_host->setText(QString::fromStdString(settings.host));
    m_port->setValue(settings.port);
    m_database->setText(QString::fromStdString(settings.database));
    m_user->setText(QString::fromStdString(settings.user));
    const int tls = m_tls->findText(QString::fromStdString(settings.sslMode));
    m_tls->setCurrentIndex(tls < 0 ? 0 : tls);
    updateEnabled();
}

CustomerDbSettings CustomerDbPanel::settings() const {
    CustomerDbSettings s;
    s.kind = m_server->isChecked() ? CustomerDbKind::Server : CustomerDbKind::Local;
    s.host = m_host->text().trimmed().toStdString();
    s.port = m_port->value();
    s.database = m_database->text().trimmed().toStdString();
    s.user = m_user->text().trimmed().toStdString();
    s.sslMode = m_tls->currentText().toStdString();
    return s;
}

QWidget* CustomerDbPanel::firstControl() const {
    return m_local;
}

QWidget* CustomerDbPanel::lastControl() const {
    return m_tls;
}

void CustomerDbPanel::updateEnabled() {
    const bool server = m_server->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{m_host, m_port, m_database, m_user, m_tls}) {
        w->setEnabled(server);
    }
}

}  // namespace quivra::customers
