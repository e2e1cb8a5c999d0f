#pragma once

#include <QString>

// One line to stderr about what the program just did ("drawn 053412"), only when the
// environment variable TIRVEX_TRACE is set. The real-window tests read it to check what
// the audience saw; an ordinary run prints nothing.
namespace trace {
bool enabled();
void line(const QString& text);
} // namespace trace
