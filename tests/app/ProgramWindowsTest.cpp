// What must hold in every window the program can open (the list in
// src/app/ProgramWindows.cpp, so a new window is checked by being listed):
//  - it is announced as a window or dialog;
//  - every control has an accessible name, and every text it shows reaches
//    a screen reader (as the name or as the value of a caption's label);
//  - every visible text has a contrast of at least 4.5:1 against what is
//    drawn behind it;
//  - Tab reaches every control that takes the focus, in screen order.
// The windows are filled first: a search ran, a set-up is saved.

#include "AppTestSupport.h"

#include "ModalPattern.h"
#include "ProgramWindows.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <set>

namespace quivra::app::test {
namespace {

// The colour drawn most often in `area` of `image`: the background of a
// text, which covers more of its box than the letters do.
QColor backgroundIn(const QImage& image, const QRect& area) {
    QHash<QRgb, int> counts;
    const QRect box = area.intersected(image.rect());
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) ++counts[image.pixel(x, y)];
    }
    QRgb best = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            best = it.key();
            most = it.value();
        }
    }
    return QColor::fromRgb(best);
}

QPalette::ColorGroup groupOf(const QWidget* w) {
    if (!w->isEnabled()) return QPalette::Disabled;
    return w->isActiveWindow() ? QPalette::Active : QPalette::Inactive;
}

QString plainText(const QLabel* label) {
    if (label->textFormat() == Qt::PlainText) return label->text();
    QTextDocument doc;
    doc.setHtml(label->text());
    return doc.toPlainText();
}

QString withoutMnemonic(QString text) {
    return text.remove(QRegularExpression(QStringLiteral("&(?!&)")))
        .replace(QLatin1String("&&"), QLatin1String("&"));
}

QString describe(const QWidget* w) {
    return QStringLiteral("%1 %2 \"%3\"")
        .arg(QString::fromLatin1(w->metaObject()->className()), w->objectName(),
             w->accessibleName());
}

struct TextOnScreen {
    QString what;
    QColor text;
    QRect area;  // in window coordinates
};

// Every text a widget draws, with its colour and the box it is drawn in.
std::vector<TextOnScreen> textsOf(QWidget* w, QWidget* top) {
    std::vector<TextOnScreen> texts;
    const QPalette::ColorGroup group = groupOf(w);
    const QPalette& pal = w->palette();
    const QRect box(w->mapTo(top, QPoint(0, 0)), w->size());
    const auto add = [&](const QString& what, QPalette::ColorRole role, const QRect& area) {
        if (!what.trimmed().isEmpty()) texts.push_back({what, pal.color(group, role), area});
    };
    if (auto* label = qobject_cast<QLabel*>(w)) {
        add(plainText(label), label->foregroundRole(), box);
    } else if (auto* tabs = qobject_cast<QTabBar*>(w)) {
        for (int i = 0; i < tabs->count(); ++i) {
            add(tabs->tabText(i), QPalette::WindowText,
                QRect(w->mapTo(top, tabs->tabRect(i).topLeft()), tabs->tabRect(i).size())
                    .adjusted(3, 3, -3, -3));
        }
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        // The face of a push button, the window behind a radio item.
        add(button->text(), button->foregroundRole(), box.adjusted(3, 3, -3, -3));
    } else if (auto* frame = qobject_cast<QGroupBox*>(w)) {
        add(frame->title(), QPalette::WindowText, box);
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        add(edit->text(), QPalette::Text, box.adjusted(2, 2, -2, -2));
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
        add(plain->toPlainText(), QPalette::Text, box.adjusted(2, 2, -2, -2));
    } else if (auto* rich = qobject_cast<QTextEdit*>(w)) {
        add(rich->toPlainText(), QPalette::Text, box.adjusted(2, 2, -2, -2));
    } else if (auto* bar = qobject_cast<QMenuBar*>(w)) {
        for (QAction* action : bar->actions()) {
            const QRect r = bar->actionGeometry(action);
            add(action->text(), QPalette::ButtonText,
                QRect(w->mapTo(top, r.topLeft()), r.size()).adjusted(2, 2, -2, -2));
        }
    }
    return texts;
}

