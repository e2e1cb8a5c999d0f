#include "engine/conversions.h"

#include <cmath>

double TextToNumber(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text.at(i) == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    // Accumulating in double keeps every value the program meets (below a million) exact;
    // a longer run of digits only loses precision, it never overflows into a wrong sign.
    double value = 0;
    for (; i < n; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < u'0' || c > u'9')
            break;
        value = value * 10 + (c - u'0');
    }
    return negative ? -value : value;
}

QString NumberToText(double number) {
    // Values are whole numbers; round half away from zero so that a float that carries
    // a digit (2.9999999 from single precision, say) still reads as that digit.
    const double whole = std::round(number);
    if (whole == 0)
        return QStringLiteral("0");
    return QString::number(whole, 'f', 0);
}

QString NumberToText(int number) { return QString::number(number); }
