// The kinetic-energy picture lists: simple silhouettes of the game each
// energy class suits, on a sky-and-ground scene with the class and its range
// written above and the animal's name below.  The last list shows an energy
// gauge pinned past its end.

#include "Pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quivra::gendata::pictures {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kGround = 116;
const QColor kSilhouette{0x2b, 0x26, 0x22};

enum class Horns { None, Deer, Elk, Moose, Caribou, Pronghorn, Bison, Buffalo };
enum class Tail { Short, Bushy, Tuft };

struct Beast {
    double bodyW, bodyH, legH;
    double neckLen, neckAngle;  // degrees above horizontal
    double headW, headH;
    double hump = 0;
    Horns horns = Horns::None;
    Tail tail = Tail::Short;
    double earLen = 6;
    bool pointedEars = true;
};

void strokeHorns(QPainter& p, QPointF top, Horns horns, double scale) {
    QPen pen(kSilhouette, 2.2 * scale, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    auto line = [&p, top, scale](double x0, double y0, double x1, double y1) {
        p.drawLine(QPointF(top.x() + x0 * scale, top.y() + y0 * scale),
                   QPointF(top.x() + x1 * scale, top.y() + y1 * scale));
    };
    switch (horns) {
        case Horns::None:
            break;
        case Horns::Deer:
            line(0, 0, -6, -14);
            line(-6, -14, -2, -22);
            line(-4, -9, 2, -14);
            line(-6, -14, -12, -19);
            break;
        case Horns::Elk:
            line(0, 0, -10, -22);
            line(-10, -22, -18, -34);
            line(-3, -6, 4, -14);
            line(-6, -13, 1, -22);
            line(-10, -22, -4, -30);
            line(-14, -28, -10, -38);
            break;
        case Horns::Caribou:
            line(0, 0, -8, -16);
            line(-8, -16, -4, -32);
            line(-4, -32, 4, -36);
            line(-2, -4, 6, -6);
            line(-6, -20, 2, -24);
            break;
        case Horns::Moose: {
            line(0, 0, -8, -4);
            QPainterPath palm;
            palm.moveTo(top + QPointF(-8 * scale, -4 * scale));
            palm.quadTo(top + QPointF(-22 * scale, -6 * scale),
                        top + QPointF(-26 * scale, -18 * scale));
            palm.lineTo(top + QPointF(-20 * scale, -14 * scale));
            palm.lineTo(top + QPointF(-18 * scale, -20 * scale));
            palm.lineTo(top + QPointF(-12 * scale, -12 * scale));
            palm.lineTo(top + QPointF(-8 * scale, -16 * scale));
            palm.closeSubpath();
            p.setBrush(kSilhouette);
            p.drawPath(palm);
            break;
        }
        case Horns::Pronghorn:
            line(0, 0, -1, -12);
            line(-1, -12, -4, -14);
            line(-1, -7, 3, -8);
            break;
        case Horns::Bison:
            line(0, 0, 4, -4);
            line(4, -4, 3, -8);
            break;
        case Horns::Buffalo: {
            QPainterPath boss;
            boss.moveTo(top + QPointF(-8 * scale, 2 * scale));
            boss.quadTo(top + QPointF(6 * scale, -6 * scale), top + QPointF(10 * scale, 6 * scale));
            boss.quadTo(top + QPointF(12 * scale, 0), top + QPointF(14 * scale, -8 * scale));
            pen.setWidthF(3.2 * scale);
            p.setPen(pen);
            p.drawPath(boss);
            break;
        }
    }
}

// A four-legged animal facing right, standing on the ground line.
void drawBeast(QPainter& p, const Beast& b, double cx) {
    p.setPen(Qt::NoPen);
    p.setBrush(kSilhouette);
    const double bodyTop = kGround - b.legH - b.bodyH;
    const QRectF body(cx - b.bodyW / 2, bodyTop, b.bodyW, b.bodyH);
    p.drawRoundedRect(body, b.bodyH / 2.2, b.bodyH / 2.2);
    if (b.hump > 0)
        p.drawEllipse(QPointF(body.right() - b.bodyW * 0.28, bodyTop + 2), b.bodyW * 0.22, b.hump);
    // Legs: a near and a far leg at each end, slightly tapered.
    const double legW = std::max(3.0, b.bodyH * 0.2);
    for (double x : {body.left() + b.bodyW * 0.12, body.left() + b.bodyW * 0.22,
                     body.right() - b.bodyW * 0.24, body.right() - b.bodyW * 0.13}) {
        QPainterPath leg;
        leg.moveTo(x - legW / 2, bodyTop + b.bodyH * 0.6);
        leg.lineTo(x + legW / 2, bodyTop + b.bodyH * 0.6);
        leg.lineTo(x + legW * 0.3, kGround);
        leg.lineTo(x - legW * 0.3, kGround);
        leg.closeSubpath();
        p.drawPath(leg);
    }
    // Neck and head.
    const double a = b.neckAngle * kPi / 180;
    const QPointF neckBase(body.right() - b.bodyW * 0.12, bodyTop + b.bodyH * 0.35);
    const QPointF headC(neckBase.x() + std::cos(a) * b.neckLen,
                        neckBase.y() - std::sin(a) * b.neckLen);
    const double neckW = b.bodyH * 0.5;
    QPainterPath neck;
    neck.moveTo(neckBase + QPointF(-neckW * 0.6, -neckW * 0.5));
    neck.lineTo(headC + QPointF(-b.headW * 0.2, -b.headH * 0.4));
    neck.lineTo(headC + QPointF(b.headW * 0.1, b.headH * 0.4));
    neck.lineTo(neckBase + QPointF(neckW * 0.6, neckW * 0.8));
    neck.closeSubpath();
    p.drawPath(neck);
    p.drawEllipse(QRectF(headC.x() - b.headW * 0.35, headC.y() - b.headH / 2, b.headW, b.headH));
    // Ears.
    QPainterPath ear;
    const QPointF earBase = headC + QPointF(-b.headW * 0.15, -b.headH * 0.35);
    if (b.pointedEars) {
        ear.moveTo(earBase + QPointF(-3, 0));
        ear.lineTo(earBase + QPointF(-4, -b.earLen));
        ear.lineTo(earBase + QPointF(3, 0));
    } else {
        ear.addEllipse(earBase + QPointF(-2, -2), 3, 3);
    }
    p.drawPath(ear);
    // Tail.
    const QPointF rump(body.left() + 2, bodyTop + b.bodyH * 0.3);
    if (b.tail == Tail::Bushy) {
        QPainterPath t;
        t.moveTo(rump);
        t.quadTo(rump + QPointF(-22, 4), rump + QPointF(-30, 18));
        t.quadTo(rump + QPointF(-16, 16), rump + QPointF(0, 8));
        t.closeSubpath();
        p.drawPath(t);
    } else {
        p.setPen(QPen(kSilhouette, b.tail == Tail::Tuft ? 2 : 3, Qt::SolidLine, Qt::RoundCap));
        const QPointF end = rump + (b.tail == Tail::Tuft ? QPointF(-6, 16) : QPointF(-5, 5));
        p.drawLine(rump, end);
        if (b.tail == Tail::Tuft) {
            p.setPen(Qt::NoPen);
            p.drawEllipse(end, 2.5, 3.5);
        }
    }
    strokeHorns(p, headC + QPointF(-b.headW * 0.05, -b.headH * 0.45), b.horns, 1.0);
}

void drawRabbit(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kSilhouette);
    p.drawEllipse(QRectF(48, 84, 48, 32));
    p.drawEllipse(QRectF(84, 74, 22, 20));
    QPainterPath ears;
    ears.addEllipse(QRectF(86, 46, 7, 32));
    ears.addEllipse(QRectF(94, 48, 7, 30));
    p.drawPath(ears);
    p.drawEllipse(QRectF(42, 90, 10, 10));
    p.drawRect(QRectF(58, 112, 26, 4));
}

