// The anchor of the start-up benchmark: an empty Qt 6 widget window, started
// and shown the way Quivra is (QApplication, one top-level widget).
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Empty Qt Window"));
    window.resize(640, 480);
    window.show();
    return QApplication::exec();
}
