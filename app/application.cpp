#include "app/application.h"

#include "app/activation_tracker.h"
#include "app/error_report.h"
#include "app/fonts.h"
#include "app/form.h"
#include "app/screens.h"
#include "app/style.h"
#include "app/translation.h"

#include <exception>

namespace {
std::function<void()>& endAction() {
    static std::function<void()> action;
    return action;
}
} // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("tirvex"));
    // No display name: the window system would append it to every window's caption, and
    // each window shows exactly its own caption.
    setApplicationVersion(QStringLiteral(QT_STRINGIFY(TIRVEX_VERSION_MAJOR) "." QT_STRINGIFY(
        TIRVEX_VERSION_MINOR) "." QT_STRINGIFY(TIRVEX_VERSION_PATCH)));
    // Windows end the run through the form layer, never because the last one closed.
    setQuitOnLastWindowClosed(false);
    // One style everywhere, so that coloured buttons paint their colour on every desktop.
    setStyle(new Style);
    fonts::install();
    translation::install();
    ActivationTracker::install();
    // A screen unplugged or switched to another mode takes no window of the program with it.
    screens::watch(&Form::followScreens);
}

Application::~Application() = default;

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        reportCurrentException();
    }
    return true;
}

void Application::reportCurrentException() {
    // Messages are built from QStrings as UTF-8, so they are read back as UTF-8: the local
    // code page would garble a path with Persian letters on Windows.
    try {
        throw;
    } catch (const error_report::Failure& e) {
        error_report::report(e.log(), e.sentence(), e.detail());
    } catch (const std::exception& e) {
        error_report::report(QString::fromUtf8(e.what()));
    } catch (...) {
        error_report::report(QStringLiteral("unknown error"));
    }
}

void Application::scheduleEndCheck() {
    if (QCoreApplication* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, &Application::checkEnd, Qt::QueuedConnection);
}

void Application::setEndAction(std::function<void()> action) { endAction() = std::move(action); }

void Application::checkEnd() {
    if (Form::anyLoaded())
        return;
    if (auto& action = endAction())
        action();
    else
        QCoreApplication::quit();
}
