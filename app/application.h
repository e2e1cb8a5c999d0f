#pragma once

#include <QApplication>
#include <functional>

// The application object: it catches what a handler throws and hands it to the error
// report, keeps the fonts and the activation tracker, and ends the run when no window
// of the program is loaded any more.
class Application : public QApplication {
    Q_OBJECT
  public:
    Application(int& argc, char** argv);
    ~Application() override;

    bool notify(QObject* receiver, QEvent* event) override;

    // Runs one handler; true when it ran to its end. What it throws is reported and the
    // program goes on; what the handler did before it failed stays done. Handlers are run
    // through this at the point where a signal or an event reaches them, so a failure never
    // unwinds through Qt's own frames (which are built without exception support and would
    // skip their clean-up); notify() remains the last resort for anything else.
    template <class Fn> static bool runHandler(Fn&& handler) {
        try {
            handler();
            return true;
        } catch (...) {
            reportCurrentException();
            return false;
        }
    }
    static void reportCurrentException();

    // Called after every unload: once control is back in the event loop, ends the run
    // if no window is loaded. Checking later rather than at once lets a handler unload
    // its own window and load another without the program ending in between.
    static void scheduleEndCheck();

    // What "end the run" does; tests record it instead of leaving the event loop.
    static void setEndAction(std::function<void()> action);

  private:
    static void checkEnd();
};
