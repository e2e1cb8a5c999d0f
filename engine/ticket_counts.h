#pragma once

#include "engine/random_source.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// The tickets behind each digit of a position, and the choice of the digit a position
// settles on. Spinning digits are shown with every admissible digit equally likely, but
// the digit that stays is chosen with a chance proportional to the tickets that begin
// with it: along the six positions the chances multiply and the counts cancel, so every
// ticket between the bounds is drawn with the same chance, whatever the bounds.
namespace engine {

// Chances of the ten digits of one position: a whole number for each, zero for a digit
// that cannot stand there.
using DigitWeights = std::array<std::uint64_t, 10>;

// Tickets left out of the draw (those that have won already, when each may win only once):
// six-digit numbers as whole numbers, in ascending order, each once.
using TicketList = std::vector<std::int64_t>;

// How many six-digit numbers beginning with the settled prefix followed by `digit` the
// draw can still finish on: those whose first j digits lie within the first j characters
// of both bounds, for position k and every position after it, read as the draw reads
// them. For bounds of six digits that is the tickets from lower to upper, both included,
// that begin so. Tickets left out are not counted: the settle then never reaches them, and
// every ticket still in the draw keeps the same chance.
std::uint64_t ticketsBehind(int k, const QString& lower, const QString& upper,
                            const QString& prefix, int digit, const TicketList& leftOut = {});

// The tickets behind each digit of position k after the settled prefix.
DigitWeights ticketWeights(int k, const QString& lower, const QString& upper,
                           const QString& prefix, const TicketList& leftOut = {});

// How many tickets a draw between the bounds can still finish on.
std::uint64_t ticketsLeft(const QString& lower, const QString& upper, const TicketList& leftOut);

std::uint64_t totalOf(const DigitWeights& weights);

// The digit a whole number t below the total stands for: the digits in ascending order,
// each taking as many of the numbers as its weight.
int weightedDigit(const DigitWeights& weights, std::uint64_t t);

// The digit a position settles on, drawn from the source with a chance of weight / total
// exactly; a single digit of any weight is taken without a draw. Every draw counts
// against `draws`, which may not pass `maxDraws`: nothing when it would, or when every
// weight is zero.
std::optional<int> settlingDigit(RandomSource& source, const DigitWeights& weights, int& draws,
                                 int maxDraws);

} // namespace engine
