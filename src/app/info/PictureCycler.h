#pragma once
// PictureCycler: shows a list of pictures one after another, one every
// interval.  The list can be replaced at any time; it then starts again at
// its first picture.  Used for the calculator's animation and, through
// Banner, for the main window's banners.

#include <QLabel>
#include <QPixmap>
#include <QTimer>

#include <filesystem>
#include <vector>

namespace quivra::info {

class PictureCycler : public QLabel {
    Q_OBJECT
public:
    explicit PictureCycler(QWidget* parent = nullptr);

    // Replaces the pictures and shows the first one.  Files that cannot be
    // read are left out; when none can, a short text says which is missing.
    void setPictureFiles(const std::vector<std::filesystem::path>& files);
    void setPictures(std::vector<QPixmap> pictures);
    // Milliseconds between pictures (default 3000).  Takes effect at once.
    void setInterval(int milliseconds);
    [[nodiscard]] int interval() const { return m_timer.interval(); }

    void start();
    void stop();
    [[nodiscard]] bool isRunning() const { return m_timer.isActive(); }

    [[nodiscard]] int pictureCount() const { return static_cast<int>(m_pictures.size()); }
    [[nodiscard]] int currentIndex() const { return m_current; }
    // Moves on to the next picture, as the timer does.
    void advance();

private:
    void showCurrent();

    std::vector<QPixmap> m_pictures;
    int m_current = 0;
    QTimer m_timer;
};

}  // namespace quivra::info
