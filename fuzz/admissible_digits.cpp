// Fuzz target: which digits may stand at a position, for arbitrary bound and prefix
// texts. Whatever the texts, the answer is a set of digits 0 to 9 that agrees with the
// test of a single digit and forms one unbroken run. For bounds of six digits in order
// and a prefix the draw can have settled on, it is never empty (a tick always ends) and
// it is exactly the run from the lower bound's digit (or 0) to the upper bound's (or 9).
// The tickets behind a digit: none behind a digit that cannot stand there, whatever the
// texts; for six-digit bounds, the numbers from lower to upper that begin so.
#include "engine/admissible_digits.h"
#include "engine/conversions.h"
#include "engine/ticket_counts.h"

#include <QString>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

namespace {

[[noreturn]] void broken(const char* what, int k, const QString& lower, const QString& upper,
                         const QString& prefix) {
    std::fprintf(stderr, "invariant broken: %s\n  k %d, lower \"%s\", upper \"%s\", prefix \"%s\"\n",
                 what, k, lower.toUtf8().constData(), upper.toUtf8().constData(),
                 prefix.toUtf8().constData());
    std::abort();
}

bool sixDigits(const QString& text) {
    if (text.size() != 6)
        return false;
    for (QChar c : text)
        if (c.unicode() < '0' || c.unicode() > '9')
            return false;
    return true;
}

bool allDigits(const QString& text) {
    for (QChar c : text)
        if (c.unicode() < '0' || c.unicode() > '9')
            return false;
    return true;
}

void check(int k, const QString& lower, const QString& upper, const QString& prefix) {
    const std::vector<int> digits = engine::admissibleDigits(k, lower, upper, prefix);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (digits[i] < 0 || digits[i] > 9)
            broken("a digit outside 0 to 9", k, lower, upper, prefix);
        if (i > 0 && digits[i] <= digits[i - 1])
            broken("digits not in ascending order", k, lower, upper, prefix);
        if (i > 0 && digits[i] != digits[i - 1] + 1)
            broken("the admissible digits are not one run", k, lower, upper, prefix);
    }
    for (int d = 0; d <= 9; ++d) {
        const bool listed = std::find(digits.begin(), digits.end(), d) != digits.end();
        if (listed != engine::isAdmissible(k, lower, upper, prefix, d))
            broken("the list and the single-digit test disagree", k, lower, upper, prefix);
    }
    const engine::DigitWeights weights = engine::ticketWeights(k, lower, upper, prefix);
    for (int d = 0; d <= 9; ++d)
        if (weights[std::size_t(d)] > 0 &&
            std::find(digits.begin(), digits.end(), d) == digits.end())
            broken("tickets behind a digit that cannot stand there", k, lower, upper, prefix);

    // The draw's own situation: six-digit bounds in order, k from 1 to 6, and a prefix of
    // k - 1 digits that lies within the bounds' first k - 1 digits.
    if (!(sixDigits(lower) && sixDigits(upper) && lower <= upper && k >= 1 && k <= 6 &&
          prefix.size() == k - 1 && allDigits(prefix)))
        return;
    const double p = TextToNumber(prefix);
    const double lp = engine::boundPrefix(lower, k - 1), up = engine::boundPrefix(upper, k - 1);
    if (k > 1 && !(lp <= p && p <= up))
        return;
    const bool onLower = k == 1 || p == lp;
    const bool onUpper = k == 1 || p == up;
    const int from = onLower ? lower[k - 1].unicode() - '0' : 0;
    const int to = onUpper ? upper[k - 1].unicode() - '0' : 9;
    if (digits.empty())
        broken("no admissible digit for bounds the draw accepts", k, lower, upper, prefix);
    if (digits.front() != from || digits.back() != to)
        broken("the admissible digits are not the run the bounds give", k, lower, upper, prefix);
    for (int d = 0; d <= 9; ++d) {
        // The numbers that begin with the prefix and d, cut to lower..upper.
        const long long unit = std::llround(std::pow(10, 6 - k));
        const long long first = (std::llround(p) * 10 + d) * unit;
        const long long behind = std::min<long long>(upper.toLongLong(), first + unit - 1) -
                                 std::max<long long>(lower.toLongLong(), first) + 1;
        if (weights[std::size_t(d)] != std::uint64_t(std::max(behind, 0LL)))
            broken("the tickets behind a digit are not those between the bounds", k, lower, upper,
                   prefix);
    }
}

QString sixDigitText(std::uint32_t n) {
    return QStringLiteral("%1").arg(n % 1000000, 6, 10, QLatin1Char('0'));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    // Texts: a position digit, then lower, upper and prefix separated by new lines.
    {
        const int k = (data[0] - '0' + 256) % 10;
        const QStringList parts =
            QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1))
                .split(QLatin1Char('\n'));
        check(k, parts.value(0), parts.value(1), parts.value(2));
    }
    // Numbers: the same bytes as two bounds and a number between them, whose first k - 1
    // digits are the settled prefix; every input exercises the draw's own situation.
    if (size >= 13) {
        std::uint32_t a, b, c;
        std::memcpy(&a, data + 1, 4);
        std::memcpy(&b, data + 5, 4);
        std::memcpy(&c, data + 9, 4);
        std::uint32_t lo = a % 1000000, hi = b % 1000000;
        if (lo > hi)
            std::swap(lo, hi);
        const QString number = sixDigitText(lo + c % (hi - lo + 1));
        const int k = 1 + data[0] % 6;
        check(k, sixDigitText(lo), sixDigitText(hi), number.left(k - 1));
    }
    return 0;
}
