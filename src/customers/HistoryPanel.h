#pragma once
// HistoryPanel: the retrieval window's list of every set-up of the customer
// on screen, newest first (CustomerHistory.h), one line each with the date,
// category, bow weight, arrow length and shaft built.  Choosing a line
// (click, or the arrow keys) says which set-up to show.
//
// The panel reads through handles of its own, so the list never moves the
// window's current record.

#include "BuildStore.h"
#include "CustomerHistory.h"
#include "SavedSetupStore.h"

#include <QWidget>

#include <cstdint>
#include <filesystem>
#include <vector>

class QTreeWidget;

namespace quivra::customers {

class HistoryPanel : public QWidget {
    Q_OBJECT
public:
    // Opens Saveddb.dbf and Builds.dbf of `dataDir` for reading; a failure
    // is kept in error() and the list stays empty.
    explicit HistoryPanel(const std::filesystem::path& dataDir, QWidget* parent = nullptr);

    // Lists the set-ups of the customer with `address` (the record `recNo`
    // on screen) and marks `recNo`.  When that customer is listed already,
    // only the mark moves.  Ok, or why the history could not be read.
    storage::Status showFor(const CustomerAddress& address, std::uint32_t recNo);
    // Lists again, for records changed on file (an address corrected).
    storage::Status refresh(const CustomerAddress& address, std::uint32_t recNo);
    // The listed entry of set-up `recNo`, or nullptr.
    [[nodiscard]] const HistoryItem* entry(std::uint32_t recNo) const;
    [[nodiscard]] QTreeWidget* list() const { return m_list; }
    [[nodiscard]] const storage::Status& error() const { return m_error; }
    // What the stores mended on opening (an index rebuilt), once.
    std::string takeNotice();

signals:
    // The user chose the line of set-up `recNo`.
    void chosen(std::uint32_t recNo);

private:
    void fill();
    void mark(std::uint32_t recNo);

    SavedSetupStore m_setups;
    BuildStore m_builds;
    storage::Status m_error;
    CustomerAddress m_customer;
    bool m_listed = false;
    std::vector<HistoryItem> m_entries;
    QTreeWidget* m_list;
    bool m_marking = false;
};

}  // namespace quivra::customers
