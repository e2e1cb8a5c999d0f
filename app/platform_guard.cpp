#include "app/platform_guard.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace platform_guard {
namespace {

struct Held {
    QtMsgType type;
    QByteArray category;
    QString text;
};

QtMessageHandler previous = nullptr;

QList<Held>& held() {
    static QList<Held> messages;
    return messages;
}

// The platform explains the cause in a warning of its own category before the fatal
// message, which only says that no plugin could be started.
QString cause(const QString& fatal) {
    for (const Held& m : held())
        if (m.category.startsWith("qt.qpa"))
            return m.text.trimmed();
    return fatal.section(QLatin1Char('\n'), 0, 0).trimmed();
}

void handler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtFatalMsg) {
        held().append({type, QByteArray(context.category ? context.category : ""), text});
        return;
    }
    std::fprintf(stderr, "tirvex: cannot open a window: %s\n", cause(text).toLocal8Bit().constData());
    std::fflush(stderr);
    // Nothing of the program has run yet, so there is nothing to save or close; leaving
    // at once keeps the platform's half-built state from being torn down.
    std::_Exit(ExitStatus);
}

} // namespace

void begin() { previous = qInstallMessageHandler(handler); }

void end() {
    qInstallMessageHandler(previous);
    const QList<Held> messages = std::exchange(held(), {});
    for (const Held& m : messages) {
        const QMessageLogContext context(nullptr, 0, nullptr, m.category.constData());
        qt_message_output(m.type, context, m.text);
    }
}

} // namespace platform_guard
