#include "windows/range_entry/start_keys.h"

#include "app/bidi.h"
#include "windows/range_entry/main_form.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QKeySequence>

namespace start_keys {
namespace {

// The caption is a label: to a screen reader it would be text to read, not something to
// press. A label that carries the keys below reads as a button whose press is a click.
constexpr const char* KeysProperty = "tirvexStartKeys";

QList<QKeySequence> keys() {
    return {QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_Return),
            QKeySequence(Qt::CTRL | Qt::Key_Enter)};
}

class PressableCaption : public QAccessibleWidget {
  public:
    explicit PressableCaption(Label* label) : QAccessibleWidget(label, QAccessible::Button) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const Label*>(widget())->caption();
        if (t == QAccessible::Accelerator)
            return keys().first().toString(QKeySequence::NativeText);
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        // Queued: the click may open the bounds message, which waits for the operator, and
        // the screen reader that asked for the press must not wait with it.
        if (action == pressAction())
            QMetaObject::invokeMethod(widget(), "clicked", Qt::QueuedConnection);
    }
    // One key to name: screen readers read further bindings as other kinds of key.
    QStringList keyBindingsForAction(const QString& action) const override {
        if (action == pressAction())
            return {text(QAccessible::Accelerator)};
        return {};
    }
};

QAccessibleInterface* pressableCaption(const QString& className, QObject* object) {
    auto* label = qobject_cast<Label*>(object);
    if (className != QLatin1String("Label") || !label || !label->property(KeysProperty).toBool())
        return nullptr;
    return new PressableCaption(label);
}

} // namespace

QAction* install(MainForm& form) {
    static const bool described = (QAccessible::installFactory(&pressableCaption), true);
    (void)described;

    Label* caption = form.Label2();
    caption->setProperty(KeysProperty, true);
    // Given its caption when it was built, the label may have been described as a label
    // already; the description is made again now that it is known to be pressable.
    if (QAccessibleInterface* known = QAccessible::queryAccessibleInterface(caption);
        known && known->role() != QAccessible::Button)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(known));
    caption->setToolTip(QStringLiteral("کلید میان‌بر: ") +
                        bidi::leftToRight(QStringLiteral("F5")) + QStringLiteral(" یا ") +
                        bidi::leftToRight(QStringLiteral("Ctrl+Enter")));

    auto* action = new QAction(form.window());
    action->setShortcuts(keys());
    // The keys work wherever the focus is in this window, and only there: the stage and the
    // about window have keys of their own.
    action->setShortcutContext(Qt::WindowShortcut);
    // Held down, the key would repeat the hand-off, or the bounds message, at once.
    action->setAutoRepeat(false);
    form.window()->addAction(action);
    return action;
}

} // namespace start_keys
