#include "TSplashV.h"

#include "WindowRole.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

namespace quivra::app {

TSplashV::TSplashV(const std::filesystem::path& picture, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_picture(QString::fromStdString(picture.string())) {
    // Before anything is announced about it, which would fix its role.
    shell::announceAsWindow(staticMetaObject.className());
    setObjectName(QStringLiteral("SplashV"));
    setAccessibleName(QStringLiteral("Quivra 2012"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    const QSize size = hasPicture() ? m_picture.deviceIndependentSize().toSize()
                                    : QSize(kFallbackWidth, kFallbackHeight);
    setFixedSize(size);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area(QPoint(0, 0), size);
        area.moveCenter(screen->availableGeometry().center());
        move(area.topLeft());
    }
}

void TSplashV::showNow() {
    show();
    repaint();
    QGuiApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TSplashV::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (hasPicture()) {
        painter.drawPixmap(rect(), m_picture);
        return;
    }
    QLinearGradient fill(0, 0, 0, height());
    fill.setColorAt(0, QColor(34, 66, 44));
    fill.setColorAt(1, QColor(14, 32, 20));
    painter.fillRect(rect(), fill);
    painter.setPen(QPen(QColor(214, 190, 120), 2));
    painter.drawRect(rect().adjusted(6, 6, -7, -7));

    QFont title = font();
    title.setPointSizeF(title.pointSizeF() * 3.2);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(QColor(240, 226, 170));
    painter.drawText(rect().adjusted(0, 0, 0, -40), Qt::AlignCenter, QStringLiteral("Quivra 2012"));

    QFont line = font();
    line.setPointSizeF(line.pointSizeF() * 1.2);
    painter.setFont(line);
    painter.setPen(QColor(220, 220, 210));
    painter.drawText(rect().adjusted(0, 70, 0, 0), Qt::AlignCenter,
                     QStringLiteral("Arrow Shaft Selection"));
}

}  // namespace quivra::app
