#include "TuningHelpWindow.h"

#include "InfoWindows.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace quivra::info {

TuningHelpWindow::TuningHelpWindow(std::filesystem::path dataDir, QWidget* parent)
    : QMainWindow(parent, Qt::Window), m_dataDir(std::move(dataDir)) {
    setObjectName(QStringLiteral("TuningHelpWindow"));
    const QString markdown = tuningGuideMarkdown();
    const QString title = tuningGuideTitle(markdown);
    setWindowTitle(title.isEmpty() ? tr("Tuning Information") : title);
    m_topics = tuningTopics(markdown);

    m_contents = new QListWidget;
    m_contents->setObjectName(QStringLiteral("TopicList"));
    m_contents->setAccessibleName(tr("Contents"));
    for (const auto& topic : m_topics) m_contents->addItem(topic.title);
    m_contents->setMinimumWidth(m_contents->sizeHintForColumn(0) + 24);

    m_browser = new QTextBrowser;
    m_browser->setObjectName(QStringLiteral("TopicView"));
    m_browser->setAccessibleName(tr("Topic"));
    m_browser->setOpenExternalLinks(true);

    auto* splitter = new QSplitter;
    splitter->addWidget(m_contents);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({220, 680});

    auto* buttons = new QDialogButtonBox;
    auto* pdfButton = buttons->addButton(tr("Open Printable Guide"), QDialogButtonBox::ActionRole);
    pdfButton->setObjectName(QStringLiteral("OpenPdfBtn"));
    pdfButton->setAccessibleName(pdfButton->text());
    pdfButton->setToolTip(tr("Open tuning_guide.pdf"));
    auto* closeButton = buttons->addButton(tr("Close"), QDialogButtonBox::RejectRole);
    closeButton->setObjectName(QStringLiteral("CloseBtn"));
    closeButton->setAccessibleName(closeButton->text());
    connect(pdfButton, &QPushButton::clicked, this, &TuningHelpWindow::openPdf);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);

    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    layout->addWidget(splitter, 1);
    layout->addWidget(buttons);
    setCentralWidget(client);

    connect(m_contents, &QListWidget::currentRowChanged, this, &TuningHelpWindow::showTopic);
    if (m_topics.empty()) {
        m_browser->setPlainText(tr("The tuning guide is not available."));
    } else {
        m_contents->setCurrentRow(0);
    }
    resize(900, 640);
}

void TuningHelpWindow::showTopic(int index) {
    if (index < 0 || index >= topicCount()) return;
    if (m_contents->currentRow() != index) {
        m_contents->setCurrentRow(index);  // comes back here through currentRowChanged
        return;
    }
    fillGuideDocument(*m_browser->document(), m_topics[static_cast<std::size_t>(index)].markdown);
    m_browser->moveCursor(QTextCursor::Start);
}

int TuningHelpWindow::currentTopic() const {
    return m_contents->currentRow();
}

void TuningHelpWindow::openPdf() {
    openTuningGuidePdf(this, m_dataDir);
}

}  // namespace quivra::info
