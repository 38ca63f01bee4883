// The three model-guide pictures: the model codes of a page with their
// meaning, then every shaft the page can recommend with its spine and
// weight.  Everything is read from the catalogue, the charts and the family
// list, so a guide never disagrees with the delivered tables.

#include "Numbers.h"
#include "Pictures.h"

#include <QPainter>

#include <algorithm>

namespace quivra::gendata::pictures {

namespace {

struct GuideLine {
    bool header = false;
    QString text;  // header text
    const SpecRecord* shaft = nullptr;
};

struct GuideSpec {
    int width = 0, height = 0;
    QString title;
    QString subtitle;
    std::vector<ChartKind> pages;
    bool targetModels = false;  // shows TMODELS (Target and Youth pages)
    QStringList notes;
    // Codes the page shows that are no family, with their meaning.
    std::vector<std::pair<QString, QString>> extraCodes = {};
};

QString modelsOf(const SpecRecord& r, bool targetModels) {
    return QString::fromStdString(targetModels ? r.tmodels : r.hmodels);
}

QString familyNames(const PictureInputs& in, const QString& models) {
    QStringList names;
    for (const QString& code : models.split(',')) {
        const Family* f = findFamily(in.families, code.toStdString());
        names << (f ? QString::fromStdString(f->name) : code);
    }
    return names.join(QStringLiteral(" / "));
}

void drawHeaderBand(QPainter& p, const GuideSpec& g) {
    p.fillRect(QRect(0, 0, g.width, 100), kForest);
    p.fillRect(QRect(0, 100, g.width, 6), kOrange);
    p.setPen(kCream);
    p.setFont(font(40, true));
    p.drawText(QRect(36, 8, g.width - 72, 56), Qt::AlignLeft | Qt::AlignVCenter, g.title);
    p.setFont(font(18));
    p.drawText(QRect(38, 60, g.width - 72, 32), Qt::AlignLeft | Qt::AlignVCenter, g.subtitle);
    p.setFont(font(18, true));
    p.drawText(QRect(36, 8, g.width - 72, 56), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("QUIVRA"));
}

int drawCodes(QPainter& p, const PictureInputs& in, const GuideSpec& g, QStringList codes, int y) {
    for (const auto& extra : g.extraCodes) codes << extra.first;
    p.setPen(kForest);
    p.setFont(font(22, true));
    p.drawText(QRect(36, y, 600, 32), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Model codes"));
    y += 40;
    for (const QString& code : codes) {
        const Family* f = findFamily(in.families, code.toStdString());
        p.setPen(Qt::NoPen);
        p.setBrush(kOrange);
        p.drawRoundedRect(QRect(40, y + 2, 70, 24), 4, 4);
        p.setPen(Qt::white);
        p.setFont(font(15, true));
        p.drawText(QRect(40, y + 2, 70, 24), Qt::AlignCenter, code);
        p.setPen(kInk);
        p.setFont(font(16));
        QString meaning = f ? QString::fromStdString(f->meaning) : code;
        for (const auto& extra : g.extraCodes)
            if (extra.first == code) meaning = extra.second;
        p.drawText(QRect(126, y, g.width - 166, 28), Qt::AlignLeft | Qt::AlignVCenter, meaning);
        y += 30;
    }
    return y;
}

// Draws the shaft lines in columns between y0 and y1.
void drawShafts(QPainter& p, const GuideSpec& g, const std::vector<GuideLine>& lines, int y0,
                int y1) {
    const int columns = lines.size() > 30 ? 2 : 1;
    const int perColumn = static_cast<int>((lines.size() + columns - 1) / columns);
    const int rowH = std::clamp((y1 - y0 - 30) / std::max(perColumn, 1), 14, 24);
    const int colW = (g.width - 72 - (columns - 1) * 30) / columns;
    const int cells[] = {0, 74, 180, 260, 370, 460};  // size, models, spine, gr/in, OD, max
    const char* heads[] = {"Size", "Models", "Spine", "Grains/in", "Outside", "Max"};
    for (int c = 0; c < columns; ++c) {
        const int x = 36 + c * (colW + 30);
        p.setPen(kForest);
        p.setFont(font(std::max(rowH - 9, 11), true));
        for (int i = 0; i < 6; ++i)
            p.drawText(QRect(x + cells[i] + 4, y0, 110, rowH), Qt::AlignLeft | Qt::AlignVCenter,
                       QString::fromLatin1(heads[i]));
        p.setPen(QPen(kForest, 2));
        p.drawLine(x, y0 + rowH + 2, x + colW, y0 + rowH + 2);
        int y = y0 + rowH + 6;
        const int first = c * perColumn;
        const int last = std::min<int>(first + perColumn, static_cast<int>(lines.size()));
        for (int i = first; i < last; ++i) {
            const GuideLine& l = lines[static_cast<std::size_t>(i)];
            if (l.header) {
                p.fillRect(QRect(x, y, colW, rowH), QColor(0xe4, 0xec, 0xe3));
                p.setPen(kForest);
                p.setFont(font(std::max(rowH - 9, 11), true));
                p.drawText(QRect(x + 4, y, colW - 8, rowH), Qt::AlignLeft | Qt::AlignVCenter,
                           l.text);
            } else {
                const SpecRecord& r = *l.shaft;
                if (i % 2) p.fillRect(QRect(x, y, colW, rowH), QColor(0xf7, 0xf7, 0xf4));
                p.setPen(kInk);
                p.setFont(font(std::max(rowH - 9, 11)));
                const QString cellText[] = {
                    QString::fromStdString(r.size),  QString::fromStdString(r.hmodels),
                    QString::fromStdString(r.spine), QString::fromStdString(r.gpi),
                    QString::fromStdString(r.od),    QString::fromStdString(r.length)};
                for (int k = 0; k < 6; ++k)
                    p.drawText(QRect(x + cells[k] + 4, y, 110, rowH),
                               Qt::AlignLeft | Qt::AlignVCenter, cellText[k]);
            }
            y += rowH;
        }
    }
}

QImage drawGuide(const PictureInputs& in, const GuideSpec& g) {
    QImage img = canvas(g.width, g.height);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    drawHeaderBand(p, g);

    // The page's shafts, grouped by their model text.
    std::vector<const SpecRecord*> shafts;
    for (ChartKind page : g.pages)
        for (const SpecRecord* r : pageShafts(in, page))
            if (std::find(shafts.begin(), shafts.end(), r) == shafts.end()) shafts.push_back(r);
    QStringList codes;
    std::vector<GuideLine> lines;
    QString group;
    for (const SpecRecord* r : shafts) {
        const QString models = modelsOf(*r, g.targetModels);
        for (const QString& c : models.split(','))
            if (!codes.contains(c)) codes << c;
        if (models != group) {
            group = models;
            const Family* f = findFamily(in.families, r->keySpine);
            const QString type = f ? QString::fromStdString(f->arrowType) : QString();
            lines.push_back({true,
                             models + QStringLiteral("  ") + familyNames(in, models) +
                                 QStringLiteral("  \u2014  ") + type,
                             nullptr});
        }
        lines.push_back({false, {}, r});
    }
    // The models cell shows the page's model text.
    std::vector<SpecRecord> copies;
    copies.reserve(lines.size());
    for (auto& l : lines) {
        if (l.header) continue;
        SpecRecord c = *l.shaft;
        c.hmodels = modelsOf(*l.shaft, g.targetModels).toStdString();
        copies.push_back(c);
        l.shaft = &copies.back();
    }

    int y = drawCodes(p, in, g, codes, 124);
    const int notesH = 34 + 24 * static_cast<int>(g.notes.size());
    p.setPen(kForest);
    p.setFont(font(22, true));
    p.drawText(QRect(36, y + 10, 600, 32), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Shafts"));
    drawShafts(p, g, lines, y + 50, g.height - notesH - 10);

    int ny = g.height - notesH;
    p.fillRect(QRect(0, ny - 4, g.width, notesH + 4), kCream);
    p.setPen(kInk);
    p.setFont(font(15));
    ny += 8;
    for (const QString& note : g.notes) {
        p.drawText(QRect(36, ny, g.width - 72, 24), Qt::AlignLeft | Qt::AlignVCenter, note);
        ny += 24;
    }
    return img;
}

QStringList commonNotes() {
    return {QStringLiteral("Spine: deflection in inches under 1.94 lb hung at the center of a "
                           "28-inch span (lower is stiffer)."),
            QStringLiteral("Carbon sizes are their spine numbers: 400 deflects 0.400 inch. "
                           "Outside diameters in inches.")};
}

}  // namespace

QImage huntGuide(const PictureInputs& in) {
    GuideSpec g{1200,
                1608,
                QStringLiteral("Hunting Shaft Models"),
                QStringLiteral("Model codes and shaft specifications of the Hunting page"),
                {ChartKind::Hunt},
                false,
                commonNotes()};
    g.notes << QStringLiteral(
        "KV,M4: one tube in two alloys; grains per inch given as KV "
        "value, M4 value.");
    g.extraCodes = {{QStringLiteral("Carbon"),
                     QStringLiteral("Carbon entry of the main grid: its spine number; click "
                                    "Details for the carbon shafts of that spine")}};
    return drawGuide(in, g);
}

QImage targetGuide(const PictureInputs& in) {
    GuideSpec g{1194,
                1521,
                QStringLiteral("Target & Youth Shaft Models"),
                QStringLiteral("Model codes and shaft specifications of the Target and Youth "
                               "pages"),
                {ChartKind::Targ, ChartKind::Youth},
                true,
                commonNotes()};
    g.notes << QStringLiteral(
        "ZP,M4: one tube in two alloys; grains per inch given as ZP "
        "value, M4 value. A size like 2213*2113 means compound*recurve.");
    return drawGuide(in, g);
}

QImage kestraGuide(const PictureInputs& in) {
    GuideSpec g{1086,
                876,
                QStringLiteral("Kestra Shaft Models"),
                QStringLiteral("Model codes and shaft specifications of the Kestra page"),
                {ChartKind::Kstr},
                false,
                commonNotes()};
    return drawGuide(in, g);
}

}  // namespace quivra::gendata::pictures
