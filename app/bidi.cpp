#include "app/bidi.h"

namespace bidi {

QString leftToRight(const QString& text) {
    // LEFT-TO-RIGHT ISOLATE ... POP DIRECTIONAL ISOLATE: nothing outside affects the run,
    // and the run affects nothing outside.
    return QChar(0x2066) + text + QChar(0x2069);
}

} // namespace bidi
