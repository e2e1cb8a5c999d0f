#include "app/application.h"
#include "windows/draw/form1.h"

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
    Application app(argc, argv);

    // The stage opens with the default bounds, as the range entry window would hand them over.
    Form1& stage = form1();
    stage.Label8()->setCaption(QStringLiteral("035000"));
    stage.Label9()->setCaption(QStringLiteral("084570"));
    stage.Label10()->setCaption(QStringLiteral("5"));
    stage.Label14()->setCaption(QStringLiteral("متوسط"));
    stage.Label11()->setCaption(QStringLiteral("2"));
    stage.Show();
    return app.exec();
}