void drawGrouse(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kSilhouette);
    p.drawEllipse(QRectF(52, 78, 50, 30));
    p.drawEllipse(QRectF(92, 66, 18, 18));
    QPainterPath beak;
    beak.moveTo(109, 74);
    beak.lineTo(117, 77);
    beak.lineTo(109, 80);
    p.drawPath(beak);
    QPainterPath fan;
    fan.moveTo(58, 88);
    fan.lineTo(30, 62);
    fan.quadTo(36, 56, 44, 58);
    fan.lineTo(64, 84);
    p.drawPath(fan);
    p.setPen(QPen(kSilhouette, 2));
    p.drawLine(QPointF(74, 106), QPointF(72, kGround));
    p.drawLine(QPointF(82, 106), QPointF(84, kGround));
}

void drawGauge(QPainter& p, int frame) {
    const QPointF c(75, 104);
    const double r = 52;
    p.setPen(QPen(kCream, 8, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 0, 180 * 16);
    p.setPen(QPen(kOrange, 8, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 0, 40 * 16);
    p.setPen(QPen(kCream, 2));
    p.setFont(font(10, true));
    const char* marks[] = {"0", "50", "100", "150", "200"};
    for (int i = 0; i < 5; ++i) {
        const double a = kPi - i * kPi / 4;
        const QPointF o(c.x() + std::cos(a) * (r - 4), c.y() - std::sin(a) * (r - 4));
        const QPointF in(c.x() + std::cos(a) * (r - 12), c.y() - std::sin(a) * (r - 12));
        p.drawLine(o, in);
        const QPointF t(c.x() + std::cos(a) * (r - 24), c.y() - std::sin(a) * (r - 24));
        p.drawText(QRectF(t.x() - 14, t.y() - 7, 28, 14), Qt::AlignCenter,
                   QString::fromLatin1(marks[i]));
    }
    // The needle rests past the end of the scale, shaking a little.
    const double past[] = {8, 13, 10};
    const double a = -past[(frame - 1) % 3] * kPi / 180;
    p.setPen(QPen(QColor(0xd9, 0x30, 0x2c), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c, QPointF(c.x() + std::cos(a) * (r + 6), c.y() - std::sin(a) * (r + 6)));
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(c, 5, 5);
}

}  // namespace

QImage kineticFrame(const std::string& list, int frame) {
    struct ListInfo {
        const char* name;
        const char* title;
        const char* range;
        const char* animals[3];
    };
    static const ListInfo lists[] = {
        {"small", "Small Game", "under 25 ft-lb", {"Rabbit", "Grouse", "Fox"}},
        {"medium", "Medium Game", "25 to 40 ft-lb", {"Pronghorn", "Whitetail Deer", "Black Bear"}},
        {"big", "Big Game", "41 to 64 ft-lb", {"Elk", "Moose", "Caribou"}},
        {"tough", "Largest Game", "65 to 200 ft-lb", {"Bison", "Brown Bear", "Cape Buffalo"}},
        {"tanks",
         "Off the Scale",
         "over 200 ft-lb",
         {"Energy to spare", "Beyond any game", "Gauge pinned"}},
    };
    const ListInfo* info = &lists[0];
    for (const auto& l : lists)
        if (list == l.name) info = &l;
    const int f = std::clamp(frame, 1, 3);

    QImage img = canvas(150, 150);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 22, 0, kGround);
    sky.setColorAt(0, QColor(0xcf, 0xe3, 0xf0));
    sky.setColorAt(1, QColor(0xf3, 0xee, 0xdc));
    p.fillRect(QRectF(0, 22, 150, kGround - 22), sky);
    p.fillRect(QRectF(0, kGround, 150, 128 - kGround), QColor(0x8d, 0xa4, 0x6a));

    const std::string name = info->name;
    if (name == "small") {
        if (f == 1)
            drawRabbit(p);
        else if (f == 2)
            drawGrouse(p);
        else
            drawBeast(p, {44, 16, 14, 10, 20, 16, 10, 0, Horns::None, Tail::Bushy, 8, true}, 80);
    } else if (name == "medium") {
        if (f == 1)
            drawBeast(p, {52, 22, 30, 14, 55, 16, 10, 0, Horns::Pronghorn, Tail::Short, 7, true},
                      68);
        else if (f == 2)
            drawBeast(p, {56, 24, 32, 16, 55, 17, 11, 0, Horns::Deer, Tail::Short, 8, true}, 66);
        else
            drawBeast(p, {66, 32, 20, 6, 10, 20, 16, 0, Horns::None, Tail::Short, 4, false}, 70);
    } else if (name == "big") {
        if (f == 1)
            drawBeast(p, {66, 28, 34, 18, 50, 20, 12, 0, Horns::Elk, Tail::Short, 8, true}, 62);
        else if (f == 2)
            drawBeast(p, {68, 32, 38, 10, 30, 24, 14, 8, Horns::Moose, Tail::Short, 8, true}, 62);
        else
            drawBeast(p, {64, 28, 32, 16, 45, 19, 12, 0, Horns::Caribou, Tail::Short, 6, true}, 64);
    } else if (name == "tough") {
        if (f == 1)
            drawBeast(p, {80, 40, 24, 6, 5, 22, 20, 14, Horns::Bison, Tail::Tuft, 4, false}, 66);
        else if (f == 2)
            drawBeast(p, {76, 38, 24, 6, 15, 24, 18, 10, Horns::None, Tail::Short, 4, false}, 68);
        else
            drawBeast(p, {78, 36, 26, 6, 8, 24, 18, 0, Horns::Buffalo, Tail::Tuft, 5, true}, 66);
    } else {
        p.fillRect(QRectF(0, 22, 150, 106), kForest);
        drawGauge(p, f);
    }

    p.fillRect(QRectF(0, 0, 150, 22), kForest);
    p.setPen(kCream);
    p.setFont(font(12, true));
    p.drawText(QRectF(4, 0, 142, 22), Qt::AlignCenter, QString::fromLatin1(info->title));
    p.fillRect(QRectF(0, 128, 150, 22), kCream);
    p.setPen(kInk);
    p.setFont(font(11, true));
    p.drawText(QRectF(4, 128, 142, 12), Qt::AlignCenter, QString::fromLatin1(info->animals[f - 1]));
    p.setFont(font(9));
    p.drawText(QRectF(4, 139, 142, 11), Qt::AlignCenter, QString::fromLatin1(info->range));
    return img;
}

QImage trajectoryArcher() {
    QImage img = canvas(100, 100, kCream);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kSilhouette, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kSilhouette);
    p.drawEllipse(QPointF(40, 22), 7, 7);          // head
    p.drawLine(QPointF(40, 30), QPointF(38, 62));  // body
    p.drawLine(QPointF(38, 62), QPointF(28, 92));  // legs
    p.drawLine(QPointF(38, 62), QPointF(50, 92));
    p.drawLine(QPointF(40, 36), QPointF(72, 36));  // bow arm
    p.drawLine(QPointF(40, 36), QPointF(30, 36));  // draw arm
    p.setPen(QPen(kOrange, 3));
    p.setBrush(Qt::NoBrush);
    QPainterPath bow;
    bow.moveTo(70, 8);
    bow.quadTo(88, 36, 70, 64);
    p.drawPath(bow);
    p.setPen(QPen(kInk, 1));
    p.drawLine(QPointF(70, 8), QPointF(30, 36));
    p.drawLine(QPointF(30, 36), QPointF(70, 64));
    p.setPen(QPen(kInk, 1.5));
    p.drawLine(QPointF(30, 36), QPointF(96, 36));  // arrow
    p.setPen(QPen(kForest, 2));
    p.drawLine(QPointF(0, 93), QPointF(100, 93));
    return img;
}

QImage trajectoryTarget() {
    QImage img = canvas(100, 100, kCream);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(0, -26);
    drawBeast(p, {52, 22, 30, 14, 55, 16, 10, 0, Horns::Deer, Tail::Short, 8, true}, 40);
    // The vital zone, 8 inches across: 4 inches either side of the aim.
    p.setPen(QPen(kOrange, 2));
    p.setBrush(QColor(0xf5, 0x7b, 0x20, 90));
    p.drawEllipse(QPointF(52, 70), 9, 9);
    p.setPen(QPen(kCream, 1));
    p.drawLine(QPointF(47, 70), QPointF(57, 70));
    p.drawLine(QPointF(52, 65), QPointF(52, 75));
    p.setPen(QPen(kForest, 2));
    p.drawLine(QPointF(0, kGround + 1), QPointF(100, kGround + 1));
    return img;
}

}  // namespace quivra::gendata::pictures
