#include "app/screens.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <utility>

namespace screens {
namespace {
QSize pinnedSize;
void (*onChange)() = nullptr;
bool changePending = false;

qint64 overlap(const QRect& a, const QRect& b) {
    const QRect both = a.intersected(b);
    return both.isEmpty() ? 0 : qint64(both.width()) * both.height();
}

QRect frameOf(const QWidget* top) {
    return top->isVisible() ? top->frameGeometry() : top->geometry();
}

// The screen that holds most of a top-level window, and how many of its pixels it holds.
std::pair<QScreen*, qint64> holding(const QWidget* top) {
    const QRect frame = frameOf(top);
    std::pair<QScreen*, qint64> best{nullptr, 0};
    for (QScreen* screen : QGuiApplication::screens()) {
        const qint64 held = overlap(frame, screen->geometry());
        if (held > best.second)
            best = {screen, held};
    }
    return best;
}

void changed() {
    // Unplugging a screen arrives as several signals (the screen goes, the others move
    // and change size); the windows are placed again once, after the last of them.
    if (changePending || !onChange)
        return;
    changePending = true;
    QTimer::singleShot(0, qApp, [] {
        changePending = false;
        if (onChange)
            onChange();
    });
}

void follow(QScreen* screen) {
    QObject::connect(screen, &QScreen::geometryChanged, qApp, [] { changed(); });
    // A new scale of the screen arrives as a change of its dots per inch; its size in the
    // program's pixels usually changes with it, but not always.
    QObject::connect(screen, &QScreen::logicalDotsPerInchChanged, qApp, [] { changed(); });
}
} // namespace

QRect area(const QScreen* screen) {
    if (!screen)
        return QRect(QPoint(0, 0), pinnedSize.isEmpty() ? QSize(1024, 768) : pinnedSize);
    const QRect real = screen->geometry();
    return pinnedSize.isEmpty() ? real : QRect(real.topLeft(), pinnedSize);
}

void overrideSize(QSize pixels) {
    pinnedSize = pixels;
}

QScreen* of(const QWidget* window) {
    if (!window)
        return QGuiApplication::primaryScreen();
    const QWidget* top = window->window();
    if (QScreen* best = holding(top).first)
        return best;
    if (const QWindow* handle = top->windowHandle(); handle && handle->screen())
        return handle->screen();
    return QGuiApplication::primaryScreen();
}

bool stranded(const QWidget* window) {
    const QWidget* top = window->window();
    const QRect frame = frameOf(top);
    return 2 * holding(top).second < qint64(frame.width()) * frame.height();
}

bool reachable(const QRect& frame) {
    const QPoint corners[] = {frame.topLeft(), frame.topRight(), frame.bottomLeft(),
                              frame.bottomRight()};
    return std::all_of(std::begin(corners), std::end(corners),
                       [](QPoint p) { return QGuiApplication::screenAt(p) != nullptr; });
}

QPoint pulledOnto(const QRect& frame, const QRect& area) {
    const int x = std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width()));
    const int y = std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height()));
    return {x, y};
}

QScreen* forOpening(const QWidget* lastActive) {
    if (const QWidget* active = QApplication::activeWindow())
        return of(active);
    // A window manager may take its time to hand the focus over, and a message box just
    // closed leaves none active: the window the operator last worked in still counts.
    if (lastActive)
        return of(lastActive);
    return QGuiApplication::primaryScreen();
}

double fitScale(QSize design, QSize screen) {
    if (design.isEmpty() || screen.isEmpty())
        return 1.0;
    const double across = double(screen.width()) / design.width();
    const double down = double(screen.height()) / design.height();
    return std::min({1.0, across, down});
}

void watch(void (*callback)()) {
    onChange = callback;
    static bool connected = false;
    if (connected)
        return;
    connected = true;
    for (QScreen* screen : QGuiApplication::screens())
        follow(screen);
    QObject::connect(qApp, &QGuiApplication::screenAdded, qApp, [](QScreen* screen) {
        follow(screen);
        changed();
    });
    QObject::connect(qApp, &QGuiApplication::screenRemoved, qApp, [] { changed(); });
    QObject::connect(qApp, &QGuiApplication::primaryScreenChanged, qApp, [] { changed(); });
}

void followWindow(QWindow* window) {
    QObject::connect(window, &QWindow::screenChanged, window, [] { changed(); });
}
} // namespace screens
