#include "Startup.h"

#include "ErrorHandler.h"
#include "TArrowSel.h"
#include "TSplashV.h"

namespace quivra::app {

std::unique_ptr<TArrowSel> startMainWindow(const std::filesystem::path& dataDir) {
    auto splash = std::make_unique<TSplashV>(dataDir / "pictures" / "splash.jpg");
    splash->showNow();

    std::unique_ptr<TArrowSel> window;
    shell::guarded(nullptr, [&] { window = std::make_unique<TArrowSel>(dataDir); });
    splash.reset();
    if (window) window->show();
    return window;
}

}  // namespace quivra::app
