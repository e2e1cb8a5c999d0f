#include "app/translation.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTranslator>

// Resources of a static library must be brought in by name, from outside any namespace.
static void initTranslationResource() { Q_INIT_RESOURCE(qt_translation); }

namespace translation {
void install() {
    static bool done = false;
    if (done || !QCoreApplication::instance())
        return;
    done = true;
    initTranslationResource();
    auto* translator = new QTranslator(QCoreApplication::instance());
    // The resource is stored uncompressed, so the translator reads it in place.
    if (!translator->load(QStringLiteral(":/translations/qtbase_fa.qm"))) {
        delete translator;
        return;
    }
    QCoreApplication::installTranslator(translator);
    // The translation also tells Qt to turn the whole program right to left, which would
    // mirror the menu bar and the lists against their designs. The windows keep the
    // direction their designs give them; Qt's own popups and boxes are set right to left
    // where the program makes them.
    QGuiApplication::setLayoutDirection(Qt::LeftToRight);
}
} // namespace translation
