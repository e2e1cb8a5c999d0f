#include "app/twips.h"

#include "app/screens.h"

#include <QVariant>
#include <QWidget>
#include <cmath>

namespace twips {
namespace {
constexpr const char* LeftKey = "twipsLeft";
constexpr const char* TopKey = "twipsTop";
constexpr const char* WidthKey = "twipsWidth";
constexpr const char* HeightKey = "twipsHeight";

float read(const QWidget* w, const char* key, int pixels) {
    const QVariant v = w->property(key);
    return v.isValid() ? v.toFloat() : float(pixels * PerPixel / scale(w));
}

void place(QWidget* w) {
    const double s = scale(w);
    const int x = toPixels(left(w) * s);
    const int y = toPixels(top(w) * s);
    const int wd = std::max(0, toPixels((left(w) + width(w)) * s) - x);
    const int h = std::max(0, toPixels((top(w) + height(w)) * s) - y);
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

double scale(const QWidget* w) {
    const auto* window = qobject_cast<const ScaledWindow*>(w->window());
    return window ? window->scale() : 1.0;
}

void ScaledWindow::setScale(double value) {
    scale_ = value;
    for (QWidget* control : findChildren<QWidget*>())
        if (control->property(LeftKey).isValid())
            place(control);
}

QSizeF screenSize(const QWidget* window) {
    const QSize pixels = screens::area(screens::of(window)).size();
    const double twipsPerPixel = PerPixel / scale(window);
    return QSizeF(pixels.width() * twipsPerPixel, pixels.height() * twipsPerPixel);
}
} // namespace twips
