#pragma once
// BuildSheet, "Arrow Build Sheet": what the finished arrow will do from the
// customer's bow.  The window is a view over the rules: it reads its fields
// into one calculators::BuildSheetInput, computes the sheet on every change
// of any field (computeBuildSheet, well under a millisecond) and shows the
// results, the downrange table and the plot; there is no compute button.
// Fields in fault are marked and the notes say what to correct.
//
// It opens with the values SheetOpening gives (from the main window or the
// arrow weight builder) and reads catalogue shafts from the data folder.
// Print and "Save as PDF..." put the sheet on one US Letter page headed
// with the shop's details (reports::BuildSheetReport); "Preview" shows the
// same page in the print preview.  "Save to Customer..." and "Ticket..."
// hand the sheet's build, with the quantity and notes of the order row, to
// the opener's commands (SheetCommands); without one the button is disabled.
//
// Panels, top to bottom and left to right (the Tab order): Bow, Spine
// Check, Arrow, Results, Downrange, the order row, then the command row.

#include "BuildSheet.h"
#include "BuildSheetReport.h"
#include "SavedBuild.h"
#include "ShaftCatalogue.h"
#include "SheetCommands.h"
#include "SheetOpening.h"

#include <QDialog>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class QLineEdit;
class QPushButton;
class QSpinBox;

namespace quivra::buildsheet {

class ArrowPanel;
class BowPanel;
class ChartPanel;
class DownrangePanel;
class ResultsPanel;

class TBuildSheet : public QDialog {
    Q_OBJECT
public:
    TBuildSheet(const SheetStart& start, const std::filesystem::path& dataDir,
                QWidget* parent = nullptr);
    TBuildSheet(const SheetStart& start, const std::filesystem::path& dataDir,
                SheetCommands commands, QWidget* parent = nullptr);
    ~TBuildSheet() override;
    TBuildSheet(const TBuildSheet&) = delete;
    TBuildSheet& operator=(const TBuildSheet&) = delete;
    TBuildSheet(TBuildSheet&&) = delete;
    TBuildSheet& operator=(TBuildSheet&&) = delete;

    // Reads every field, recomputes the sheet and shows it (bound to every
    // field's change).
    void ChangeInputs();
    // Print: the sheet's page on the default printer (or the PDF offer).
    void PrintBtnClick();
    // "Save as PDF...": the same page into a PDF file.
    void SavePdfBtnClick();
    // "Preview": the printed page in the print preview.
    void PreviewBtnClick();
    // "Save to Customer...": the set-up with this build, through the opener.
    void SaveCustBtnClick();
    // "Ticket...": the bench work ticket of this build, through the opener.
    void TicketBtnClick();
    // Close.
    void ExitBtnClick();

    // The sheet's build as it would be saved; empty (the user told why)
    // while the sheet has faults or no catalogue shaft.
    std::optional<customers::SavedBuild> currentBuild(const QString& command);

    // The input as last read and the sheet computed from it.
    [[nodiscard]] const calculators::BuildSheetInput& input() const { return m_input; }
    [[nodiscard]] const calculators::BuildSheet& sheet() const { return m_sheet; }
    // Recomputations since the window was made.
    [[nodiscard]] int computeCount() const { return m_computeCount; }
    // Every field and command in Tab order.
    [[nodiscard]] std::vector<QWidget*> focusOrder() const;

private:
    void buildWindow();
    // The shaft of the key field on the chart's page, looked up again only
    // when either changed; an error for the shaft field when there is none.
    void readShaft(core::Page page, std::vector<calculators::InputError>& errors);
    void showFaults(const std::vector<calculators::InputError>& errors);
    // The page to print with the shop's details; empty (the user told why)
    // while the sheet has faults.  Throws when the shop's table cannot be read.
    std::optional<reports::BuildSheetReportData> reportData(const QString& command);
    // Tells the user the sheet has faults (`message` with %1 for the
    // first); false then.
    bool sheetReady(const QString& command, const QString& message);

    std::filesystem::path m_dataDir;
    SheetCommands m_commands;
    catalogue::ShaftCatalogue m_catalogue;
    std::string m_openedKey;
    std::string m_openedModels;
    core::Page m_openedPage;
    std::vector<std::string> m_notes;
    // The last lookup: its key and page, and its shaft or failure.
    std::string m_lookedUpKey;
    std::optional<core::Page> m_lookedUpPage;
    std::optional<calculators::ShaftRecord> m_shaft;
    std::string m_shaftError;

    calculators::BuildSheetInput m_input;
    calculators::BuildSheet m_sheet;
    int m_computeCount = 0;

    BowPanel* m_bow = nullptr;
    ChartPanel* m_chart = nullptr;
    ArrowPanel* m_arrow = nullptr;
    ResultsPanel* m_results = nullptr;
    DownrangePanel* m_downrange = nullptr;
    QSpinBox* m_quantity = nullptr;
    QLineEdit* m_buildNotes = nullptr;
    std::vector<QPushButton*> m_buttons;
};

}  // namespace quivra::buildsheet
