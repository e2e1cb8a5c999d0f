#include "windows/range_entry/message_box.h"

#include <QMessageBox>

namespace message_box {
namespace {
std::function<void(const QString&, const QString&)>& sinkSlot() {
    static std::function<void(const QString&, const QString&)> sink;
    return sink;
}
} // namespace

void ok(const QString& prompt, const QString& title, QWidget* over) {
    if (auto& sink = sinkSlot()) {
        sink(prompt, title);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, title, prompt, QMessageBox::Ok, over);
    box.setObjectName(QStringLiteral("MsgBox"));
    box.setLayoutDirection(Qt::RightToLeft);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    // While it is open none of the program's windows takes input, not only its owner.
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void setSink(std::function<void(const QString&, const QString&)> sink) {
    sinkSlot() = std::move(sink);
}
} // namespace message_box
