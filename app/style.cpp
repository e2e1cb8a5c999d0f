#include "app/style.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>

namespace {
// An icon of a style, made the first time it is drawn or measured.
class DeferredIcon : public QIconEngine {
  public:
    DeferredIcon(const QStyle* style, QStyle::StandardPixmap which, Qt::LayoutDirection direction)
        : style_(style), which_(which), direction_(direction) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    // An engine is asked in device pixels, where QIcon::pixmap(size) would scale the size
    // for the screen once more: on a scaled screen the icon came out too large and blurred.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, 1.0, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    QIconEngine* clone() const override { return new DeferredIcon(*this); }
    QString key() const override { return QStringLiteral("DeferredIcon"); }

  private:
    const QIcon& icon() {
        if (!made_ && style_) {
            QStyleOption option;
            option.direction = direction_;
            icon_ = style_->standardIcon(which_, &option);
        }
        made_ = true;
        return icon_;
    }

    QPointer<const QStyle> style_;
    QStyle::StandardPixmap which_;
    Qt::LayoutDirection direction_;
    QIcon icon_;
    bool made_ = false;
};
} // namespace

Style::Style() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

QIcon Style::standardIcon(StandardPixmap which, const QStyleOption* option,
                          const QWidget* widget) const {
    if (which != SP_ToolBarHorizontalExtensionButton && which != SP_ToolBarVerticalExtensionButton)
        return QProxyStyle::standardIcon(which, option, widget);
    const Qt::LayoutDirection direction =
        option ? option->direction
               : (widget ? widget->layoutDirection() : QGuiApplication::layoutDirection());
    return QIcon(new DeferredIcon(baseStyle(), which, direction));
}

namespace {
// A button or list paints its own colour when its design gave it one: the builder sets the
// palette's button role for exactly those controls.
bool ownColour(const QWidget* widget) {
    return widget && (qobject_cast<const QPushButton*>(widget) || qobject_cast<const QComboBox*>(widget)) &&
           widget->palette().isBrushSet(QPalette::Active, QPalette::Button);
}

// The flat face: the colour itself, a one-pixel outline, and when pressed a sunken inner
// edge rather than a darker face, so the colour stays exact in every state.
void paintFlatFace(QPainter* painter, const QRect& rect, const QStyleOption* option) {
    const QColor face = option->palette.color(QPalette::Active, QPalette::Button);
    const QColor edge = face.darker(250);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->fillRect(rect, face);
    painter->setPen(edge);
    painter->drawRect(rect.adjusted(0, 0, -1, -1));
    if (option->state & (QStyle::State_Sunken | QStyle::State_On)) {
        painter->setPen(face.darker(150));
        const QRect inner = rect.adjusted(1, 1, -2, -2);
        painter->drawLine(inner.topLeft(), inner.topRight());
        painter->drawLine(inner.topLeft(), inner.bottomLeft());
    }
    painter->restore();
}

// The keyboard focus: a dotted rectangle inside the face, in the caption's colour.
void paintFocus(QPainter* painter, const QRect& rect, const QStyleOption* option) {
    if (!(option->state & QStyle::State_HasFocus))
        return;
    painter->save();
    QPen pen(option->palette.color(QPalette::Active, QPalette::ButtonText));
    pen.setStyle(Qt::DotLine);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(rect.adjusted(3, 3, -4, -4));
    painter->restore();
}
} // namespace

void Style::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                          const QWidget* widget) const {
    if (element == PE_PanelButtonCommand && ownColour(widget)) {
        paintFlatFace(painter, option->rect, option);
        paintFocus(painter, option->rect, option);
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void Style::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                               QPainter* painter, const QWidget* widget) const {
    if (control == CC_ComboBox && ownColour(widget)) {
        paintFlatFace(painter, option->rect, option);
        // The arrow stands on the same colour, parted from the text by a line.
        const QRect arrow = subControlRect(CC_ComboBox, option, SC_ComboBoxArrow, widget);
        painter->save();
        painter->setPen(option->palette.color(QPalette::Active, QPalette::Button).darker(150));
        const int x = option->direction == Qt::RightToLeft ? arrow.right() : arrow.left();
        painter->drawLine(x, arrow.top() + 3, x, arrow.bottom() - 3);
        painter->restore();
        QStyleOption arrowOption = *option;
        arrowOption.rect = arrow.adjusted(arrow.width() / 4, 0, -arrow.width() / 4, 0);
        proxy()->drawPrimitive(PE_IndicatorArrowDown, &arrowOption, painter, widget);
        paintFocus(painter, option->rect, option);
        return;
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}

int Style::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                     QStyleHintReturn* returnData) const {
    if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
        return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}
