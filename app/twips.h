#pragma once

#include <QSize>

class QWidget;

// Positions and sizes are twips, 15 to a logical pixel. Each control keeps its
// coordinates as single-precision twips beside the widget, so that a computed Left of
// 1072.5 reads back as 1072.5; the widget itself stands at the nearest pixel.
namespace twips {
constexpr double PerPixel = 15.0;

int toPixels(double twipsValue);

float left(const QWidget* w);
float top(const QWidget* w);
float width(const QWidget* w);
float height(const QWidget* w);

void setLeft(QWidget* w, double value);
void setTop(QWidget* w, double value);
void setRect(QWidget* w, double l, double t, double wd, double h);

// The screen the program's windows are shown on, in twips. Tests may pin it to a
// size of their choosing, so that a layout can be checked for any screen.
QSizeF screenSize();
void overrideScreenPixels(QSize pixels); // an empty size returns to the real screen
} // namespace twips
