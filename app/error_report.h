#pragma once

#include <QString>
#include <functional>
#include <stdexcept>

class QWidget;

// Handlers do not trap their own failures: a failing step throws, the rest of the handler
// is abandoned, and the application object hands the error to this report. What the
// handler did before the failure stays done, and the program goes on.
//
// A report has two readers. The line on stderr, in English, serves logs and scripts and
// keeps its wording. The box serves the operator: a Persian sentence that says what
// happened and what to do, with the technical detail (a path, a reason) on a line of
// its own, as it is, for whoever fixes the cause.
namespace error_report {
// The error a handler raises when a step of its own cannot be done. what() is the English
// line, in UTF-8; a failure the operator can act on also carries its Persian sentence and
// the detail to show under it.
class Failure : public std::runtime_error {
  public:
    // A failure only a fault of the program can raise: its English line is the detail.
    explicit Failure(const std::string& log)
        : std::runtime_error(log), detail_(QString::fromStdString(log)) {}
    Failure(const QString& log, QString sentence, QString detail)
        : std::runtime_error(log.toStdString()), sentence_(std::move(sentence)),
          detail_(std::move(detail)) {}
    QString log() const { return QString::fromUtf8(what()); }
    // Empty for a failure that only a fault of the program can raise.
    const QString& sentence() const { return sentence_; }
    const QString& detail() const { return detail_; }

  private:
    QString sentence_;
    QString detail_;
};

// How the box looks: an error, or a warning about something the program goes on without,
// where nothing is lost.
enum class Severity { Error, Warning };

// Writes the log line to stderr and shows the sentence with the detail under it. An empty
// sentence stands for an error the program did not foresee. A box over a window stands in
// front of it, on its screen.
void report(const QString& log, const QString& sentence, const QString& detail,
            Severity severity = Severity::Error, QWidget* over = nullptr);
// An error the program did not foresee: the message is both the log line and the detail.
void report(const QString& message);

// The text of the box: the sentence, then the detail on a line of its own.
QString boxText(const QString& sentence, const QString& detail);

// Tests replace the message box with a sink of their own, which gets the box's text; an
// empty function restores the box.
void setSink(std::function<void(const QString&)> sink);
} // namespace error_report
