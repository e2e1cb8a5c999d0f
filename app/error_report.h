#pragma once

#include <QString>
#include <functional>
#include <stdexcept>

// Handlers do not trap their own failures: a failing step throws, the rest of the handler
// is abandoned, and the application object hands the error to this report. What the
// handler did before the failure stays done, and the program goes on.
namespace error_report {
// The error a handler raises when a step of its own cannot be done.
class Failure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Writes the error to stderr and shows it in a message box.
void report(const QString& message);

// Tests replace the message box with a sink of their own; an empty function restores it.
void setSink(std::function<void(const QString&)> sink);
} // namespace error_report
