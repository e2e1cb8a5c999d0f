#include "app/design.h"

#include "app/colours.h"
#include "app/controls.h"
#include "app/fonts.h"
#include "app/twips.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenuBar>
#include <QPixmap>
#include <algorithm>

namespace design {
namespace {
// A design's alignment is the side the caption stands on as the user sees it. Qt would
// mirror a plain left or right for a caption whose own text runs right to left, which
// would throw a right-aligned Persian caption against the left edge, so the sides are
// absolute.
Qt::Alignment horizontal(Align a) {
    switch (a) {
    case Align::Right:
        return Qt::AlignRight | Qt::AlignAbsolute;
    case Align::Centre:
        return Qt::AlignHCenter;
    case Align::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignAbsolute;
}

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

void applyFont(QWidget* w, const Font& font) {
    if (font.face)
        w->setFont(fonts::designFont(text(font.face), font.points, font.bold));
}

void applyColours(QWidget* w, const Control& row) {
    QPalette p = w->palette();
    if (row.foreColor) {
        p.setColor(QPalette::WindowText, colourFromBgr(*row.foreColor));
        p.setColor(QPalette::Text, colourFromBgr(*row.foreColor));
    }
    if (row.backColor) {
        p.setColor(QPalette::Window, colourFromBgr(*row.backColor));
        p.setColor(QPalette::Base, colourFromBgr(*row.backColor));
        p.setColor(QPalette::Button, colourFromBgr(*row.backColor));
    }
    w->setPalette(p);
}

QWidget* makeWidget(const Control& row, QWidget* parent) {
    switch (row.kind) {
    case Kind::Label: {
        auto* label = new Label(parent);
        // The caption is fitted to the label once it has its size and font, below; fitting
        // it now, to a label of no particular size, would only load faces for nothing.
        label->setText(text(row.caption));
        label->setAlignment(horizontal(row.align) | Qt::AlignTop);
        label->setWordWrap(row.wordWrap);
        // A label with no back colour is transparent and shows what lies behind it.
        label->setAutoFillBackground(row.backColor.has_value() || row.opaque);
        if (row.border) {
            label->setFrameShape(QFrame::Box);
            label->setLineWidth(1);
        }
        return label;
    }
    case Kind::TextBox: {
        auto* box = new TextBox(parent);
        box->setText(text(row.caption));
        box->setAlignment(horizontal(row.align) | Qt::AlignVCenter);
        if (row.maxLength > 0)
            box->setMaxLength(row.maxLength);
        return box;
    }
    case Kind::ComboBox: {
        auto* combo = new ComboBox(parent);
        for (const char* item : row.items)
            combo->addItem(text(item));
        combo->setCurrentIndex(-1);
        return combo;
    }
    case Kind::CommandButton: {
        auto* button = new CommandButton(parent);
        button->setText(text(row.caption));
        button->setAutoDefault(false);
        button->setDefault(row.isDefault);
        if (row.isCancel)
            button->setShortcut(QKeySequence(Qt::Key_Escape));
        return button;
    }
    case Kind::Frame: {
        auto* frame = new Frame(parent);
        frame->setAutoFillBackground(true);
        if (row.border) {
            frame->setFrameShape(QFrame::Box);
            frame->setFrameShadow(QFrame::Sunken);
        } else {
            frame->setFrameShape(QFrame::NoFrame);
        }
        return frame;
    }
    case Kind::Picture: {
        auto* picture = new Picture(parent);
        if (row.picture)
            picture->setSource(QString::fromLatin1(row.picture),
                               QSize(twips::toPixels(row.width), twips::toPixels(row.height)));
        return picture;
    }
    case Kind::Custom: {
        QWidget* w = row.create(parent);
        // A check box or button of the window's own kind takes its caption like the others.
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            button->setText(text(row.caption));
        return w;
    }
    case Kind::Line:
    case Kind::Timer:
    case Kind::Menu:
        break;
    }
    return nullptr;
}

void placeLine(const Control& row, QWidget* parent, QHash<QString, QPointer<QObject>>& out) {
    const QPointF from(row.left / twips::PerPixel, row.top / twips::PerPixel);
    const QPointF to(row.width / twips::PerPixel, row.height / twips::PerPixel);
    auto* line = new Line(parent, from, to, row.foreColor.value_or(0), row.lineWidth);
    line->setObjectName(controlKey(row));
    const int pad = row.lineWidth;
    const QRectF box = QRectF(from, to).normalized().adjusted(-pad, -pad, pad, pad);
    line->setGeometry(box.toAlignedRect());
    line->lower();
    out.insert(controlKey(row), line);
}
} // namespace

QString controlKey(const Control& row) {
    QString key = text(row.name);
    if (row.index >= 0)
        key += QLatin1Char('(') + QString::number(row.index) + QLatin1Char(')');
    return key;
}

bool hasMenu(const Window& window) {
    return std::any_of(window.controls.begin(), window.controls.end(),
                       [](const Control& c) { return c.kind == Kind::Menu; });
}

void applyWindowLook(const Window& window, QWidget* client) {
    QPalette p = client->palette();
    p.setColor(QPalette::Window, colourFromBgr(window.backColor));
    client->setPalette(p);
    client->setAutoFillBackground(true);
    applyFont(client, window.font);
}

QHash<QString, QPointer<QObject>> build(const Window& window, QWidget* client, QMenuBar* menuBar) {
    QHash<QString, QPointer<QObject>> out;
    std::vector<std::pair<int, QWidget*>> tabOrder;

    for (const Control& row : window.controls) {
        const QString key = controlKey(row);
        QWidget* parent = client;
        if (row.container) {
            auto* frame = qobject_cast<QWidget*>(out.value(text(row.container)));
            Q_ASSERT_X(frame, "design::build", "a container must come before its children");
            if (frame)
                parent = frame;
        }
        if (row.kind == Kind::Timer) {
            auto* timer = new Timer(parent);
            timer->setObjectName(key);
            timer->setInterval(row.interval);
            out.insert(key, timer);
            continue;
        }
        if (row.kind == Kind::Menu) {
            QAction* action = menuBar ? menuBar->addAction(text(row.caption)) : nullptr;
            if (action) {
                action->setObjectName(key);
                out.insert(key, action);
            }
            continue;
        }
        if (row.kind == Kind::Line) {
            placeLine(row, parent, out);
            continue;
        }
        QWidget* w = makeWidget(row, parent);
        if (!w)
            continue;
        w->setObjectName(key);
        applyFont(w, row.font);
        applyColours(w, row);
        if (row.rightToLeft)
            w->setLayoutDirection(Qt::RightToLeft);
        twips::setRect(w, row.left, row.top, row.width, row.height);
        if (row.kind == Kind::Label) {
            if (row.autoSize)
                static_cast<Label*>(w)->setAutoSize(true);
            else
                static_cast<Label*>(w)->narrowToFit();
        }
        w->setEnabled(row.enabled);
        if (!row.visible)
            w->setVisible(false);
        if (row.tabIndex >= 0 && w->focusPolicy() != Qt::NoFocus)
            tabOrder.emplace_back(row.tabIndex, w);
        out.insert(key, w);
    }

    // The stored description lists controls from front to back: an earlier row stands in
    // front of a later one where they overlap. Lines stay behind everything.
    for (auto it = window.controls.rbegin(); it != window.controls.rend(); ++it) {
        auto* w = qobject_cast<QWidget*>(out.value(controlKey(*it)));
        if (w && it->kind != Kind::Line)
            w->raise();
    }
    // The tab order follows the stored tab indexes.
    std::sort(tabOrder.begin(), tabOrder.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
    return out;
}
} // namespace design
