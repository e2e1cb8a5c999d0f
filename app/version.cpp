#include "app/version.h"

#include "engine/conversions.h"

ProgramVersion programVersion() {
    return {TIRVEX_VERSION_MAJOR, TIRVEX_VERSION_MINOR, TIRVEX_VERSION_PATCH};
}

QString VersionText() {
    const ProgramVersion v = programVersion();
    return NumberToText(v.major) + QLatin1Char('.') + NumberToText(v.minor) + QLatin1Char('.') +
           NumberToText(v.revision);
}
