#include "TArrowSel.h"

#include "CarbonPanel.h"
#include "CategoryPage.h"
#include "ErrorHandler.h"
#include "HyperlinkLabel.h"
#include "InputsPanel.h"
#include "Links.h"
#include "MessageBox.h"
#include "SlotGrid.h"

#include <QAction>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStringList>
#include <QTabWidget>
#include <QVBoxLayout>

#include <utility>

namespace quivra::app {

using core::kPages;
using core::Page;

TArrowSel::TArrowSel(std::filesystem::path dataDir, QWidget* parent)
    : QMainWindow(parent),
      m_dataDir(std::move(dataDir)),
      m_engine(std::make_unique<selection::SearchEngine>(m_dataDir)) {
    setObjectName(QStringLiteral("ArrowSel"));
    setWindowTitle(QStringLiteral("Quivra 2012"));
    setAccessibleName(windowTitle());
    // Fixed size, minimise but no maximise.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::CustomizeWindowHint);
    buildWindow();
    buildMenus();
    showScreen(m_engine->current());  // the state before any search: empty grids
    bindSearchEvents();
    bindGridHandlers();
    bindCommands();
    setFixedSize(sizeHint());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(0, 0), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

TArrowSel::~TArrowSel() {
    // The children outlive this class's part of the object; tearing them down
    // (the notebook drops its pages) must not reach FindRec or the engine.
    for (QObject* child : findChildren<QObject*>()) {
        QObject::disconnect(child, nullptr, this, nullptr);
    }
}

void TArrowSel::buildWindow() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("ArrowSelClient"));

    m_inputs = new InputsPanel(central);
    m_siteLink =
        new info::HyperlinkLabel(info::links::kWebSiteText, QUrl(info::links::kWebSite), central);
    m_siteLink->setObjectName(QStringLiteral("SiteLink"));

    auto* left = new QVBoxLayout;
    left->setSpacing(10);
    left->addWidget(m_inputs, 1);
    left->addWidget(m_siteLink, 0, Qt::AlignHCenter);

    m_notebook = new QTabWidget(central);
    m_notebook->setObjectName(QStringLiteral("ShaftsNB"));
    m_notebook->setAccessibleName(QStringLiteral("Shaft categories"));
    for (const Page page : kPages) {
        const PageDescriptor& d = pageDescriptor(page);
        auto* widget = new CategoryPage(d, m_dataDir, m_notebook);
        m_pages[static_cast<std::size_t>(page)] = widget;
        m_notebook->addTab(widget, d.caption);
    }

    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(12);
    layout->addLayout(left);
    layout->addWidget(m_notebook, 1);
    setCentralWidget(central);

    // The left column from top to bottom, then the notebook.
    setTabOrder(m_inputs->tabOrder().back(), m_siteLink);
    setTabOrder(m_siteLink, m_notebook);
}

CategoryPage* TArrowSel::page(Page p) const {
    return m_pages[static_cast<std::size_t>(p)];
}

CarbonPanel* TArrowSel::carbonPanel() const {
    return page(Page::Hunt)->carbonPanel();
}

Page TArrowSel::activePage() const {
    const int index = m_notebook->currentIndex();
    return index >= 0 && index < 4 ? kPages[static_cast<std::size_t>(index)] : Page::Hunt;
}

void TArrowSel::setActivePage(Page p) {
    m_notebook->setCurrentIndex(static_cast<int>(p));
}

selection::SelectionInputs TArrowSel::currentInputs() const {
    return m_inputs->read(activePage());
}

std::optional<Page> TArrowSel::searchedPage() const {
    return m_engine->searchedPage();
}

void TArrowSel::bindSearchEvents() {
    for (QLineEdit* field : m_inputs->textFields()) {
        // textChanged fires for code as well as typing, and only on a change.
        connect(field, &QLineEdit::textChanged, this, &TArrowSel::FindRec);
    }
    for (ChoiceGroup* group : m_inputs->groups()) {
        connect(group, &ChoiceGroup::clicked, this, &TArrowSel::FindRec);
    }
    connect(m_notebook, &QTabWidget::currentChanged, this, &TArrowSel::FindRec);
}

void TArrowSel::bindGridHandlers() {
    for (CategoryPage* p : m_pages) {
        for (SlotButton* button : p->slotButtons()) {
            if (button->column() == SlotColumn::Size) {
                connect(button, &QPushButton::clicked, this, &TArrowSel::TSzBtnClick);
            }
        }
    }
    CategoryPage* hunt = page(Page::Hunt);
    for (int slot = 3; slot <= 10; ++slot) {
        connect(hunt->slotButton(slot, SlotColumn::Weight), &QPushButton::clicked, this,
                &TArrowSel::HWtBtn9Click);
    }
    connect(carbonPanel()->closeButton(), &QPushButton::clicked, this, &TArrowSel::loseCarbonBtn);
}

void TArrowSel::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_firstShow && !event->spontaneous()) {
        m_firstShow = false;
        FindRec();  // so the grid never shows its design-time state
    }
}

void TArrowSel::FindRec() {
    // The boxes a search shows run their own event loop, in which a timer, a
    // restore or a test may still change an input.  Such a search waits for
    // the running one to finish and then runs on the inputs on screen; a
    // search inside a search would pull the outcome from under the first.
    if (m_searching) {
        m_searchPending = true;
        return;
    }
    m_searching = true;
    do {
        m_searchPending = false;
        runSearch();
    } while (m_searchPending);
    m_searching = false;
}

void TArrowSel::runSearch() {
    shell::guarded(this, [this] {
        ++m_searchCount;
        const selection::SelectionInputs asked = m_inputs->read(activePage());
        const selection::SearchOutcome& outcome = m_engine->search(asked);
        for (const std::string& message : outcome.messages) {
            shell::MessageBox::information(this, QString::fromStdString(message));
        }
        // Writing the texts the search reset must not start another search:
        // the engine has already run the nested one, and this outcome is its
        // final screen.  Only those texts are written, so a change made
        // while a box was open stays for the search that follows.
        m_inputs->writeResetTexts(asked, outcome.inputs);
        showScreen(outcome);
        if (outcome.error) shell::showError(this, QString::fromStdString(*outcome.error));
        if (!outcome.dataErrors.empty()) {
            // One box for all faults of the delivered data, not one per slot.
            QStringList faults;
            for (const std::string& fault : outcome.dataErrors) {
                faults << QString::fromStdString(fault);
            }
            shell::showError(this, faults.join(QLatin1Char('\n')));
        }
    });
}

void TArrowSel::showScreen(const selection::SearchOutcome& outcome) {
    m_inputs->applyControls(outcome.controls);
    for (const Page p : kPages) page(p)->apply(outcome.grid(p));
}

void TArrowSel::TSzBtnClick() {
    // One handler serves every size button of every page: the sender says which.
    const auto* button = qobject_cast<const SlotButton*>(sender());
    if (!button || button->column() != SlotColumn::Size || !button->isEnabled() ||
        button->caption().isEmpty()) {
        return;  // an empty slot has no shaft to show
    }
    shell::guarded(this, [&] { requestDetails(*button); });
}

void TArrowSel::HWtBtn9Click() {
    CarbonPanel* panel = carbonPanel();
    panel->show();
    panel->raise();
}

void TArrowSel::loseCarbonBtn() {
    carbonPanel()->hide();
}

}  // namespace quivra::app
