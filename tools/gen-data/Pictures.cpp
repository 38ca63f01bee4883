#include "Pictures.h"

#include <QFontMetrics>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <set>

namespace quivra::gendata {

namespace pictures {

QFont font(int pixels, bool bold) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

QImage canvas(int width, int height, QColor fill) {
    QImage img(width, height, QImage::Format_RGB32);
    img.fill(fill);
    return img;
}

bool saveJpeg(const QImage& image, const std::filesystem::path& file, std::string& error) {
    QImageWriter writer(QString::fromStdString(file.string()), "jpg");
    writer.setQuality(90);
    writer.setOptimizedWrite(false);
    writer.setProgressiveScanWrite(false);
    if (!writer.write(image)) {
        error = file.string() + ": " + writer.errorString().toStdString();
        return false;
    }
    return true;
}

std::vector<std::string> pageFamilies(const PictureInputs& in, ChartKind kind) {
    std::vector<std::string> out;
    for (const auto& chart : in.charts) {
        if (chart.kind != kind) continue;
        std::set<std::string> seen;
        for (const auto& row : chart.rows)
            for (const auto& e : row)
                if (!e.empty() && e.key != "caw") seen.insert(e.key);
        // Keep the catalogue's order, which groups the families sensibly.
        for (const auto& r : in.catalogue) {
            if (seen.count(r.keySpine)) {
                out.push_back(r.keySpine);
                seen.erase(r.keySpine);
            }
        }
    }
    return out;
}

std::vector<const SpecRecord*> pageShafts(const PictureInputs& in, ChartKind kind) {
    std::vector<const SpecRecord*> out;
    const auto families = pageFamilies(in, kind);
    for (const auto& fam : families)
        for (const auto& r : in.catalogue)
            if (r.keySpine == fam && !r.isPairAlias()) out.push_back(&r);
    return out;
}

namespace {

void drawArrow(QPainter& p, QPointF tail, QPointF tip, double shaftWidth, QColor shaft,
               QColor fletch) {
    const QLineF line(tail, tip);
    p.save();
    p.translate(tail);
    p.rotate(-line.angle());
    const double len = line.length();
    p.setPen(Qt::NoPen);
    p.setBrush(shaft);
    p.drawRect(QRectF(0, -shaftWidth / 2, len - 4 * shaftWidth, shaftWidth));
    QPainterPath point;
    point.moveTo(len, 0);
    point.lineTo(len - 5 * shaftWidth, -1.6 * shaftWidth);
    point.lineTo(len - 5 * shaftWidth, 1.6 * shaftWidth);
    point.closeSubpath();
    p.setBrush(QColor(0x9a, 0x9a, 0x9a));
    p.drawPath(point);
    p.setBrush(fletch);
    for (int side : {-1, 1}) {
        QPainterPath vane;
        vane.moveTo(2 * shaftWidth, side * shaftWidth / 2);
        vane.lineTo(6 * shaftWidth, side * 3.2 * shaftWidth);
        vane.lineTo(12 * shaftWidth, side * shaftWidth / 2);
        vane.closeSubpath();
        p.drawPath(vane);
    }
    p.restore();
}

void drawTarget(QPainter& p, QPointF centre, double radius) {
    const QColor rings[] = {Qt::white, kInk, QColor(0x2a, 0x6f, 0xc9), QColor(0xd9, 0x30, 0x2c),
                            QColor(0xf2, 0xc2, 0x1b)};
    p.setPen(QPen(QColor(0x55, 0x55, 0x55), 1));
    for (int i = 0; i < 5; ++i) {
        p.setBrush(rings[i]);
        const double r = radius * (5 - i) / 5.0;
        p.drawEllipse(centre, r, r);
    }
}

}  // namespace

QImage splash() {
    QImage img = canvas(480, 320);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, 320);
    bg.setColorAt(0, kForest);
    bg.setColorAt(1, kMoss);
    p.fillRect(img.rect(), bg);
    drawTarget(p, QPointF(372, 118), 78);
    drawArrow(p, QPointF(40, 196), QPointF(360, 122), 5, kCream, kOrange);
    p.setPen(kCream);
    p.setFont(font(64, true));
    p.drawText(QRect(28, 18, 300, 80), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Quivra"));
    p.setFont(font(18));
    p.drawText(QRect(32, 92, 300, 28), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Arrow Shaft Selector"));
    p.fillRect(QRect(0, 244, 480, 76), QColor(0, 0, 0, 90));
    p.setPen(kOrange);
    p.setFont(font(17, true));
    p.drawText(QRect(28, 250, 440, 26), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Quivra Archery Products"));
    p.setPen(kCream);
    p.setFont(font(14));
    p.drawText(QRect(28, 276, 440, 22), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Hunting \u00b7 Target \u00b7 Youth \u00b7 Kestra"));
    p.drawText(QRect(28, 296, 440, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("www.quivra.example"));
    return img;
}

QImage banner(ChartKind page, int frame, const PictureInputs& in) {
    QImage img = canvas(175, 32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 175, 0);
    bg.setColorAt(0, kForest);
    bg.setColorAt(1, kMoss);
    p.fillRect(img.rect(), bg);
    p.fillRect(QRect(0, 0, 4, 32), kOrange);
    const char* title = page == ChartKind::Hunt    ? "Hunting Shafts"
                        : page == ChartKind::Targ  ? "Target Shafts"
                        : page == ChartKind::Youth ? "Youth Shafts"
                                                   : "Kestra Shafts";
    QString line1, line2;
    if (frame == 1) {
        line1 = QStringLiteral("QUIVRA");
        line2 = QString::fromLatin1(title);
    } else if (frame == 2) {
        QStringList codes;
        for (const auto& f : pageFamilies(in, page)) {
            for (const auto& r : in.catalogue) {
                if (r.keySpine != f) continue;
                const std::string& models =
                    page == ChartKind::Targ || page == ChartKind::Youth ? r.tmodels : r.hmodels;
                for (const QString& c : QString::fromStdString(models).split(','))
                    if (!codes.contains(c)) codes << c;
                break;
            }
        }
        line1 = QStringLiteral("Models");
        line2 = codes.join(QStringLiteral(" \u00b7 "));
    } else {
        line1 = QStringLiteral("Click for the full line");
        line2 = QStringLiteral("www.quivra.example");
    }
    p.setPen(kOrange);
    p.setFont(font(10, true));
    p.drawText(QRect(10, 1, 160, 14), Qt::AlignLeft | Qt::AlignVCenter, line1);
    p.setPen(kCream);
    // The longest model list must fit the banner: shrink the font until it does.
    int size = 11;
    while (size > 8 && QFontMetrics(font(size, true)).horizontalAdvance(line2) > 160) --size;
    p.setFont(font(size, true));
    p.drawText(QRect(10, 15, 162, 16), Qt::AlignLeft | Qt::AlignVCenter, line2);
    return img;
}

QImage focIllustration() {
    QImage img = canvas(400, 130, kCream);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double y = 50, nock = 30, end = 360, balance = 215;
    drawArrow(p, QPointF(nock - 6, y), QPointF(end + 22, y), 5, QColor(0x44, 0x44, 0x44), kOrange);
    // Balance point: the arrow rests on a fulcrum.
    QPainterPath fulcrum;
    fulcrum.moveTo(balance, y + 4);
    fulcrum.lineTo(balance - 9, y + 18);
    fulcrum.lineTo(balance + 9, y + 18);
    fulcrum.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kForest);
    p.drawPath(fulcrum);
    auto dimension = [&p](double x0, double x1, double yy, const QString& label) {
        p.setPen(QPen(kInk, 1.2));
        p.drawLine(QPointF(x0, yy), QPointF(x1, yy));
        p.drawLine(QPointF(x0, yy - 5), QPointF(x0, yy + 5));
        p.drawLine(QPointF(x1, yy - 5), QPointF(x1, yy + 5));
        p.setFont(font(15, true));
        p.fillRect(QRectF((x0 + x1) / 2 - 14, yy - 10, 28, 20), kCream);
        p.drawText(QRectF((x0 + x1) / 2 - 14, yy - 10, 28, 20), Qt::AlignCenter, label);
    };
    p.setPen(QPen(kInk, 1, Qt::DashLine));
    p.drawLine(QPointF(nock, y - 14), QPointF(nock, 112));
    p.drawLine(QPointF(end, y - 14), QPointF(end, 112));
    p.drawLine(QPointF(balance, y + 18), QPointF(balance, 86));
    dimension(nock, balance, 80, QStringLiteral("A"));
    dimension(nock, end, 106, QStringLiteral("L"));
    p.setPen(kInk);
    p.setFont(font(11));
    p.drawText(QRectF(nock - 25, 8, 120, 16), Qt::AlignLeft, QStringLiteral("nock groove"));
    p.drawText(QRectF(balance - 60, 8, 120, 16), Qt::AlignHCenter, QStringLiteral("balance point"));
    p.drawText(QRectF(end - 100, 8, 125, 16), Qt::AlignRight, QStringLiteral("end of shaft"));
    return img;
}

QImage trajectoryBanner() {
    QImage img = canvas(560, 60);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 560, 0);
    bg.setColorAt(0, kForest);
    bg.setColorAt(1, kMoss);
    p.fillRect(img.rect(), bg);
    p.setPen(QPen(kCream, 1, Qt::DashLine));
    p.drawLine(QPointF(250, 40), QPointF(545, 40));
    QPainterPath arc;
    arc.moveTo(250, 44);
    arc.quadTo(400, 6, 545, 48);
    p.setPen(QPen(kOrange, 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    p.fillRect(QRectF(470, 36, 40, 8), QColor(0xf5, 0x7b, 0x20, 110));
    p.setPen(kCream);
    p.setFont(font(26, true));
    p.drawText(QRect(16, 4, 240, 34), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Kill Window"));
    p.setFont(font(12));
    p.drawText(QRect(18, 36, 240, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Within 4 inches of the aiming point"));
    return img;
}

}  // namespace pictures

bool drawAllPictures(const PictureInputs& in, const std::filesystem::path& dir,
                     std::vector<std::string>& names, std::string& error) {
    using namespace pictures;
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    auto save = [&](const QImage& img, const std::string& name) {
        if (!saveJpeg(img, dir / name, error)) return false;
        names.push_back(name);
        return true;
    };
    if (!save(splash(), "splash.jpg") || !save(huntGuide(in), "guide_hunt.jpg") ||
        !save(targetGuide(in), "guide_targ.jpg") || !save(kestraGuide(in), "guide_kstr.jpg") ||
        !save(focIllustration(), "foc.jpg") || !save(trajectoryBanner(), "traj_banner.jpg") ||
        !save(trajectoryArcher(), "traj_archer.jpg") ||
        !save(trajectoryTarget(), "traj_target.jpg"))
        return false;
    const std::pair<ChartKind, const char*> pages[] = {{ChartKind::Hunt, "hunt"},
                                                       {ChartKind::Targ, "targ"},
                                                       {ChartKind::Youth, "youth"},
                                                       {ChartKind::Kstr, "kstr"}};
    for (const auto& [kind, tag] : pages)
        for (int f = 1; f <= 3; ++f)
            if (!save(banner(kind, f, in),
                      "banner_" + std::string(tag) + "_" + std::to_string(f) + ".jpg"))
                return false;
    for (const char* list : {"small", "medium", "big", "tough", "tanks"})
        for (int f = 1; f <= 3; ++f)
            if (!save(kineticFrame(list, f),
                      "ke_" + std::string(list) + "_" + std::to_string(f) + ".jpg"))
                return false;
    return true;
}

}  // namespace quivra::gendata
