#pragma once
// TArrowSel (ArrowSel, "Quivra 2012"): the main window.  Its rules live in
// src/selection (the search and every state it leaves on screen); see
// docs/architecture.md for the handler names.  It holds the
// selection inputs, the category notebook ShaftsNB with one page per
// category, the carbon panel of the Hunting page, the main menu and the
// page command rows.
//
// Every change of an input text, every selection change of a set-up group
// and every change of the active page runs FindRec, which hands the inputs
// to the search engine and shows what it returns: first the messages of an
// invalid selection, then the final screen (the engine has already run the
// nested search a reset starts), then any error.  Texts the engine reset are
// written into the fields without another search, so the grid always
// matches the inputs on screen.  The window runs one search when it is
// first shown.
//
// Data files are opened by fixed names in the data folder given at
// construction (the working directory in the program).

#include "SearchEngine.h"
#include "SelectionInputs.h"

#include <QMainWindow>
#include <QString>

#include <array>
#include <filesystem>
#include <memory>
#include <optional>

class QAction;
class QTabWidget;

namespace quivra::info {
class HyperlinkLabel;
}
namespace quivra::customers {
struct SavedBuild;
}
namespace quivra::reports {
struct CategoryReportData;
}

namespace quivra::app {

class CategoryPage;
class CarbonPanel;
class InputsPanel;
class SlotButton;

class TArrowSel : public QMainWindow {
    Q_OBJECT
public:
    explicit TArrowSel(std::filesystem::path dataDir = ".", QWidget* parent = nullptr);
    ~TArrowSel() override;
    TArrowSel(const TArrowSel&) = delete;
    TArrowSel& operator=(const TArrowSel&) = delete;

    [[nodiscard]] const std::filesystem::path& dataDir() const { return m_dataDir; }
    [[nodiscard]] InputsPanel* inputs() const { return m_inputs; }
    [[nodiscard]] QTabWidget* notebook() const { return m_notebook; }  // ShaftsNB
    [[nodiscard]] CategoryPage* page(core::Page page) const;
    [[nodiscard]] CarbonPanel* carbonPanel() const;  // CAWTPanel
    [[nodiscard]] core::Page activePage() const;
    // Selects a page (runs the search through the page-change event).
    void setActivePage(core::Page page);
    // Puts a whole set of inputs (page included) on screen and runs one
    // search, as "Get Setup" does with a restored set-up.
    void restoreInputs(const selection::SelectionInputs& inputs);
    // The inputs as they stand on screen.
    [[nodiscard]] selection::SelectionInputs currentInputs() const;
    // TmpLbl2: the page of the last search's branch (nullopt before any).
    [[nodiscard]] std::optional<core::Page> searchedPage() const;
    // The last detail request a size button made (TmpLbl, SpcLbl, Mods).
    [[nodiscard]] const selection::DetailRequest& lastDetailRequest() const { return m_request; }
    [[nodiscard]] const selection::SearchEngine& engine() const { return *m_engine; }
    // Searches run since the window was made (for tests and the benchmark).
    [[nodiscard]] int searchCount() const { return m_searchCount; }
    // A search is running (one of its boxes is open).
    [[nodiscard]] bool searching() const { return m_searching; }
    // A menu command by its handler name ("ExitBtn1Click", ...), or nullptr.
    [[nodiscard]] QAction* menuAction(const QString& handler) const;

public slots:
    // The search (bound to the 13 input and page events).  Asked for while
    // a search is running, it runs once that one has finished.
    void FindRec();
    // Grid handlers.
    void TSzBtnClick();    // a size button: the arrow weight builder for its slot
    void HWtBtn9Click();   // a carbon "Details" button: shows the carbon panel
    void loseCarbonBtn();  // hides the carbon panel
    // Commands (MainWindowCommands.cpp).
    void ExitBtn1Click();                 // Exit: closes the program
    void SpeedButton3Click();             // Get Setup: retrieval window, then restore
    void HSaveBtnClick();                 // Save Setup (every page and the File menu)
    void ShopInformation1Click();         // File > Shop Information
    void HPrintBtnClick();                // Print of the Hunting page
    void TPrintBtnClick();                // Print of the Target page
    void SpeedButton9Click();             // Print of the Youth page
    void KstrPrintBtnClick();             // Print of the Kestra page
    void KECalcBtnClick();                // kinetic energy / FOC calculator
    void BuildSheetClick();               // Utilities > Arrow Build Sheet
    void Contents1Click();                // Utilities > Tuning Information
    void ExportCustomerDatabase1Click();  // Utilities > Export Customer Database
    void About1Click();                   // the about box
    void ModelsClick();                   // model guide of the last searched page
    void TrajectBtnClick();               // Utilities > Trajectory Table
    void TuningGuidePdfClick();           // opens tuning_guide.pdf
    void SaveReportPdfClick();            // File > Save Report as PDF (active page)
    void PrintPreviewClick();             // File > Print Preview (active page)

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildWindow();
    void bindSearchEvents();
    void bindGridHandlers();
    // One search and what it shows (FindRec runs it, once more for every
    // search asked for meanwhile).
    void runSearch();
    // The controls and grids of `outcome`.
    void showScreen(const selection::SearchOutcome& outcome);
    void requestDetails(const SlotButton& sizeButton);
    // MainWindowCommands.cpp
    void buildMenus();
    void bindCommands();
    [[nodiscard]] reports::CategoryReportData categoryReport(core::Page page) const;
    void printCategory(core::Page page);

    std::filesystem::path m_dataDir;
    std::unique_ptr<selection::SearchEngine> m_engine;
    InputsPanel* m_inputs = nullptr;
    QTabWidget* m_notebook = nullptr;
    std::array<CategoryPage*, 4> m_pages{};
    info::HyperlinkLabel* m_siteLink = nullptr;
    selection::DetailRequest m_request;
    int m_searchCount = 0;
    bool m_firstShow = true;
    bool m_searching = false;      // FindRec is running (its boxes may be open)
    bool m_searchPending = false;  // an input changed meanwhile: search again
    // The arrow chosen for the set-up on screen (a re-ordered build), which
    // Save Setup keeps with it; none until one is chosen.
    std::shared_ptr<const customers::SavedBuild> m_build;
};

}  // namespace quivra::app
