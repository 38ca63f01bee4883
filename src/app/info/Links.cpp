#include "Links.h"

namespace quivra::info::links {

QUrl productPage(const QString& pageKey) {
    if (pageKey == QLatin1String("Hunt"))
        return QUrl(QStringLiteral("https://www.quivra.example/products/hunting"));
    if (pageKey == QLatin1String("Targ"))
        return QUrl(QStringLiteral("https://www.quivra.example/products/target"));
    if (pageKey == QLatin1String("Youth"))
        return QUrl(QStringLiteral("https://www.quivra.example/products/youth"));
    if (pageKey == QLatin1String("Kstr"))
        return QUrl(QStringLiteral("https://www.quivra.example/kestra/products"));
    return QUrl(kWebSite);
}

}  // namespace quivra::info::links
