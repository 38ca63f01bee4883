#include "HistoryPanel.h"

#include <QHeaderView>
#include <QLabel>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quivra::customers {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

HistoryPanel::HistoryPanel(const std::filesystem::path& dataDir, QWidget* parent)
    : QWidget(parent), m_setups(dataDir), m_builds(dataDir), m_list(new QTreeWidget(this)) {
    setObjectName(QStringLiteral("HistoryPanel"));
    auto* caption = new QLabel(tr("&History of this customer:"), this);
    caption->setBuddy(m_list);
    m_list->setObjectName(QStringLiteral("HistoryList"));
    m_list->setAccessibleName(tr("History of this customer"));
    m_list->setAccessibleDescription(
        tr("Every set-up saved for this customer, newest first. Choose one to show it."));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHeaderLabels(
        {tr("Date"), tr("Category"), tr("Bow Weight"), tr("Arrow Length"), tr("Shaft Built")});
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->setMinimumHeight(m_list->fontMetrics().height() * 7);
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item == nullptr || m_marking) return;
        emit chosen(item->data(0, Qt::UserRole).toUInt());
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption);
    layout->addWidget(m_list);

    m_error = m_setups.open();
    if (m_error) m_error = m_builds.openForReading();
}

std::string HistoryPanel::takeNotice() {
    std::string notice = m_setups.takeNotice();
    const std::string builds = m_builds.takeNotice();
    if (!notice.empty() && !builds.empty()) notice += "\n\n";
    return notice + builds;
}

storage::Status HistoryPanel::showFor(const CustomerAddress& address, std::uint32_t recNo) {
    if (m_listed && sameCustomer(address, m_customer) && entry(recNo) != nullptr) {
        mark(recNo);
        return storage::Status::ok();
    }
    return refresh(address, recNo);
}

storage::Status HistoryPanel::refresh(const CustomerAddress& address, std::uint32_t recNo) {
    m_customer = address;
    m_entries.clear();
    m_listed = false;
    storage::Status s = m_error;
    if (s) {
        auto history = customerHistory(m_setups, m_builds, address);
        if (history) {
            m_entries = std::move(history).value();
            m_listed = true;
        } else {
            s = history.status();
        }
    }
    fill();
    mark(recNo);
    return s;
}

void HistoryPanel::fill() {
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    for (const HistoryItem& e : m_entries) {
        const HistoryRow row = historyRow(e);
        auto* item = new QTreeWidgetItem(m_list, {qs(row.date), qs(row.category), qs(row.bowWeight),
                                                  qs(row.arrowLength), qs(row.shaft)});
        item->setData(0, Qt::UserRole, e.recNo);
        // A screen reader reads the whole line with its captions.
        item->setData(0, Qt::AccessibleTextRole,
                      tr("Saved %1, %2, bow weight %3, arrow length %4, shaft %5")
                          .arg(qs(row.date), qs(row.category), qs(row.bowWeight),
                               qs(row.arrowLength), qs(row.shaft)));
    }
}

void HistoryPanel::mark(std::uint32_t recNo) {
    m_marking = true;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_list->topLevelItem(i);
        if (item->data(0, Qt::UserRole).toUInt() == recNo) {
            m_list->setCurrentItem(item);
            break;
        }
    }
    m_marking = false;
}

const HistoryItem* HistoryPanel::entry(std::uint32_t recNo) const {
    for (const HistoryItem& e : m_entries) {
        if (e.recNo == recNo) return &e;
    }
    return nullptr;
}

}  // namespace quivra::customers
