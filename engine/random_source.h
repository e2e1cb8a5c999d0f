#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace engine {

// Where the draw's random values come from. Before every single draw the engine folds a
// clock reading in, then takes one value r with 0 <= r < 1.
class RandomSource {
  public:
    virtual ~RandomSource() = default;
    virtual void reseedFromClock() = 0;
    virtual double next() = 0;
};

// The program's generator: xoshiro256** seeded from the operating system's entropy. A
// clock reseed folds the reading into the state and never replaces it, so what the
// generator already holds is never thrown away, and two reseeds within one clock reading
// still lead to different values (a tick ends only when an admissible digit comes up, so
// a generator that repeated itself there could never get out).
class SystemRandom : public RandomSource {
  public:
    // A clock reading in nanoseconds, or whatever fine count the caller prefers.
    using Clock = std::function<std::uint64_t()>;

    // Seeded from the operating system; folds in the system clock's nanoseconds.
    SystemRandom();
    // Reproducible: a fixed seed and a clock of the caller's choosing.
    SystemRandom(std::uint64_t seed, Clock clock);

    void reseedFromClock() override;
    // A point of the grid below, every point equally likely.
    double next() override;

    std::uint64_t nextBits();

  private:
    void seedWith(const std::array<std::uint64_t, 4>& words);

    std::array<std::uint64_t, 4> state_{};
    std::uint64_t folds_ = 0;
    Clock clock_;
};

// A source that hands out a fixed list of values in order, again from the start when
// the list is used up; it counts the reseeds it is asked for.
class ScriptedRandom : public RandomSource {
  public:
    explicit ScriptedRandom(std::vector<double> values);
    // Values that floor(r * 10) turns back into exactly these digits.
    static std::shared_ptr<ScriptedRandom> ofDigits(const std::vector<int>& digits);

    void reseedFromClock() override { ++reseeds_; }
    double next() override;

    int reseeds() const { return reseeds_; }
    int draws() const { return draws_; }

  private:
    std::vector<double> values_;
    std::size_t at_ = 0;
    int reseeds_ = 0;
    int draws_ = 0;
};

// The digit a value r in [0, 1) stands for: floor(r * 10).
int digitOf(double r);

// The values the program's generator gives: GridSize evenly spaced points k / GridSize of
// [0, 1). GridSize is a multiple of ten, so floor(r * 10) turns exactly GridSize / 10 of
// them into each digit and no digit is favoured, not even by a single value. (Scaling 53
// random bits would leave 2^53, not a multiple of ten, to share among the ten digits.)
constexpr std::uint64_t GridSize = 1'000'000'000'000'000;
// Raw bits behind one attempt: the fewest that reach every point of the grid. An attempt
// that falls past the grid (about one in nine) is thrown away and drawn again, so every
// point stays equally likely.
constexpr int GridBits = 50;
static_assert(GridSize % 10 == 0 && GridSize <= (std::uint64_t(1) << GridBits) &&
              GridSize > (std::uint64_t(1) << (GridBits - 1)));

// The point that the raw draw k stands for on a grid of `size` points, or nothing when k
// falls past the grid and has to be drawn again.
std::optional<double> gridPoint(std::uint64_t k, std::uint64_t size = GridSize);

// A whole number below n (1 to 10^18), every one equally likely, made of digits of the
// source, each drawn as a tick draws a digit (a clock fold, then one value): as many
// digits as n - 1 has make a number below 10^D, and one past the largest whole multiple
// of n below 10^D is drawn again, so each result stands for the same count of them. Each
// digit counts against `draws`, which may not pass `maxDraws`: nothing when it would.
std::optional<std::uint64_t> wholeBelow(RandomSource& source, std::uint64_t n, int& draws,
                                        int maxDraws);

// The source every draw uses. Passing nullptr returns to the program's own generator.
RandomSource& randomSource();
void setRandomSource(std::shared_ptr<RandomSource> source);

} // namespace engine
