#pragma once
// CustomerDbPanel: the "Customer database:" choice of the shop window, this
// computer or a shared server, with the server's host, port, database, user
// and TLS mode (CustomerDbSettings.h).  The server's fields are enabled only
// for the shared server.  There is no password field: the password is read
// from the user's ~/.pgpass or the desktop keyring, never stored by the
// program.

#include "CustomerDbSettings.h"

#include <QGroupBox>

class QComboBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace quivra::customers {

class CustomerDbPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit CustomerDbPanel(QWidget* parent = nullptr);

    void setSettings(const CustomerDbSettings& settings);
    [[nodiscard]] CustomerDbSettings settings() const;
    // The first and last control of the tab order.
    [[nodiscard]] QWidget* firstControl() const;
    [[nodiscard]] QWidget* lastControl() const;

private:
    void updateEnabled();

    QRadioButton* m_local;
    QRadioButton* m_server;
    QLineEdit* m_host;
    QSpinBox* m_port;
    QLineEdit* m_database;
    QLineEdit* m_user;
    QComboBox* m_tls;
};

}  // namespace quivra::customers
