#pragma once

#include <QString>
#include <vector>

// Which digit may stand at a position of the drawn number, read from the bound texts the
// way the draw reads them: position k compares the number formed by the first k digits
// with the first k characters of each bound, as numbers, both bounds included.
namespace engine {

// The first k characters of a bound as a number; a shorter text is taken whole.
double boundPrefix(const QString& bound, int k);

// Whether a candidate value (the first k digits of the number being drawn) lies within
// the first k characters of both bounds.
bool withinBounds(int k, const QString& lower, const QString& upper, double candidate);

// The candidate value of a digit at position k after the settled prefix: the prefix
// followed by the digit, read as a number.
double candidateValue(const QString& prefix, int digit);

bool isAdmissible(int k, const QString& lower, const QString& upper, const QString& prefix,
                  int digit);

// The digits 0 to 9 that are admissible at position k after the settled prefix, in
// ascending order; empty when none is.
std::vector<int> admissibleDigits(int k, const QString& lower, const QString& upper,
                                  const QString& prefix);

} // namespace engine
