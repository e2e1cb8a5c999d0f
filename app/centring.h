#pragma once

class QScreen;
class QWidget;

// A window "centred on the screen" is centred as the user sees it: the outer rectangle,
// title bar and borders included, has its centre at the screen's centre. Centring the
// inner area alone would leave a window with a title bar half the bar's height too low.
namespace centring {
// Places a top-level window on the given screen, centred. Where the frame's size can only
// be known from the window manager, it is asked for before the window is mapped, so the
// window appears in its place at once and never jumps.
void centreOnScreen(QWidget& window, const QScreen* screen);
} // namespace centring
