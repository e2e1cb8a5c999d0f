#pragma once

#include <QString>
#include <functional>

class QWidget;

// The program's own message: a prompt and a title, one OK button, no icon, right to
// left, modal to the whole program. It returns once the operator has dismissed it.
namespace message_box {
void ok(const QString& prompt, const QString& title, QWidget* over);

// Tests put a recorder in place of the box; an empty function brings the box back.
void setSink(std::function<void(const QString& prompt, const QString& title)> sink);
} // namespace message_box
