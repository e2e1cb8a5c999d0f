#include "windows/range_entry/message_box.h"

#include "app/pictures.h"

#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace message_box {
namespace {
// Room a title bar needs beside its text: the window icon and three buttons.
constexpr int TitleBarExtras = 140;

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
    // No icon in the title bar, where the owner's would show (the style gives the button
    // none either).
    box.setWindowIcon(pictures::noIcon());
    box.setLayoutDirection(Qt::RightToLeft);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    // A box sizes itself to its prompt alone; a short prompt would leave the title cut
    // off in the title bar, so it is kept wide enough for the title and the bar's buttons.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        const int titleWidth = box.fontMetrics().horizontalAdvance(title) + TitleBarExtras;
        grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    // While it is open none of the program's windows takes input, not only its owner.
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void setSink(std::function<void(const QString&, const QString&)> sink) {
    sinkSlot() = std::move(sink);
}
} // namespace message_box
