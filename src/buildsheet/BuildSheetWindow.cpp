#include "BuildSheetWindow.h"

#include "ModalPattern.h"
#include "TBuildSheet.h"

namespace quivra::buildsheet {

void openBuildSheet(QWidget* parent, const SheetStart& start,
                    const std::filesystem::path& dataDir) {
    shell::runModal<TBuildSheet>(parent, start, dataDir);
}

}  // namespace quivra::buildsheet
