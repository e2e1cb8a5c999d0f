#include "app/activation_tracker.h"

#include "app/application.h"
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
    Application::runHandler([form] { form->activated(); });
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
