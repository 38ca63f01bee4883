#pragma once
// HistoryPanel: the retrieval window's list of every set-up of the customer
// on screen, newest first (CustomerHistory.h), one line each with the date,
// category, bow weight, arrow length and shaft built.  Choosing a line
// (click, or the arrow keys) says which set-up to show.
//
// The list is read from the window's store (SetupStore::history()), which
// stays on its record, so the list never moves the window.

#include "CustomerHistory.h"
#include "SetupStore.h"

#include <QWidget>

#include <vector>

class QTreeWidget;

namespace quivra::customers {

class HistoryPanel : public QWidget {
    Q_OBJECT
public:
    explicit HistoryPanel(QWidget* parent = nullptr);

    // Lists the set-ups of the customer with `address` (the set-up `id` on
    // screen) from `store`, and marks `id`.  When that customer is listed
    // already, only the mark moves.  Ok, or why the history could not be read.
    storage::Status showFor(SetupStore& store, const CustomerAddress& address, const SetupId& id);
    // Lists again, for set-ups changed in the store (an address corrected).
    storage::Status refresh(SetupStore& store, const CustomerAddress& address, const SetupId& id);
    // The listed entry of set-up `id`, or nullptr.
    [[nodiscard]] const HistoryEntry* entry(const SetupId& id) const;
    [[nodiscard]] QTreeWidget* list() const { return m_list; }

signals:
    // The user chose the line of set-up `id`.
    void chosen(const QString& id);

private:
    void fill();
    void mark(const SetupId& id);

    CustomerAddress m_customer;
    bool m_listed = false;
    std::vector<HistoryEntry> m_entries;
    QTreeWidget* m_list;
    bool m_marking = false;
};

}  // namespace quivra::customers
