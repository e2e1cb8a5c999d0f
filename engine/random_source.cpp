#include "engine/random_source.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>

namespace engine {
namespace {

// splitmix64: a bijective mixer, so distinct inputs never collapse into one output.
std::uint64_t mix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

std::uint64_t rotl(std::uint64_t x, int k) {
    return (x << k) | (x >> (64 - k));
}

std::uint64_t systemClockNanoseconds() {
    return std::uint64_t(std::chrono::duration_cast<std::chrono::nanoseconds>(
                             std::chrono::system_clock::now().time_since_epoch())
                             .count());
}

std::array<std::uint64_t, 4> entropyWords() {
    std::array<std::uint64_t, 4> words{};
    try {
        std::random_device device;
        for (auto& word : words)
            word = (std::uint64_t(device()) << 32) | device();
    } catch (const std::exception&) {
        // No entropy device at all: the clocks and an address are the best left, and the
        // per-draw folds keep adding to them.
        const auto steady = std::chrono::steady_clock::now().time_since_epoch().count();
        words = {systemClockNanoseconds(), std::uint64_t(steady),
                 std::uint64_t(reinterpret_cast<std::uintptr_t>(&words)), 0x243F6A8885A308D3ull};
    }
    return words;
}

std::shared_ptr<RandomSource>& installed() {
    static std::shared_ptr<RandomSource> source;
    return source;
}

} // namespace

SystemRandom::SystemRandom() : clock_(systemClockNanoseconds) {
    seedWith(entropyWords());
}

SystemRandom::SystemRandom(std::uint64_t seed, Clock clock) : clock_(std::move(clock)) {
    seedWith({seed, seed + 1, seed + 2, seed + 3});
}

void SystemRandom::seedWith(const std::array<std::uint64_t, 4>& words) {
    // Through the mixer, so that even a seed of small numbers fills every bit.
    for (std::size_t i = 0; i < state_.size(); ++i)
        state_[i] = mix(words[i] ^ mix(i));
}

void SystemRandom::reseedFromClock() {
    // The fold count makes equal readings fold in differently; xor keeps the fold a
    // bijection of the state, so no entropy already there is lost.
    ++folds_;
    state_[0] ^= mix(clock_() ^ mix(folds_));
    state_[3] ^= mix(folds_ * 0xD1342543DE82EF95ull);
    // The one state xoshiro cannot leave; unreachable in practice, cheap to rule out.
    if ((state_[0] | state_[1] | state_[2] | state_[3]) == 0)
        state_[0] = 0x9E3779B97F4A7C15ull;
    nextBits();
}

std::uint64_t SystemRandom::nextBits() {
    // xoshiro256** 1.0 (Blackman and Vigna, public domain).
    const std::uint64_t result = rotl(state_[1] * 5, 7) * 9;
    const std::uint64_t t = state_[1] << 17;
    state_[2] ^= state_[0];
    state_[3] ^= state_[1];
    state_[1] ^= state_[2];
    state_[0] ^= state_[3];
    state_[2] ^= t;
    state_[3] = rotl(state_[3], 45);
    return result;
}

double SystemRandom::next() {
    for (;;)
        if (const std::optional<double> r = gridPoint(nextBits() >> (64 - GridBits)))
            return *r;
}

ScriptedRandom::ScriptedRandom(std::vector<double> values) : values_(std::move(values)) {
    if (values_.empty())
        values_.push_back(0.0);
}

std::shared_ptr<ScriptedRandom> ScriptedRandom::ofDigits(const std::vector<int>& digits) {
    std::vector<double> values;
    values.reserve(digits.size());
    for (int d : digits)
        values.push_back((d + 0.5) / 10.0);
    return std::make_shared<ScriptedRandom>(std::move(values));
}

double ScriptedRandom::next() {
    ++draws_;
    const double r = values_[at_];
    at_ = (at_ + 1) % values_.size();
    return r;
}

int digitOf(double r) {
    // A value outside [0, 1) can only come from a faulty source; it still gives a digit.
    if (!(r >= 0.0))
        return 0;
    return std::clamp(int(std::floor(r * 10.0)), 0, 9);
}

std::optional<double> gridPoint(std::uint64_t k, std::uint64_t size) {
    if (k >= size)
        return std::nullopt;
    return double(k) / double(size);
}

std::optional<std::uint64_t> wholeBelow(RandomSource& source, std::uint64_t n, int& draws,
                                        int maxDraws) {
    constexpr std::uint64_t Largest = 1'000'000'000'000'000'000;
    if (n == 0 || n > Largest)
        return std::nullopt;
    std::uint64_t span = 1; // 10^D, the first power of ten not below n
    while (span < n)
        span *= 10;
    const std::uint64_t share = span / n; // of the numbers below span, each result's
    for (;;) {
        std::uint64_t drawn = 0;
        for (std::uint64_t place = 1; place < span; place *= 10) {
            if (draws >= maxDraws)
                return std::nullopt;
            ++draws;
            source.reseedFromClock();
            drawn = drawn * 10 + std::uint64_t(digitOf(source.next()));
        }
        if (drawn < share * n)
            return drawn / share;
    }
}

RandomSource& randomSource() {
    if (!installed())
        installed() = std::make_shared<SystemRandom>();
    return *installed();
}

void setRandomSource(std::shared_ptr<RandomSource> source) {
    installed() = std::move(source);
}

} // namespace engine
