#include "windows/draw/stage_keys.h"

#include "windows/draw/form1.h"

#include <QKeyEvent>

namespace stage_keys {
namespace {

bool isForward(const QKeyEvent* key) {
    switch (key->key()) {
    case Qt::Key_PageDown:
    case Qt::Key_Right:
    case Qt::Key_Down:
        return true;
    default:
        return false;
    }
}

// Tab moves between the two buttons and Space or Enter presses the one that has the focus,
// as on any window.
bool keepsItsMeaning(const QKeyEvent* key) {
    switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return true;
    default:
        return false;
    }
}

class Keys : public QObject {
  public:
    Keys(Form1& stage, QObject* parent) : QObject(parent), stage_(stage) {}

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
            return false;
        const auto* key = static_cast<const QKeyEvent*>(event);
        if (key->key() == Qt::Key_F4 && (key->modifiers() & Qt::AltModifier))
            return false;
        // A key that arrives while the stage is being unloaded has nothing left to act on,
        // and asking for a control would load the stage again.
        if (!stage_.IsLoaded())
            return true;
        // The start button is off from the start of a draw until the draw ends.
        const bool drawing = !stage_.Command1()->isEnabled();
        if (type == QEvent::KeyRelease)
            return drawing;
        if (drawing)
            return true;
        if (isForward(key)) {
            // A key held down through the end of one draw must not start the next.
            if (!key->isAutoRepeat())
                stage_.Command1()->click();
            return true;
        }
        // Arrows would move the focus from button to button, and Escape or a clicker's
        // other keys would reach whichever button has it.
        return !keepsItsMeaning(key);
    }

  private:
    Form1& stage_;
};

} // namespace

void install(Form1& stage) {
    QWidget* window = stage.window();
    auto* keys = new Keys(stage, window);
    // A key goes to the control with the focus, or to the window when none has it.
    window->installEventFilter(keys);
    for (QWidget* child : window->findChildren<QWidget*>())
        child->installEventFilter(keys);
}

} // namespace stage_keys
