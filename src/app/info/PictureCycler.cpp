#include "PictureCycler.h"

#include "Pictures.h"

namespace quivra::info {

PictureCycler::PictureCycler(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignCenter);
    m_timer.setInterval(3000);
    connect(&m_timer, &QTimer::timeout, this, &PictureCycler::advance);
}

void PictureCycler::setPictureFiles(const std::vector<std::filesystem::path>& files) {
    std::vector<QPixmap> pictures;
    for (const auto& file : files) {
        QPixmap picture = pictures::load(file);
        if (!picture.isNull()) pictures.push_back(std::move(picture));
    }
    setPictures(std::move(pictures));
    if (m_pictures.empty()) {
        setWordWrap(true);
        setText(files.empty() ? tr("Pictures not available")
                              : pictures::missingText(files.front()));
    }
}

void PictureCycler::setPictures(std::vector<QPixmap> pictures) {
    m_pictures = std::move(pictures);
    m_current = 0;
    if (m_timer.isActive()) m_timer.start();  // a new list gets a full first interval
    showCurrent();
}

void PictureCycler::setInterval(int milliseconds) {
    m_timer.setInterval(milliseconds);
}

void PictureCycler::start() {
    m_timer.start();
}

void PictureCycler::stop() {
    m_timer.stop();
}

void PictureCycler::advance() {
    if (m_pictures.empty()) return;
    m_current = (m_current + 1) % static_cast<int>(m_pictures.size());
    showCurrent();
}

void PictureCycler::showCurrent() {
    if (m_pictures.empty()) {
        setPixmap({});
        return;
    }
    setPixmap(m_pictures[static_cast<std::size_t>(m_current)]);
}

}  // namespace quivra::info
