#include "app/error_report.h"

#include <QMessageBox>
#include <cstdio>

namespace error_report {
namespace {
std::function<void(const QString&)>& sinkSlot() {
    static std::function<void(const QString&)> sink;
    return sink;
}
} // namespace

void report(const QString& message) {
    std::fprintf(stderr, "tirvex: error: %s\n", message.toLocal8Bit().constData());
    std::fflush(stderr);
    if (auto& sink = sinkSlot()) {
        sink(message);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Tirvex"), message, QMessageBox::Ok);
    box.exec();
}

void setSink(std::function<void(const QString&)> sink) { sinkSlot() = std::move(sink); }
} // namespace error_report
