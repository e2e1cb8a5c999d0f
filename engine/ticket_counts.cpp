#include "engine/ticket_counts.h"

#include "engine/admissible_digits.h"

#include <algorithm>
#include <cmath>

namespace engine {
namespace {

constexpr int Positions = 6;

constexpr std::int64_t powerOfTen(int n) {
    std::int64_t p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

// The six-digit numbers n (0 to 999999) as one closed range; empty when from > to.
struct Range {
    std::int64_t from = 0;
    std::int64_t to = powerOfTen(Positions) - 1;

    void keep(std::int64_t low, std::int64_t high) {
        from = std::max(from, low);
        to = std::min(to, high);
    }
    std::uint64_t size() const { return from > to ? 0 : std::uint64_t(to - from + 1); }
};

// The numbers whose first j digits, as a whole number v, satisfy low <= v <= high. The
// first j digits are n / 10^(6 - j), so v lies within [low, high] exactly when n lies
// within [ceil(low) 10^(6 - j), (floor(high) + 1) 10^(6 - j) - 1]. The bounds are read
// as numbers and may be anything a bound text reads as, so they are first brought within
// the j-digit numbers, which changes no answer.
void keepPosition(Range& range, int j, double low, double high) {
    const double largest = double(powerOfTen(j));
    const auto from = std::int64_t(std::clamp(std::ceil(low), 0.0, largest));
    const auto to = std::int64_t(std::clamp(std::floor(high), -1.0, largest));
    const std::int64_t unit = powerOfTen(Positions - j);
    range.keep(from * unit, (to + 1) * unit - 1);
}

// The numbers the bounds let the draw reach from position k on, read as the tick reads
// them at every position.
Range reachableFrom(int k, const QString& lower, const QString& upper) {
    Range range;
    for (int j = std::max(k, 1); j <= Positions; ++j)
        keepPosition(range, j, boundPrefix(lower, j), boundPrefix(upper, j));
    return range;
}

std::uint64_t behind(Range range, int k, const QString& prefix, int digit,
                     const TicketList& leftOut) {
    // The first k digits are the candidate itself: the tickets beginning with it.
    const double candidate = candidateValue(prefix, digit);
    keepPosition(range, k, candidate, candidate);
    if (range.size() == 0)
        return 0;
    const auto first = std::lower_bound(leftOut.begin(), leftOut.end(), range.from);
    const auto past = std::upper_bound(first, leftOut.end(), range.to);
    return range.size() - std::uint64_t(past - first);
}

} // namespace

std::uint64_t ticketsBehind(int k, const QString& lower, const QString& upper,
                            const QString& prefix, int digit, const TicketList& leftOut) {
    if (k < 1 || k > Positions)
        return 0;
    return behind(reachableFrom(k, lower, upper), k, prefix, digit, leftOut);
}

DigitWeights ticketWeights(int k, const QString& lower, const QString& upper,
                           const QString& prefix, const TicketList& leftOut) {
    DigitWeights weights{};
    if (k < 1 || k > Positions)
        return weights;
    const Range reachable = reachableFrom(k, lower, upper);
    for (int d = 0; d <= 9; ++d)
        weights[std::size_t(d)] = behind(reachable, k, prefix, d, leftOut);
    return weights;
}

std::uint64_t ticketsLeft(const QString& lower, const QString& upper, const TicketList& leftOut) {
    return totalOf(ticketWeights(1, lower, upper, QString(), leftOut));
}

std::uint64_t totalOf(const DigitWeights& weights) {
    std::uint64_t total = 0;
    for (std::uint64_t w : weights)
        total += w;
    return total;
}

int weightedDigit(const DigitWeights& weights, std::uint64_t t) {
    for (int d = 0; d <= 9; ++d) {
        if (t < weights[std::size_t(d)])
            return d;
        t -= weights[std::size_t(d)];
    }
    return -1;
}

std::optional<int> settlingDigit(RandomSource& source, const DigitWeights& weights, int& draws,
                                 int maxDraws) {
    const std::uint64_t total = totalOf(weights);
    if (total == 0)
        return std::nullopt;
    // One digit holds every ticket: it is certain, and no draw can change it.
    if (std::count(weights.begin(), weights.end(), 0) == 9)
        return weightedDigit(weights, 0);
    const std::optional<std::uint64_t> t = wholeBelow(source, total, draws, maxDraws);
    if (!t)
        return std::nullopt;
    return weightedDigit(weights, *t);
}

} // namespace engine
