#include "Pictures.h"

#include <QFileInfo>
#include <QImageReader>
#include <QLabel>

#include <algorithm>

namespace quivra::info::pictures {

namespace {

QString qtPath(const std::filesystem::path& file) {
    return QString::fromStdU32String(file.u32string());
}

}  // namespace

std::filesystem::path path(const std::filesystem::path& dataDir, const QString& fileName) {
    return dataDir / "pictures" / fileName.toStdU32String();
}

std::vector<std::filesystem::path> list(const std::filesystem::path& dataDir,
                                        const QString& prefix) {
    std::vector<std::filesystem::path> files;
    for (int number = 1;; ++number) {
        auto file = path(dataDir, prefix + QString::number(number) + QStringLiteral(".jpg"));
        if (!QFileInfo(qtPath(file)).isFile()) break;
        files.push_back(std::move(file));
    }
    return files;
}

QPixmap load(const std::filesystem::path& file) {
    QImageReader reader(qtPath(file));
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

QString missingText(const std::filesystem::path& file) {
    return QObject::tr("Picture not available: %1")
        .arg(QString::fromStdU32String(file.filename().u32string()));
}

bool showIn(QLabel* label, const std::filesystem::path& file) {
    const QPixmap picture = load(file);
    if (picture.isNull()) {
        label->setPixmap({});
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignCenter);
        label->setText(missingText(file));
        return false;
    }
    label->setPixmap(picture);
    return true;
}

}  // namespace quivra::info::pictures
