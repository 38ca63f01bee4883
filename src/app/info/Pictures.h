#pragma once
// The pictures delivered with the program, in `<dataDir>/pictures/`.  A
// picture that cannot be read never stops a window: the place it would fill
// shows a short text naming the missing file instead.

#include <QPixmap>
#include <QString>

#include <filesystem>
#include <vector>

class QLabel;

namespace quivra::info::pictures {

// `<dataDir>/pictures/<fileName>`.
std::filesystem::path path(const std::filesystem::path& dataDir, const QString& fileName);

// A numbered list of frames: `<prefix>1.jpg`, `<prefix>2.jpg`, ... up to the
// first number that is missing ("ke_small_" gives ke_small_1.jpg, ...).
std::vector<std::filesystem::path> list(const std::filesystem::path& dataDir,
                                        const QString& prefix);

// The picture, or a null pixmap when the file is missing or unreadable.
QPixmap load(const std::filesystem::path& file);

// Shows the picture in `label`; when it cannot be read the label shows the
// text "Picture not available: <file name>" instead.  Returns true when the
// picture was shown.
bool showIn(QLabel* label, const std::filesystem::path& file);

// The text shown in place of a missing picture.
QString missingText(const std::filesystem::path& file);

}  // namespace quivra::info::pictures
