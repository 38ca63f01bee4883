#pragma once
// AboutBox1, the shaft model guide: a large scrollable picture explaining the
// model codes of one category page, with a link to the matching online
// guide.  The page of the main window's last search chooses picture, caption
// and link when the window is activated; without one (no search yet) the
// window shows no picture and no link.

#include "Page.h"

#include <QDialog>

#include <array>
#include <filesystem>
#include <optional>

class QLabel;
class QScrollArea;

namespace quivra::info {

class HyperlinkLabel;

class TAboutBox1 : public QDialog {
    Q_OBJECT
public:
    TAboutBox1(std::optional<core::Page> page, std::filesystem::path dataDir,
               QWidget* parent = nullptr);

    // Chooses picture, caption and link by the page.
    void FormActivate();

    // For tests: 0..2 = Image1..Image3, 0..3 = Hunt, Targ, Youth, Kestra link.
    [[nodiscard]] QLabel* image(int index) const;
    [[nodiscard]] HyperlinkLabel* link(int index) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void KECloseBtnClick();
    void showImage(int index, const QString& fileName);

    std::optional<core::Page> m_page;
    std::filesystem::path m_dataDir;
    QScrollArea* m_scrollBox = nullptr;
    std::array<QLabel*, 3> m_images{};
    std::array<HyperlinkLabel*, 4> m_links{};
};

}  // namespace quivra::info
