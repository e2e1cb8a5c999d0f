#include "app/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVariant>
#include <QWidget>
#include <cmath>

namespace twips {
namespace {
constexpr const char* LeftKey = "twipsLeft";
constexpr const char* TopKey = "twipsTop";
constexpr const char* WidthKey = "twipsWidth";
constexpr const char* HeightKey = "twipsHeight";

QSize screenOverride;

float read(const QWidget* w, const char* key, int pixels) {
    const QVariant v = w->property(key);
    return v.isValid() ? v.toFloat() : float(pixels * PerPixel);
}

void place(QWidget* w) {
    const int x = toPixels(left(w));
    const int y = toPixels(top(w));
    const int wd = std::max(0, toPixels(left(w) + width(w)) - x);
    const int h = std::max(0, toPixels(top(w) + height(w)) - y);
    w->setGeometry(x, y, wd, h);
}

void store(QWidget* w, const char* key, double value) {
    w->setProperty(key, float(value));
    place(w);
}
} // namespace

int toPixels(double twipsValue) { return int(std::lround(twipsValue / PerPixel)); }

float left(const QWidget* w) { return read(w, LeftKey, w->x()); }
float top(const QWidget* w) { return read(w, TopKey, w->y()); }
float width(const QWidget* w) { return read(w, WidthKey, w->width()); }
float height(const QWidget* w) { return read(w, HeightKey, w->height()); }

void setLeft(QWidget* w, double value) { store(w, LeftKey, value); }
void setTop(QWidget* w, double value) { store(w, TopKey, value); }

void setRect(QWidget* w, double l, double t, double wd, double h) {
    w->setProperty(LeftKey, float(l));
    w->setProperty(TopKey, float(t));
    w->setProperty(WidthKey, float(wd));
    w->setProperty(HeightKey, float(h));
    place(w);
}

QSizeF screenSize() {
    QSize pixels = screenOverride;
    if (pixels.isEmpty()) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        pixels = screen ? screen->geometry().size() : QSize(1024, 768);
    }
    return QSizeF(pixels.width() * PerPixel, pixels.height() * PerPixel);
}

void overrideScreenPixels(QSize pixels) { screenOverride = pixels; }
} // namespace twips
