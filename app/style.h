#pragma once

#include <QProxyStyle>

// The program's one style: Fusion everywhere, so that coloured buttons paint their colour
// on every desktop, except that the overflow button of a menu bar gets its icon only when
// that icon is drawn. The menu bar builds the button at once, and reading its PNG, the
// first picture read without a named format, makes Qt load and query every image plugin
// installed (TIFF, WebP, MNG and the libraries behind them): milliseconds of start-up and
// over a megabyte of memory, for a button the program's one-entry menu never shows.
class Style : public QProxyStyle {
    Q_OBJECT
  public:
    // Takes Fusion when it is there, the platform's style otherwise.
    Style();

    QIcon standardIcon(StandardPixmap which, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};
