#include "app/activation_tracker.h"

#include "app/error_report.h"
#include "app/form.h"

#include <QGuiApplication>
#include <QWindow>

namespace {
Form* last = nullptr;

void focusChanged(QWindow* window) {
    Form* form = Form::ofWindow(window);
    if (!form || form == last)
        return;
    last = form;
    // Activation arrives from the window system, not through the application's event
    // dispatch, so a failure in the handler is reported here.
    try {
        form->activated();
    } catch (const std::exception& e) {
        error_report::report(QString::fromLocal8Bit(e.what()));
    }
}
} // namespace

void ActivationTracker::install() {
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app)
        return;
    QObject::connect(app, &QGuiApplication::focusWindowChanged, app, &focusChanged);
}

void ActivationTracker::forget(const Form* form) {
    if (last == form)
        last = nullptr;
}

const Form* ActivationTracker::lastActive() { return last; }
