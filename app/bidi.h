#pragma once

#include <QString>

// Text that has to read right in a right-to-left line.
namespace bidi {

// A path, or a run of Latin letters or numbers, isolated so that it reads left to right as
// it stands, whatever surrounds it. In a right-to-left line the bidirectional algorithm
// would otherwise reorder its parts: a folder named in Persian with a number in it swaps
// places with its neighbours, a full stop jumps to the other end.
QString leftToRight(const QString& text);

} // namespace bidi
