#pragma once
// Waiting for pixels: a window counts as painted once a paint event has
// reached it (or one of its children) and the display server has taken the
// painted image.  Under the offscreen platform nothing is ever exposed, so
// nothing is painted there; the benchmarks that need pixels say so and stop.

#include <QObject>

#include <functional>

class QWidget;

namespace quivra::bench {

// The main() of the window benchmarks: the application object (on the X
// display when DISPLAY is set, offscreen otherwise), message boxes answered
// at once, the benchmarks run, then `beforeQuit` while the application
// object still exists.
int runWindowBenchmarks(int argc, char** argv, const std::function<void()>& beforeQuit = {});

// True when the program runs on a real display (xcb, under Xvfb in CI).
bool onDisplay();

// A round trip to the display server: every request sent so far (the
// painted image among them) has been handled when this returns.
void syncWithDisplay();

// Watches paint events of one window and its children.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget& window);
    ~PaintWatch() override;
    PaintWatch(const PaintWatch&) = delete;
    PaintWatch& operator=(const PaintWatch&) = delete;

    // Forgets paints seen so far.
    void reset() { m_paints = 0; }
    // Runs the event loop until a paint has happened since reset() and the
    // display has the pixels.  False after `timeoutMs` without a paint.
    bool waitForPixels(int timeoutMs = 2000);
    [[nodiscard]] int paints() const { return m_paints; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_window;
    int m_paints = 0;
};

}  // namespace quivra::bench
