// Fuzz target: TextToNumber must read any text at all (any characters, lone surrogates,
// runs of digits far beyond a million) without a fault, and agree with what it promises:
// the leading blanks, one sign and a run of digits decide the value, nothing after them
// does; NumberToText writes whole numbers that read back exactly.
#include "engine/conversions.h"

#include <QString>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

[[noreturn]] void broken(const char* what, const QString& text, double value) {
    std::fprintf(stderr, "invariant broken: %s\n  text: \"%s\"\n  value: %.17g\n", what,
                 text.toUtf8().constData(), value);
    std::abort();
}

bool same(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

// The value of the leading numeric part, written out independently and kept to runs of
// up to 15 digits, where a 64-bit integer holds it exactly.
bool reference(const QString& text, double& value) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        negative = text[i++] == QLatin1Char('-');
    std::int64_t n = 0;
    int digits = 0;
    for (; i < text.size() && text[i].unicode() >= '0' && text[i].unicode() <= '9'; ++i) {
        if (++digits > 15)
            return false;
        n = n * 10 + (text[i].unicode() - '0');
    }
    value = negative ? -double(n) : double(n);
    return true;
}

void checkText(const QString& text) {
    const double v = TextToNumber(text);
    if (std::isnan(v))
        broken("the value is not a number", text, v);
    if (std::isfinite(v) && v != std::trunc(v))
        broken("the value is not whole", text, v);
    double expected = 0;
    if (reference(text, expected) && v != expected)
        broken("the value differs from the leading digits", text, v);
    // Whatever follows the text cannot change what its start says, and leading blanks
    // are skipped.
    if (!same(TextToNumber(text + QStringLiteral("x7")), v))
        broken("a character after the text changed the value", text, v);
    if (!same(TextToNumber(QStringLiteral("  ") + text), v))
        broken("leading blanks changed the value", text, v);
}

void checkWhole(std::int64_t n) {
    const double d = double(n);
    const QString text = NumberToText(d);
    const QString plain = QString::number(n);
    if (text != plain)
        broken("NumberToText of a whole double is not its plain decimal text", text, d);
    if (TextToNumber(text) != d)
        broken("TextToNumber(NumberToText(n)) is not n", text, d);
    if (n >= INT32_MIN && n <= INT32_MAX && NumberToText(int(n)) != plain)
        broken("NumberToText of an int is not its plain decimal text", NumberToText(int(n)), d);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    checkText(QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)));
    // The same bytes as UTF-16 reach characters UTF-8 decoding never yields: lone
    // surrogates, NULs, the full range of code units.
    checkText(QString(reinterpret_cast<const QChar*>(data), qsizetype(size / 2)));

    if (size >= 8) {
        std::uint64_t bits;
        std::memcpy(&bits, data, 8);
        // Every value the program writes (below a million in magnitude), and every whole
        // number a double holds exactly.
        checkWhole(std::int64_t(bits % 2000001) - 1000000);
        const std::int64_t limit = std::int64_t(1) << 53;
        checkWhole(std::int64_t(bits % std::uint64_t(2 * limit + 1)) - limit);
        // Any double at all, fractions, infinities and NaN included, is written without
        // a fault; it reads back to its rounded value when that is exact.
        double any;
        std::memcpy(&any, data, 8);
        const QString text = NumberToText(any);
        const double rounded = std::round(any);
        if (std::isfinite(rounded) && std::fabs(rounded) <= double(limit) &&
            TextToNumber(text) != rounded)
            broken("NumberToText of a double does not read back as its rounded value", text, any);
    }
    return 0;
}
