#include "app/controls.h"

#include "app/application.h"
#include "app/colours.h"
#include "app/pictures.h"

#include <QFontMetrics>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <algorithm>

int characterCode(const QKeyEvent* event) {
    const int key = event->key();
    switch (key) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Delete:
        return 0;
    default:
        break;
    }
    const Qt::KeyboardModifiers mods = event->modifiers();
    if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier)) {
        if (key >= Qt::Key_A && key <= Qt::Key_Z)
            return key - Qt::Key_A + 1;
        return 0;
    }
    const QString text = event->text();
    if (text.isEmpty())
        return 0;
    const char16_t c = text.at(0).unicode();
    // Other control characters come only from keys that type nothing of their own.
    if (c < 0x20 || c == 0x7F)
        return 0;
    return c;
}

namespace {
// A click is a left-button press and release on the same control. The control takes
// both events, whether or not it has a handler, so they never reach what lies behind it.
bool clickPressed(QMouseEvent* event) {
    event->accept();
    return event->button() == Qt::LeftButton;
}

bool clickReleased(const QWidget* control, QMouseEvent* event, bool& pressed) {
    event->accept();
    const bool click = pressed && event->button() == Qt::LeftButton &&
                       control->rect().contains(event->position().toPoint());
    pressed = false;
    return click;
}
} // namespace

Label::Label(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setAttribute(Qt::WA_TranslucentBackground, false);
}

void Label::setCaption(const QString& caption) {
    if (caption == text())
        return;
    setText(caption);
    if (autoSize_)
        fitToCaption();
    else
        narrowToFit();
}

void Label::narrowToFit() {
    // The stand-in Persian face runs wider than the faces the designs were measured in,
    // so a one-line caption that would overrun its label is drawn horizontally condensed,
    // just enough to fit, at its full height. A caption that fits keeps its natural face.
    if (autoSize_ || wordWrap())
        return;
    QFont natural = font();
    natural.setStretch(QFont::AnyStretch);
    const int room = contentsRect().width();
    const int needed = QFontMetrics(natural).horizontalAdvance(text());
    int stretch = QFont::AnyStretch;
    if (room > 0 && needed > room) {
        stretch = std::max(int(QFont::UltraCondensed), 100 * room / needed);
        QFont narrowed = natural;
        for (; stretch > QFont::UltraCondensed; --stretch) {
            narrowed.setStretch(stretch);
            if (QFontMetrics(narrowed).horizontalAdvance(text()) <= room)
                break;
        }
    }
    if (font().stretch() == stretch)
        return;
    natural.setStretch(stretch);
    setFont(natural);
}

std::uint32_t Label::foreColor() const {
    return bgrFromColour(palette().color(QPalette::WindowText));
}

void Label::setForeColor(std::uint32_t bgr) {
    if (foreColor() == bgr)
        return;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colourFromBgr(bgr));
    setPalette(p);
}

void Label::setAutoSize(bool on) {
    autoSize_ = on;
    if (on)
        fitToCaption();
}

void Label::fitToCaption() {
    // A self-sizing label keeps its right edge for right-aligned captions and its left
    // edge otherwise, and grows to the caption's width and height.
    const QSize hint = sizeHint();
    const QRect g = geometry();
    if (alignment() & Qt::AlignRight)
        setGeometry(g.right() + 1 - hint.width(), g.y(), hint.width(), hint.height());
    else
        setGeometry(g.x(), g.y(), hint.width(), hint.height());
}

void Label::mousePressEvent(QMouseEvent* event) { pressed_ = clickPressed(event); }

void Label::mouseReleaseEvent(QMouseEvent* event) {
    if (clickReleased(this, event, pressed_))
        Q_EMIT clicked();
}

Picture::Picture(QWidget* parent) : QLabel(parent) { setScaledContents(true); }

void Picture::setSource(const QString& path, QSize shown) {
    path_ = path;
    shown_ = shown;
    decode();
}

void Picture::decode() {
    ratio_ = devicePixelRatioF();
    QPixmap pixmap = pictures::load(path_, shown_ * ratio_);
    pixmap.setDevicePixelRatio(ratio_);
    setPixmap(pixmap);
}

void Picture::drawForScreen() {
    if (!path_.isEmpty() && devicePixelRatioF() != ratio_)
        decode();
}

void Picture::mousePressEvent(QMouseEvent* event) { event->accept(); }
void Picture::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }

Backdrop::Backdrop(const QString& path, QWidget* parent) : QLabel(parent), path_(path) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

bool Backdrop::load() {
    ratio_ = devicePixelRatioF();
    const QPixmap pixmap = pictures::forRatio(path_, ratio_);
    if (pixmap.isNull())
        return false;
    setPixmap(pixmap);
    setGeometry(QRect(QPoint(0, 0), pixmap.deviceIndependentSize().toSize()));
    return true;
}

void Backdrop::drawForScreen() {
    if (devicePixelRatioF() != ratio_)
        load();
}

Frame::Frame(QWidget* parent) : QFrame(parent) {}

void Frame::mousePressEvent(QMouseEvent* event) { pressed_ = clickPressed(event); }

void Frame::mouseReleaseEvent(QMouseEvent* event) {
    if (clickReleased(this, event, pressed_))
        Q_EMIT clicked();
}

CommandButton::CommandButton(QWidget* parent) : QPushButton(parent) {}

void CommandButton::setBackColor(std::uint32_t bgr) {
    QPalette p = palette();
    p.setColor(QPalette::Button, colourFromBgr(bgr));
    setPalette(p);
}

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {}

void TextBox::keyPressEvent(QKeyEvent* event) {
    int code = characterCode(event);
    // Tab and keys that type nothing keep their ordinary effect.
    if (code == 0 || code == 9 || !keyPress_)
        return QLineEdit::keyPressEvent(event);
    const int typed = code;
    // A filter that failed has not let the character through.
    if (!Application::runHandler([&] { keyPress_(code); }))
        code = 0;
    if (code == 0) {
        event->accept();
        return;
    }
    if (code != typed) {
        QKeyEvent replaced(event->type(), 0, event->modifiers(), QString(QChar(code)));
        return QLineEdit::keyPressEvent(&replaced);
    }
    QLineEdit::keyPressEvent(event);
}

void TextBox::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setLayoutDirection(Qt::RightToLeft);
    menu->popup(event->globalPos());
}

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent) {}

Line::Line(QWidget* parent, QPointF from, QPointF to, std::uint32_t bgr, int widthPixels)
    : QWidget(parent), from_(from), to_(to), colour_(colourFromBgr(bgr)), width_(widthPixels) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Line::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QPen pen(colour_);
    pen.setWidth(width_);
    painter.setPen(pen);
    const QPointF origin = pos();
    painter.drawLine(from_ - origin, to_ - origin);
}

Timer::Timer(QObject* parent) : QTimer(parent) {
    // A draw lives on its rhythm: every tick on time, not coalesced with other timers.
    setTimerType(Qt::PreciseTimer);
}

void Timer::setEnabled(bool on) {
    if (on && !isActive())
        start();
    else if (!on && isActive())
        stop();
}

void Timer::setIntervalMs(int ms) { setInterval(ms); }
