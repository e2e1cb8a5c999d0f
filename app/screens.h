#pragma once

#include <QRect>
#include <QSize>

class QScreen;
class QWidget;
class QWindow;

// Which screen a window of the program stands on, and which one a new window goes to.
// A draw is often shown on a projector beside the operator's laptop: every window opens on
// the screen of the window it is opened from, so the stage appears wherever the operator
// put the range entry window. This is the one place that asks Qt about screens.
namespace screens {
// The screen holding most of the window's frame; when no screen holds any of it (its
// screen was unplugged), the screen Qt has moved it to. Null only with no screen at all.
QScreen* of(const QWidget* window);

// Whether less than half of the window's frame is on any screen, as when the screen that
// held it was unplugged: the user could not reach it.
bool stranded(const QWidget* window);

// Whether each corner of a window's frame lies on some screen. Where one lies on none, part
// of the window is beyond the desktop's edge, out of the user's reach.
bool reachable(const QRect& frame);

// Where a window's frame stands once moved back onto the area: by each edge it reaches
// past, as little as it takes. A frame larger than the area keeps its left or top edge on
// the area's, where the title bar and the close box are.
QPoint pulledOnto(const QRect& frame, const QRect& area);

// The screen for a window about to be shown: the screen of the program's window it is
// opened from (the active one, else `lastActive`, the one last active where it is still
// shown), else the system's main screen.
QScreen* forOpening(const QWidget* lastActive);

// A screen's whole area in the program's own pixels. Tests may pin its size, so that a
// layout can be checked for any screen; the screen's position stays the real one.
QRect area(const QScreen* screen);
void overrideSize(QSize pixels); // an empty size returns to the real screens

// How much a full-screen design of the given size is shrunk to show whole on a screen of
// the given size: 1 wherever it fits, otherwise the larger of the two reductions, so the
// design keeps its proportions.
double fitScale(QSize design, QSize screen);

// Calls back, once the event loop is reached, whenever a screen is added or removed or
// changes its size, place or scale. One callback for the program.
void watch(void (*changed)());

// Calls the same callback, in the same pass, whenever the window goes to another screen:
// dragged there by the user, moved by the window manager or the system, or left for
// another when its screen goes.
void followWindow(QWindow* window);
} // namespace screens
