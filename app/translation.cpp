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
    if (!translator->load(QStringLiteral(":/translations/qt_fa.qm"))) {
        delete translator;
        return;
    }
    QCoreApplication::installTranslator(translator);
    // A translation tells Qt which way to turn the whole program; ours says left to right,
    // as the windows keep the direction their designs give them, and Qt's own popups and
    // boxes are set right to left where the program makes them. Said here too, so that no
    // translation can mirror the menu bar and the lists against their designs.
    QGuiApplication::setLayoutDirection(Qt::LeftToRight);
}
} // namespace translation
