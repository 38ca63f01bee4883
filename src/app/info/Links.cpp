#include "Links.h"

namespace quivra::info::links {

QUrl productPage(core::Page page) {
    switch (page) {
        case core::Page::Hunt:
            return QUrl(QStringLiteral("https://www.quivra.example/products/hunting"));
        case core::Page::Targ:
            return QUrl(QStringLiteral("https://www.quivra.example/products/target"));
        case core::Page::Youth:
            return QUrl(QStringLiteral("https://www.quivra.example/products/youth"));
        case core::Page::Kstr:
            return QUrl(QStringLiteral("https://www.quivra.example/kestra/products"));
    }
    return QUrl(kWebSite);
}

}  // namespace quivra::info::links
