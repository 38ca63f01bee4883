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

HistoryPanel::HistoryPanel(QWidget* parent) : QWidget(parent), m_list(new QTreeWidget(this)) {
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
        emit chosen(item->data(0, Qt::UserRole).toString());
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption);
    layout->addWidget(m_list);
}

storage::Status HistoryPanel::showFor(SetupStore& store, const CustomerAddress& address,
                                      const SetupId& id) {
    if (m_listed && sameCustomer(address, m_customer) && entry(id) != nullptr) {
        mark(id);
        return storage::Status::ok();
    }
    return refresh(store, address, id);
}

storage::Status HistoryPanel::refresh(SetupStore& store, const CustomerAddress& address,
                                      const SetupId& id) {
    m_customer = address;
    m_entries.clear();
    m_listed = false;
    storage::Status s;
    if (!id.empty()) {
        auto history = store.history(address);
        if (history) {
            m_entries = std::move(history).value();
            m_listed = true;
        } else {
            s = history.status();
        }
    }
    fill();
    mark(id);
    return s;
}

void HistoryPanel::fill() {
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    for (const HistoryEntry& e : m_entries) {
        const HistoryRow row = historyRow(e);
        auto* item = new QTreeWidgetItem(m_list, {qs(row.date), qs(row.category), qs(row.bowWeight),
                                                  qs(row.arrowLength), qs(row.shaft)});
        item->setData(0, Qt::UserRole, qs(e.id));
        // A screen reader reads the whole line with its captions.
        item->setData(0, Qt::AccessibleTextRole,
                      tr("Saved %1, %2, bow weight %3, arrow length %4, shaft %5")
                          .arg(qs(row.date), qs(row.category), qs(row.bowWeight),
                               qs(row.arrowLength), qs(row.shaft)));
    }
}

void HistoryPanel::mark(const SetupId& id) {
    m_marking = true;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_list->topLevelItem(i);
        if (item->data(0, Qt::UserRole).toString().toStdString() == id) {
            m_list->setCurrentItem(item);
            break;
        }
    }
    m_marking = false;
}

const HistoryEntry* HistoryPanel::entry(const SetupId& id) const {
    if (id.empty()) return nullptr;
    for (const HistoryEntry& e : m_entries) {
        if (e.id == id) return &e;
    }
    return nullptr;
}

}  // namespace quivra::customers