// Widgets that take part in a window: visible, and not Qt's own parts of a
// compound control (spin box editors are checked through their spin box
// for names, and as line edits for contrast).
bool isQtInternal(const QWidget* w) {
    return w->objectName().startsWith(QLatin1String("qt_")) ||
           qobject_cast<QTabBar*>(w->parentWidget()) || qobject_cast<QMenuBar*>(w->parentWidget());
}

class ProgramWindowsTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        if (IsSkipped()) return;
        // One saved set-up, so the retrieval window has a customer to show.
        shell::setDialogObserver([](QDialog* d) {
            const auto type = [d](const char* name, const char* text) {
                d->findChild<QLineEdit*>(QString::fromLatin1(name))
                    ->setText(QString::fromUtf8(text));
            };
            type("DBEdit1", "Aardvark");
            type("DBEdit6", "1 Quiver Lane");
            type("DBEdit8", "Springfield");
            type("DBEdit9", "IL");
            QTimer::singleShot(0, d, [d] {
                d->findChild<QPushButton*>(QStringLiteral("EncartaButton2"))->click();
            });
        });
        window().HSaveBtnClick();
        shell::setDialogObserver(nullptr);
    }

    // Makes, shows and activates each listed window in turn for `check`.
    template <class Check>
    void forEachWindow(Check check) {
        const std::vector<ProgramWindow> windows = programWindows();
        ASSERT_GE(windows.size(), 10U);
        for (const ProgramWindow& entry : windows) {
            SCOPED_TRACE(entry.name.toStdString());
            std::unique_ptr<QWidget> w = entry.make(window());
            ASSERT_TRUE(w);
            // Shown as a window of its own, not inside the main window's loop.
            w->setWindowModality(Qt::NonModal);
            w->show();
            w->activateWindow();
            (void)QTest::qWaitForWindowExposed(w.get());
            (void)QTest::qWaitForWindowActive(w.get(), 500);
            check(*w);
            w->hide();
        }
    }
};

TEST_F(ProgramWindowsTest, EveryWindowIsAnnouncedAsAWindow) {
    forEachWindow([](QWidget& w) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&w);
        ASSERT_NE(iface, nullptr);
        const QAccessible::Role role = iface->role();
        EXPECT_TRUE(role == QAccessible::Window || role == QAccessible::Dialog ||
                    role == QAccessible::AlertMessage)
            << "role " << role;
        EXPECT_FALSE(iface->text(QAccessible::Name).isEmpty());
    });
}

TEST_F(ProgramWindowsTest, EveryControlIsNamedAndEveryShownTextReachesAScreenReader) {
    forEachWindow([](QWidget& top) {
        for (QWidget* w : top.findChildren<QWidget*>()) {
            if (!w->isVisibleTo(&top) || isQtInternal(w)) continue;
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
            ASSERT_NE(iface, nullptr);
            const QString name = iface->text(QAccessible::Name);
            const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                                 qobject_cast<QGroupBox*>(w) ||
                                 qobject_cast<QAbstractSpinBox*>(w) ||
                                 (w->focusPolicy() & Qt::TabFocus);
            if (control && !qobject_cast<QLineEdit*>(w->parentWidget()) &&
                !qobject_cast<QAbstractSpinBox*>(w->parentWidget())) {
                EXPECT_FALSE(name.isEmpty()) << describe(w).toStdString();
            }
            const auto* label = qobject_cast<QLabel*>(w);
            if (!label) continue;
            // "&" marks a shortcut only in a label that names a buddy.
            const QString text = plainText(label);
            const QString shown = (label->buddy() ? withoutMnemonic(text) : text).simplified();
            if (shown.isEmpty()) continue;
            // A caption is its own name; a value is named by its caption and
            // shown as its value.
            const QString value = iface->text(QAccessible::Value).simplified();
            EXPECT_TRUE(shown.contains(name.simplified()) || value == shown)
                << describe(w).toStdString() << " shows \"" << shown.toStdString()
                << "\" but tells \"" << name.toStdString() << "\" / \"" << value.toStdString()
                << "\"";
            EXPECT_FALSE(name.isEmpty()) << describe(w).toStdString();
        }
    });
}

