#pragma once
// TSplashV (SplashV): the borderless start-up window, centred on the screen,
// showing the splash picture over its whole area.  Without the picture it
// draws a plain branded panel instead, so start-up never depends on it.

#include <QPixmap>
#include <QWidget>

#include <filesystem>

namespace quivra::app {

class TSplashV : public QWidget {
    Q_OBJECT
public:
    static constexpr int kFallbackWidth = 480;
    static constexpr int kFallbackHeight = 300;

    // Reads `picture` (normally <working directory>/pictures/splash.jpg).
    explicit TSplashV(const std::filesystem::path& picture, QWidget* parent = nullptr);

    [[nodiscard]] bool hasPicture() const { return !m_picture.isNull(); }
    // Shows the window and paints it before returning, so it appears while
    // the start-up goes on without an event loop.
    void showNow();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
};

}  // namespace quivra::app
