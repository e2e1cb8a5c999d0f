#pragma once

#include <QString>

// The two conversions every caption, field and list entry goes through, so that a
// text and a number always meet in one well-defined way.

// The value of the leading numeric part of a text: leading blanks, one optional sign,
// then the longest run of decimal digits. Anything after the digits is ignored; a text
// without digits there gives 0.
double TextToNumber(const QString& text);

// A whole number in plain decimal: no leading blank, no sign unless negative, no
// separators, no decimal point. A floating value that holds a whole number is written
// like the integer.
QString NumberToText(double number);
QString NumberToText(int number);
