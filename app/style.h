#pragma once

#include <QProxyStyle>

// The program's one style: Fusion everywhere, with three changes.
//  - A button or drop-down list given a back colour of its own paints that colour flat, in
//    every state: Fusion would shade it into a gradient, and the audience looks at the
//    stage's green buttons for a whole event. Pressed, the button shows a sunken edge;
//    disabled, it keeps its colour and greys its caption; focused, it shows a dotted
//    focus rectangle.
//  - Buttons of standard dialogs carry no icons, as the program's own messages have none.
//  - The overflow button of a menu bar gets its icon only when that icon is drawn. The
//    menu bar builds the button at once, and reading its PNG, the first picture read
//    without a named format, makes Qt load and query every image plugin installed (TIFF,
//    WebP, MNG and the libraries behind them): milliseconds of start-up and over a
//    megabyte of memory, for a button the program's one-entry menu never shows.
class Style : public QProxyStyle {
    Q_OBJECT
  public:
    // Takes Fusion when it is there, the platform's style otherwise.
    Style();

    QIcon standardIcon(StandardPixmap which, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr, QStyleHintReturn* returnData = nullptr) const override;
};
