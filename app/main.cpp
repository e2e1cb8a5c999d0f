#include "app/application.h"
#include "app/platform_guard.h"
#include "windows/splash/frm_splash.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv) {
    // Without a display there is nothing to show: say so plainly instead of letting the
    // platform abort.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fprintf(stderr, "tirvex: no display found (DISPLAY is not set); cannot open a window\n");
        return 2;
    }
    platform_guard::begin();
    Application app(argc, argv);
    platform_guard::end();

    frmSplash().Show();
    return app.exec();
}
