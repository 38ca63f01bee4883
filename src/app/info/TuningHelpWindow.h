#pragma once
// The "Tuning Information" help window: the tuning guide's topics in a
// contents list beside a text browser, opened at the first topic.  A button
// opens the printable guide (tuning_guide.pdf) from the data folder.  It is
// a main window of its own, not modal, and announced as a window.

#include <QMainWindow>

#include <filesystem>
#include <vector>

#include "TuningGuide.h"

class QListWidget;
class QTextBrowser;

namespace quivra::info {

class TuningHelpWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit TuningHelpWindow(std::filesystem::path dataDir, QWidget* parent = nullptr);

    // Shows topic `index` (0-based); out-of-range indexes are ignored.
    void showTopic(int index);
    [[nodiscard]] int currentTopic() const;
    [[nodiscard]] int topicCount() const { return static_cast<int>(m_topics.size()); }
    [[nodiscard]] QTextBrowser* browser() const { return m_browser; }

private:
    void openPdf();

    std::filesystem::path m_dataDir;
    std::vector<TuningTopic> m_topics;
    QListWidget* m_contents = nullptr;
    QTextBrowser* m_browser = nullptr;
};

}  // namespace quivra::info
