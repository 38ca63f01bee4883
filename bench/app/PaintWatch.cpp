#include "PaintWatch.h"

#include "ErrorHandler.h"
#include "MessageBox.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

#include <benchmark/benchmark.h>
#include <xcb/xcb.h>

#include <cstdlib>

namespace quivra::bench {

int runWindowBenchmarks(int argc, char** argv, const std::function<void()>& beforeQuit) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    shell::QuivraApplication app(argc, argv);
    shell::MessageBox::setAutoAnswer(true);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (beforeQuit) beforeQuit();
    return 0;
}

bool onDisplay() {
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

void syncWithDisplay() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr) return;
    xcb_connection_t* connection = x11->connection();
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

PaintWatch::PaintWatch(QWidget& window) : m_window(window) {
    QCoreApplication::instance()->installEventFilter(this);
}

PaintWatch::~PaintWatch() {
    QCoreApplication::instance()->removeEventFilter(this);
}

bool PaintWatch::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint) {
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && widget->window() == &m_window) ++m_paints;
    }
    return false;
}

bool PaintWatch::waitForPixels(int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    // Paint events are sent while the window's whole update is painted and
    // flushed, inside one event; once processEvents() returns after one was
    // seen, the image has gone to the display.
    while (m_paints == 0) {
        if (clock.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    syncWithDisplay();
    return true;
}

}  // namespace quivra::bench
