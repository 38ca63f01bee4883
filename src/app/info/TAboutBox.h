#pragma once
// AboutBox, "About 2012": the maker's picture (the splash picture), name,
// address, a notice line and a link to the web site.  "OK" closes it.

#include <QDialog>

#include <filesystem>

class QLabel;

namespace quivra::info {

class HyperlinkLabel;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(const std::filesystem::path& dataDir, QWidget* parent = nullptr);

    [[nodiscard]] QLabel* picture() const { return m_image; }
    [[nodiscard]] HyperlinkLabel* webLink() const { return m_webLink; }

private:
    QLabel* m_image = nullptr;
    HyperlinkLabel* m_webLink = nullptr;
};

}  // namespace quivra::info
