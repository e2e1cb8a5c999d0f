#pragma once

#include <QFont>

// Fonts keep the face names and point sizes the designs store ("B Titr" 14.25, say).
// Where a Persian face is not installed the bundled Vazirmatn (Farsi digits) stands in
// through Qt's substitution table, so an installed "B Titr" still wins.
namespace fonts {
// The family the bundled files register under.
inline constexpr const char* BundledFamily = "Vazirmatn FD";

// Registers the bundled faces and the substitutions; safe to call more than once.
void install();

// A font as a design stores it. Sizes are set in pixels at 96 dots per inch, the same
// scale as the twips of the layout, so text fits its control on any screen; the stored
// point size stays readable through pointSize().
QFont designFont(const QString& face, double points, bool bold);
double pointSize(const QFont& font);

// The bundled face draws 0 to 9 as Persian digits. A Latin text that must read as it is
// written ("LGPLv3") takes, where the bundled face stood in, the system's own face or
// else any other installed face with Latin letters; any other font comes back unchanged.
QFont withLatinDigits(QFont font);
} // namespace fonts
