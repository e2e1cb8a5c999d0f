#include "app/trace.h"

#include <QtGlobal>
#include <cstdio>

namespace trace {
bool enabled() {
    static const bool on = !qEnvironmentVariableIsEmpty("TIRVEX_TRACE");
    return on;
}

void line(const QString& text) {
    if (!enabled())
        return;
    std::fprintf(stderr, "tirvex: %s\n", text.toUtf8().constData());
    std::fflush(stderr);
}
} // namespace trace
