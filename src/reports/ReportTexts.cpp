#include "ReportTexts.h"

#include "Clock.h"

#include <QLocale>

namespace quivra::reports {

namespace {
QString q(const std::string& text) {
    return QString::fromStdString(text).trimmed();
}
}  // namespace

QString cityLine(const std::string& city, const std::string& state, const std::string& zip,
                 const QString& gap) {
    if (q(city).isEmpty() && q(state).isEmpty() && q(zip).isEmpty()) return {};
    return q(city) + QStringLiteral(", ") + q(state) + gap + q(zip);
}

QString shopPhoneLine(const quivra::customers::ShopRecord& shop) {
    return QStringLiteral("Phone: ") + q(shop.phone) + QStringLiteral("  FAX: ") + q(shop.fax);
}

QString shopFooterPhoneLine(const quivra::customers::ShopRecord& shop) {
    return QStringLiteral("Phone:") + q(shop.phone) + QStringLiteral("  FAX:") + q(shop.fax);
}

QString printedDateTimeText(const QDateTime& at) {
    if (!at.isValid()) return {};
    return QLocale::c().toString(at, QStringLiteral("MMMM d, yyyy  h:mm AP"));
}

QDateTime printTime() {
    const core::LocalDateTime now = core::Clock::instance().now();
    const QDate date(static_cast<int>(now.date.year()),
                     static_cast<int>(static_cast<unsigned>(now.date.month())),
                     static_cast<int>(static_cast<unsigned>(now.date.day())));
    return {date, QTime(now.hour, now.minute, now.second)};
}

QString printedDateText(const QDateTime& at) {
    if (!at.isValid()) return {};
    return QLocale::c().toString(at.date(), QStringLiteral("MMM d, yyyy"));
}

}  // namespace quivra::reports
