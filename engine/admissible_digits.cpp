#include "engine/admissible_digits.h"

#include "engine/conversions.h"

namespace engine {

double boundPrefix(const QString& bound, int k) {
    return TextToNumber(bound.left(k));
}

bool withinBounds(int k, const QString& lower, const QString& upper, double candidate) {
    return boundPrefix(lower, k) <= candidate && candidate <= boundPrefix(upper, k);
}

double candidateValue(const QString& prefix, int digit) {
    return TextToNumber(prefix + NumberToText(digit));
}

bool isAdmissible(int k, const QString& lower, const QString& upper, const QString& prefix,
                  int digit) {
    return withinBounds(k, lower, upper, candidateValue(prefix, digit));
}

std::vector<int> admissibleDigits(int k, const QString& lower, const QString& upper,
                                  const QString& prefix) {
    std::vector<int> digits;
    for (int d = 0; d <= 9; ++d)
        if (isAdmissible(k, lower, upper, prefix, d))
            digits.push_back(d);
    return digits;
}

} // namespace engine
