#pragma once
// The maker's addresses used by links and banners (the list of record is
// data/links.csv; all live under the reserved .example domain).

#include "Page.h"

#include <QString>
#include <QUrl>

namespace quivra::info::links {

inline const QString kWebSite = QStringLiteral("https://www.quivra.example/");
inline const QString kWebSiteText = QStringLiteral("www.quivra.example");
inline const QString kTechSupport = QStringLiteral("mailto:support@quivra.example");
inline const QString kHuntingGuide = QStringLiteral("https://www.quivra.example/guides/hunting");
inline const QString kTargetGuide = QStringLiteral("https://www.quivra.example/guides/target");
inline const QString kYouthGuide = QStringLiteral("https://www.quivra.example/guides/youth");
inline const QString kKestraGuide = QStringLiteral("https://www.quivra.example/kestra/guide");

// The product page of a category page.
QUrl productPage(core::Page page);

}  // namespace quivra::info::links
