#pragma once
// AboutBox1, the shaft model guide: a large scrollable picture explaining the
// model codes of one category page, with a link to the matching online
// guide.  The page key chooses picture, caption and link when the window is
// activated; a key that is none of "Hunt", "Targ", "Youth", "Kstr" (no search
// yet) shows no picture and no link.

#include <QDialog>

#include <array>
#include <filesystem>

class QLabel;
class QScrollArea;

namespace quivra::info {

class HyperlinkLabel;

class TAboutBox1 : public QDialog {
    Q_OBJECT
public:
    TAboutBox1(QString pageKey, std::filesystem::path dataDir, QWidget* parent = nullptr);

    // Chooses picture, caption and link by the page key.
    void FormActivate();

    // For tests: 0..2 = Image1..Image3, 0..3 = Hunt, Targ, Youth, Kestra link.
    [[nodiscard]] QLabel* image(int index) const;
    [[nodiscard]] HyperlinkLabel* link(int index) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void KECloseBtnClick();
    void showImage(int index, const QString& fileName);

    QString m_pageKey;
    std::filesystem::path m_dataDir;
    QScrollArea* m_scrollBox = nullptr;
    std::array<QLabel*, 3> m_images{};
    std::array<HyperlinkLabel*, 4> m_links{};
};

}  // namespace quivra::info
