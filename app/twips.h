#pragma once

#include <QSize>
#include <QWidget>

// Positions and sizes are twips, 15 to a logical pixel. Each control keeps its
// coordinates as single-precision twips beside the widget, so that a computed Left of
// 1072.5 reads back as 1072.5; the widget itself stands at the nearest pixel. A window
// shown on a screen smaller than its design is drawn at a scale below 1: its controls keep
// the design's twips, and only the pixels they stand at shrink.
namespace twips {
constexpr double PerPixel = 15.0;

// A window whose controls are placed in twips, and the scale they are drawn at there (1
// unless set). A control in any other window is drawn at 1.
class ScaledWindow : public QWidget {
    Q_OBJECT
  public:
    using QWidget::QWidget;
    double scale() const { return scale_; }
    // Places every control of the window again at the new scale.
    void setScale(double value);

  private:
    double scale_ = 1.0;
};

int toPixels(double twipsValue);

float left(const QWidget* w);
float top(const QWidget* w);
float width(const QWidget* w);
float height(const QWidget* w);

void setLeft(QWidget* w, double value);
void setTop(QWidget* w, double value);
void setRect(QWidget* w, double l, double t, double wd, double h);

// The scale of the window a control stands in.
double scale(const QWidget* w);

// The screen the window stands on, in the twips of its controls: at a scale below 1 the
// screen holds more of them than its pixels would say.
QSizeF screenSize(const QWidget* window);
} // namespace twips
