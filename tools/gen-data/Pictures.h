#pragma once
// Pictures: draws every delivered picture with QPainter and saves it as JPEG
// (data/pictures.md lists names and sizes).  Needs a QGuiApplication for
// fonts; the generator runs it on the offscreen platform.

#include "ChartRule.h"
#include "ShaftModel.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

#include <filesystem>
#include <string>
#include <vector>

namespace quivra::gendata {

// What the pictures are drawn from, so that guides and banners never
// disagree with the delivered tables.
struct PictureInputs {
    std::vector<Family> families;
    std::vector<SpecRecord> catalogue;
    std::vector<Chart> charts;  // allCharts() order
};

// Draws every picture into `dir` (created if needed).  Appends the file
// names written to `names`.  Returns false and fills `error` on failure.
bool drawAllPictures(const PictureInputs& in, const std::filesystem::path& dir,
                     std::vector<std::string>& names, std::string& error);

namespace pictures {

// House colours.
inline const QColor kForest{0x1f, 0x3d, 0x2b};
inline const QColor kMoss{0x3d, 0x6b, 0x4a};
inline const QColor kOrange{0xf5, 0x7b, 0x20};
inline const QColor kCream{0xf6, 0xf1, 0xe4};
inline const QColor kInk{0x22, 0x22, 0x22};

// A sans-serif font of `pixels` height.
QFont font(int pixels, bool bold = false);
// A white image of the given size, ready to paint on.
QImage canvas(int width, int height, QColor fill = Qt::white);
// Saves as baseline JPEG of quality 90.
bool saveJpeg(const QImage& image, const std::filesystem::path& file, std::string& error);

// Families shown on a page (codes of the shafts its chart names) and the
// records of those shafts, in catalogue order.
std::vector<std::string> pageFamilies(const PictureInputs& in, ChartKind kind);
std::vector<const SpecRecord*> pageShafts(const PictureInputs& in, ChartKind kind);

// The model-guide pictures.
QImage huntGuide(const PictureInputs& in);
QImage targetGuide(const PictureInputs& in);
QImage kestraGuide(const PictureInputs& in);

// Kinetic-energy frames: list is small, medium, big, tough or tanks;
// frame 1 to 3.
QImage kineticFrame(const std::string& list, int frame);

QImage splash();
QImage banner(ChartKind page, int frame, const PictureInputs& in);
QImage focIllustration();
QImage trajectoryBanner();
QImage trajectoryArcher();
QImage trajectoryTarget();

}  // namespace pictures

}  // namespace quivra::gendata
