#pragma once

// Opening the window system is the one step of the run that the platform itself may
// abandon: an unreachable X server or a missing platform plugin makes it abort with
// several lines of its own and, on many systems, a core dump. While the guard is on,
// such a failure becomes one line on stderr naming the cause, and the run ends with
// exit status 2. Messages that do not end the start are held back and passed on
// unchanged once the guard is off.
namespace platform_guard {
constexpr int ExitStatus = 2;

void begin();
void end();
} // namespace platform_guard
