#include "ReportPage.h"

#include <QMarginsF>
#include <QPageSize>
#include <QPaintDevice>
#include <QPainter>

namespace quivra::reports {

QPageLayout letterPageLayout() {
    return {QPageSize(QPageSize::Letter), QPageLayout::Portrait,
            QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter};
}

bool mapPainterToMillimetres(QPainter& painter) {
    const QPaintDevice* device = painter.device();
    if (device == nullptr || device->logicalDpiX() <= 0 || device->logicalDpiY() <= 0) {
        return false;
    }
    painter.scale(device->logicalDpiX() / 25.4, device->logicalDpiY() / 25.4);
    return true;
}

}  // namespace quivra::reports
