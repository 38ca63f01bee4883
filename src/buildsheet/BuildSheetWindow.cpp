#include "BuildSheetWindow.h"

#include "ModalPattern.h"
#include "TBuildSheet.h"

namespace quivra::buildsheet {

void openBuildSheet(QWidget* parent, const SheetStart& start, const std::filesystem::path& dataDir,
                    SheetCommands commands) {
    shell::runModal<TBuildSheet>(parent, start, dataDir, std::move(commands));
}

}  // namespace quivra::buildsheet
