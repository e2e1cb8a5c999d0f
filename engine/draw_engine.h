#pragma once

#include <QString>

class Form1;

// The digit draw on the stage: the start button prepares the six positions and starts the
// first position's timer; each tick of position k shows one admissible digit and, after
// the spin count, settles it and hands over to position k + 1.
namespace engine {

// How many draws one tick may take before it gives up on its random source. With one
// admissible digit in ten, a fair source misses this often with chance 0.9^1000.
constexpr int MaxDrawsPerTick = 1000;

void start(Form1& stage);
void tick(Form1& stage, int k);

// The marker animation, read afresh at every start: green.gif beside the executable.
QString markerPath();
// Tests read the marker from a folder of their own; an empty text returns to the
// executable's directory.
void setMarkerDirectory(const QString& directory);

} // namespace engine
