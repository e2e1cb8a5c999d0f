#include "app/fonts.h"

#include <QFontDatabase>
#include <QResource>
#include <QStringList>
#include <cmath>

// Resources of a static library must be brought in by name, from outside any namespace.
static void initResources() { Q_INIT_RESOURCE(tirvex); }

namespace fonts {
namespace {
// The stored sizes are all multiples of 0.75 pt, which are whole pixels at 96 dpi, so the
// point size reads back exactly from the pixel size.
constexpr double PixelsPerPoint = 96.0 / 72.0;
} // namespace

void install() {
    static bool done = false;
    if (done)
        return;
    done = true;
    initResources();
    // The face is registered straight from the program's own data, which the resource
    // keeps uncompressed: registered by file name, Qt would copy it once for the font
    // database and once more for every face it opens. Only the bold weight is registered:
    // every design font is bold or regular, and the matcher gives both the bold face. (The
    // Black weight beside it in the source tree only draws the digits of the pictures.)
    const QResource bold(QStringLiteral(":/fonts/Vazirmatn-FD-Bold.ttf"));
    QFontDatabase::addApplicationFontFromData(bold.uncompressedData());
    // The Persian faces first try themselves, then the bundled face; the Windows sans
    // faces fall to whatever sans face the system has, with the bundled face behind it
    // for Persian letters.
    const QStringList persian{QString::fromLatin1(BundledFamily), QStringLiteral("DejaVu Sans")};
    QFont::insertSubstitutions(QStringLiteral("B Titr"), persian);
    QFont::insertSubstitutions(QStringLiteral("B Jadid"), persian);
    const QStringList sans{QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans"),
                           QString::fromLatin1(BundledFamily)};
    QFont::insertSubstitutions(QStringLiteral("Arial"), sans);
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), sans);
}

namespace {
// The face that will draw a design's face: itself when installed, else the first
// installed face of its substitutes. Left to Qt, a face that is not installed first costs a
// fontconfig fallback query at every font loaded in it, before the substitutes are tried.
QString standIn(const QString& face) {
    if (QFontDatabase::hasFamily(face))
        return face;
    const QStringList substitutes = QFont::substitutes(face);
    for (const QString& s : substitutes)
        if (QFontDatabase::hasFamily(s))
            return s;
    return face;
}
} // namespace

QFont designFont(const QString& face, double points, bool bold) {
    QFont font(standIn(face));
    font.setPixelSize(std::max(1, int(std::lround(points * PixelsPerPoint))));
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

double pointSize(const QFont& font) { return font.pixelSize() / PixelsPerPoint; }

QFont withLatinDigits(QFont font) {
    const QString bundled = QString::fromLatin1(BundledFamily);
    if (font.family() != bundled)
        return font;
    QStringList candidates{QFontDatabase::systemFont(QFontDatabase::GeneralFont).family()};
    candidates += QFontDatabase::families(QFontDatabase::Latin);
    for (const QString& family : candidates) {
        if (!family.isEmpty() && family != bundled && QFontDatabase::hasFamily(family)) {
            font.setFamily(family);
            break;
        }
    }
    return font;
}
} // namespace fonts