TEST_F(ProgramWindowsTest, EveryVisibleTextHasAContrastOfAtLeastFourAndAHalf) {
    int checked = 0;
    forEachWindow([&checked](QWidget& top) {
        const QImage image = top.grab().toImage();
        for (QWidget* w : top.findChildren<QWidget*>()) {
            if (!w->isVisibleTo(&top) || w->objectName().startsWith(QLatin1String("qt_"))) {
                continue;
            }
            // A disabled control is inactive and may look it; the grid's
            // display cells are disabled but show values, so they count.
            if (!w->isEnabled() && !qobject_cast<SlotButton*>(w)) continue;
            for (const TextOnScreen& t : textsOf(w, &top)) {
                ++checked;
                const QColor behind = backgroundIn(image, t.area);
                EXPECT_GE(contrastRatio(t.text, behind), 4.5)
                    << describe(w).toStdString() << " \"" << t.what.toStdString() << "\" "
                    << t.text.name().toStdString() << " on " << behind.name().toStdString();
            }
        }
    });
    EXPECT_GT(checked, 150);  // the texts were found
}

// The widget Tab stops at for `w`: radio items of one group are one stop.
const QObject* stopOf(QWidget* w) {
    if (auto* radio = qobject_cast<QRadioButton*>(w)) return radio->parentWidget();
    return w;
}

TEST_F(ProgramWindowsTest, TabReachesEveryControlInScreenOrder) {
    forEachWindow([](QWidget& top) {
        if (!top.isActiveWindow()) GTEST_SKIP() << "the window could not be activated";
        std::vector<QWidget*> focusable;
        for (QWidget* w : top.findChildren<QWidget*>()) {
            if (w->isVisibleTo(&top) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) &&
                !w->focusProxy() && w->window() == &top) {
                focusable.push_back(w);
            }
        }
        if (focusable.empty()) return;
        focusable.front()->setFocus(Qt::TabFocusReason);
        QWidget* start = QApplication::focusWidget();
        ASSERT_NE(start, nullptr);
        std::vector<QWidget*> stops{start};
        for (std::size_t i = 0; i < focusable.size() + 2; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* now = QApplication::focusWidget();
            if (now == start || now == nullptr) break;
            stops.push_back(now);
        }
        std::set<const QObject*> reached;
        for (QWidget* s : stops) reached.insert(stopOf(s));
        for (QWidget* w : focusable) {
            EXPECT_TRUE(reached.count(stopOf(w)))
                << describe(w).toStdString() << " is never reached";
        }
        // Screen order: round the whole cycle, Tab goes back up the screen
        // once, from the last control to the first; any other step up goes
        // to the top of a column further right.
        QStringList backwards;
        for (std::size_t i = 0; i < stops.size(); ++i) {
            QWidget* from = stops[i];
            QWidget* to = stops[(i + 1) % stops.size()];
            const QRect a(from->mapTo(&top, QPoint(0, 0)), from->size());
            const QRect b(to->mapTo(&top, QPoint(0, 0)), to->size());
            const bool upwards = b.center().y() < a.top();
            const bool toTheRight = b.left() >= a.right() - 2;
            if (upwards && !toTheRight) backwards << describe(from) + " -> " + describe(to);
        }
        EXPECT_LE(backwards.size(), 1) << backwards.join(QLatin1Char('\n')).toStdString();
    });
}

}  // namespace
}  // namespace quivra::app::test
