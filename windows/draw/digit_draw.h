#pragma once

#include <QString>

class Form1;

// The digit draw on the stage: the start button prepares the six positions and starts the
// first position's timer; each tick of position k shows one admissible digit and, after
// the spin count, settles it and hands over to position k + 1. The rules it draws by (the
// random source, the admissible digits, the tickets behind each digit) are the engine's.
namespace digit_draw {

// How many draws one tick may take before it gives up on its random source. With one
// admissible digit in ten, a fair source misses this often with chance 0.9^1000; a
// settling digit takes at most six draws an attempt, and an attempt fails less than
// half the time.
constexpr int MaxDrawsPerTick = 1000;

// The marker animation, read afresh at every start: green.gif beside the executable.
QString markerPath();
// Tests read the marker from a folder of their own; an empty text returns to the
// executable's directory.
void setMarkerDirectory(const QString& directory);

// A text with its digits 0 to 9 in their Persian forms, as a screen reader with a Persian
// voice reads them.
QString persianDigits(QString text);

// Tells assistive technology the number just drawn: the stage's window takes it as its
// name, which screen readers speak when the active window's name changes.
void announce(Form1& stage, const QString& number);

} // namespace digit_draw
