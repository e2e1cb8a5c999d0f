#include "windows/draw/form1.h"

#include "app/design.h"
#include "app/error_report.h"
#include "app/trace.h"
#include "app/twips.h"
#include "engine/conversions.h"
#include "windows/draw/digit_draw.h"
#include "windows/draw/stage_keys.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

Form1& form1() {
    static Form1 instance;
    return instance;
}

Label* Form1::digitLabel(int k) {
    return control<Label>(QStringLiteral("Label") + QString::number(k));
}

Timer* Form1::digitTimer(int k) {
    return control<Timer>(QStringLiteral("Timer") + QString::number(k));
}

void Form1::connectHandlers() {
    on(Command1(), &QPushButton::clicked, [this] { Command1_Click(); });
    on(Command2(), &QPushButton::clicked, [this] { Command2_Click(); });
    for (int k = 1; k <= 6; ++k)
        on(digitTimer(k), &QTimer::timeout, [this, k] { TimerTick(k); });
}

void Form1::TimerTick(int k) {
    switch (k) {
    case 1:
        return Timer1_Timer();
    case 2:
        return Timer2_Timer();
    case 3:
        return Timer3_Timer();
    case 4:
        return Timer4_Timer();
    case 5:
        return Timer5_Timer();
    case 6:
        return Timer6_Timer();
    default:
        throw error_report::Failure("there is no digit position " + std::to_string(k));
    }
}

void Form1::Form_Load() {
    // A screen reader lists the frame's controls in the order they stack. The digits do not
    // overlap one another, so they stack left to right, to be read in the number's order,
    // each saying which position it is. The marker stands in front of the digit it marks
    // where the two overlap, and has no picture until a draw starts.
    for (int k = 1; k <= 6; ++k) {
        digitLabel(k)->raise();
        digitLabel(k)->setAccessibleDescription(
            QStringLiteral("رقم %1 از ۶").arg(digit_draw::persianDigits(QString::number(k))));
    }
    g1()->raise();
    // A new showing tells the operator again about a marker that cannot be read.
    markerFailureReported = false;
    // Both buttons take Enter as well as Space when they have the focus, as a focused
    // button is expected to.
    Command1()->setAutoDefault(true);
    Command2()->setAutoDefault(true);
    Command1()->setFocus();
    stage_keys::install(*this);
}

void Form1::Form_Activate() {
    // The speed code sets every digit timer's interval; the enabled state is left alone.
    for (int k = 1; k <= 6; ++k) {
        const double ms = std::round(TextToNumber(Label11()->caption()) * 200.0);
        // Only the codes 1 to 3 are ever handed over. Anything else is kept within what a
        // timer can take before it becomes a whole number: below 0 ticks as fast as 0,
        // past the largest interval waits the largest interval.
        constexpr double longest = std::numeric_limits<int>::max();
        digitTimer(k)->setIntervalMs(ms > 0 ? int(std::min(ms, longest)) : 0);
    }
    centreOnScreen();
}

namespace {
// Where the design puts one of the stage's own controls, whatever an earlier screen made of
// it: a stage that moves from a tall screen to a common one goes back to the design.
const design::Control& designRow(const QWidget* control) {
    for (const design::Control& row : Form1::Design().controls)
        if (control->objectName() == QLatin1String(row.name))
            return row;
    throw error_report::Failure("the stage's design has no " + control->objectName().toStdString());
}
} // namespace

void Form1::centreOnScreen() {
    // The stage is centred on its screen, not on the design's client area. Each half is
    // taken first and the halves subtracted, in floating point.
    const QSizeF screen = twips::screenSize(window());
    const double halfWidth = screen.width() / 2;
    const double halfHeight = screen.height() / 2;
    twips::setLeft(Frame1(), halfWidth - twips::width(Frame1()) / 2);
    twips::setLeft(Command1(), halfWidth - twips::width(Command1()) / 2);
    twips::setLeft(Command2(), halfWidth - twips::width(Command2()) / 2);
    twips::setLeft(Label20(), halfWidth - twips::width(Label20()) / 2);

    // Only the digit frame is centred down the screen; the buttons and the banner keep the
    // design's tops. On a screen much taller than the design (from about 1150 pixels) the
    // return button would then lie across the digits, and on a portrait screen above them.
    // There the controls keep the design's spacing instead, as one block centred down the
    // screen, so nothing covers a digit. Wherever each control stays on its own side of the
    // digits, clear of them, the design's tops are kept exactly.
    const QList<QWidget*> outside{Label20(), Command1(), Command2()};
    double frameTop = halfHeight - twips::height(Frame1()) / 2;
    double digitsTop = std::numeric_limits<double>::max();
    double digitsBottom = std::numeric_limits<double>::lowest();
    for (int k = 1; k <= 6; ++k) {
        digitsTop = std::min(digitsTop, double(twips::top(digitLabel(k))));
        digitsBottom = std::max(digitsBottom, double(twips::top(digitLabel(k)) +
                                                     twips::height(digitLabel(k))));
    }
    const double designFrameTop = designRow(Frame1()).top;
    bool clear = true;
    for (const QWidget* c : outside) {
        const double top = designRow(c).top;
        if (top < designFrameTop + digitsTop)
            clear = clear && top + twips::height(c) <= frameTop + digitsTop;
        else
            clear = clear && top >= frameTop + digitsBottom;
    }
    double shift = 0;
    if (!clear) {
        const design::Control& frame = designRow(Frame1());
        double blockTop = frame.top;
        double blockBottom = frame.top + frame.height;
        for (const QWidget* c : outside) {
            const design::Control& row = designRow(c);
            blockTop = std::min(blockTop, row.top);
            blockBottom = std::max(blockBottom, row.top + row.height);
        }
        shift = halfHeight - (blockTop + blockBottom) / 2;
        frameTop = frame.top + shift;
    }
    twips::setTop(Frame1(), frameTop);
    for (QWidget* c : outside)
        twips::setTop(c, designRow(c).top + shift);
    if (trace::enabled())
        traceLayout();
}

void Form1::traceLayout() {
    // Where the audience sees each control, in the screen's own pixels: the real-window
    // tests check from it that the whole stage shows, whatever the screen and its scaling.
    FormWindow* w = window();
    const qreal ratio = w->devicePixelRatioF();
    QString text = QStringLiteral("stage %1x%2 scale %3")
                       .arg(std::lround(w->width() * ratio))
                       .arg(std::lround(w->height() * ratio))
                       .arg(twips::scale(w), 0, 'f', 3);
    QList<QWidget*> shown{Command1(), Command2(), Label20()};
    for (int k = 1; k <= 6; ++k)
        shown << digitLabel(k);
    for (const QWidget* c : shown) {
        const QRectF r(QPointF(c->mapTo(w, QPoint(0, 0))) * ratio, QSizeF(c->size()) * ratio);
        text += QStringLiteral(" %1 %2,%3,%4,%5")
                    .arg(c->objectName())
                    .arg(std::lround(r.x()))
                    .arg(std::lround(r.y()))
                    .arg(std::lround(r.width()))
                    .arg(std::lround(r.height()));
    }
    trace::line(text);
}

void Form1::Command2_Click() { Unload(); }
