#include "app/application.h"
#include "app/platform_guard.h"
#include "windows/splash/frm_splash.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    // Where windows are reached through a display variable, its absence means there is
    // nothing to show: say so plainly instead of letting the platform abort. Windows and
    // macOS have no such variable; their desktop is always there.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fprintf(stderr, "tirvex: no display found (DISPLAY is not set); cannot open a window\n");
        return 2;
    }
#endif
    platform_guard::begin();
    Application app(argc, argv);
    platform_guard::end();

    frmSplash().Show();
    return app.exec();
}
