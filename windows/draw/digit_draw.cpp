#include "windows/draw/digit_draw.h"

#include "app/bidi.h"
#include "app/colours.h"
#include "app/error_report.h"
#include "app/trace.h"
#include "app/twips.h"
#include "engine/admissible_digits.h"
#include "engine/conversions.h"
#include "engine/random_source.h"
#include "engine/sitting.h"
#include "engine/ticket_counts.h"
#include "windows/draw/form1.h"

#include <QCoreApplication>
#include <exception>

namespace digit_draw {
namespace {

QString& markerDirectory() {
    static QString directory;
    return directory;
}

// The captions of the positions left of k, joined: the digits settled so far.
QString settledPrefix(Form1& stage, int k) {
    QString prefix;
    for (int i = 1; i < k; ++i)
        prefix += stage.digitLabel(i)->caption();
    return prefix;
}

// The start button is the one control the operator needs between draws; Space and Enter
// should press it again, not the return button that took the focus while it was disabled.
void readyForNextDraw(Form1& stage) {
    stage.Command1()->setEnabled(true);
    stage.Command1()->setFocus();
}

// A position that cannot be drawn ends the draw where it stands: the settled digits stay,
// the position itself is left empty so nobody reads an unsettled digit as drawn.
void stopUnfinished(Form1& stage, int k, const QString& why) {
    stage.digitTimer(k)->setEnabled(false);
    stage.digitLabel(k)->setCaption(QString());
    stage.g1()->setVisible(false);
    readyForNextDraw(stage);
    trace::line(QStringLiteral("draw stopped at position %1: %2").arg(k).arg(why));
}

// The random source gave nothing usable within a tick's draws: the operator is told, as
// the number cannot be finished fairly, and the trace says which rule it failed.
void stopOnFaultySource(Form1& stage, int k, const QString& why, const QString& detail) {
    stopUnfinished(stage, k, why);
    error_report::report(
        QStringLiteral("The draw stopped at position %1: ").arg(k) + detail,
        QStringLiteral("قرعه‌کشی در رقم %1 متوقف شد، زیرا رقمی در محدوده به دست نیامد. "
                       "دکمه‌ی شروع را دوباره بزنید.")
            .arg(k),
        detail);
}

} // namespace

QString markerPath() {
    const QString& directory = markerDirectory();
    return (directory.isEmpty() ? QCoreApplication::applicationDirPath() : directory) +
           QStringLiteral("/green.gif");
}

void setMarkerDirectory(const QString& directory) { markerDirectory() = directory; }

QString persianDigits(QString text) {
    for (QChar& c : text)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            c = QChar(u'\u06F0' + (c.unicode() - u'0'));
    return text;
}

void announce(Form1& stage, const QString& number) {
    FormWindow* window = stage.window();
    const QString name = QStringLiteral("عدد برنده: ") + persianDigits(number);
    // The same number drawn twice running is announced again: a name that does not change
    // is not spoken.
    if (window->accessibleName() == name)
        window->setAccessibleName(QString());
    window->setAccessibleName(name);
}

void start(Form1& stage) {
    // While each ticket may win once, the tickets that have won are left out of this whole
    // draw. When none is left the operator is told before anything spins, and the stage
    // keeps what it shows.
    const engine::Sitting& sitting = engine::sitting();
    stage.LeftOut = sitting.leftOut();
    stage.EachTicketOnce = sitting.eachTicketOnce();
    if (stage.EachTicketOnce) {
        const QString lower = stage.Label8()->caption();
        const QString upper = stage.Label9()->caption();
        if (engine::ticketsLeft(lower, upper, stage.LeftOut) == 0) {
            const QString detail = QStringLiteral("%1 – %2").arg(lower, upper);
            error_report::report(
                QStringLiteral("No ticket from %1 to %2 is left to draw: every one has won")
                    .arg(lower, upper),
                QStringLiteral("همه‌ی بلیت‌های این محدوده برنده شده‌اند و بلیتی برای قرعه‌کشی "
                               "نمانده است. محدوده را بزرگ‌تر کنید، یا در پنجره‌ی برندگان "
                               "گزینه‌ی «هر بلیت فقط یک بار برنده شود» را بردارید."),
                bidi::leftToRight(detail), error_report::Severity::Warning, stage.window());
            return;
        }
    }

    // A disabled button hands its focus on to the next one, the return button: a second
    // Space or Enter from the operator would then close the stage in the middle of the
    // draw. The stage itself holds the focus until the start button is back. The button
    // is off before anything else, so nothing can start a second draw meanwhile.
    FormWindow* window = stage.window();
    if (window->focusWidget() == stage.Command1())
        window->setFocus();
    stage.Command1()->setEnabled(false);
    for (int k = 1; k <= 6; ++k)
        stage.digitLabel(k)->setForeColor(colours::Yellow);
    for (int k = 1; k <= 6; ++k)
        stage.digitLabel(k)->setCaption(QString());

    // The marker is read before any digit spins. A file that cannot be read is reported
    // now, while the stage stands still: a box shown during the draw would cover the
    // digits the audience watches, and the number could be finished behind it. The draw
    // starts once the operator has closed the box, without the marker; the operator is
    // told once while the stage is shown, and a file put back is used by the next draw.
    QString failure;
    QString detail;
    try {
        stage.g1()->LoadFile(markerPath(), QString());
    } catch (const error_report::Failure& e) {
        failure = e.log();
        detail = e.detail();
    } catch (const std::exception& e) {
        failure = QString::fromUtf8(e.what());
        detail = failure;
    }
    if (failure.isEmpty()) {
        stage.markerFailureReported = false;
    } else if (stage.markerFailureReported) {
        trace::line(failure +
                    QStringLiteral("; reported before, the draw goes on without the marker"));
    } else {
        stage.markerFailureReported = true;
        error_report::report(
            failure + QStringLiteral("; the draw goes on without the marker"),
            QStringLiteral("نشانگر متحرک نشان داده نمی‌شود، زیرا پرونده‌ی آن خوانده نشد. با "
                           "بستن این پیام، قرعه‌کشی بدون نشانگر آغاز می‌شود و عدد آن معتبر است. "
                           "پرونده‌ی ") +
                bidi::leftToRight(QStringLiteral("green.gif")) +
                QStringLiteral(" را کنار برنامه بگذارید تا قرعه‌کشی بعدی نشانگر داشته باشد."),
            detail, error_report::Severity::Warning, window);
        // The stage may have been closed while the box was open: nothing to start then.
        if (!stage.IsLoaded())
            return;
    }

    stage.SpinsLeft = TextToNumber(stage.Label10()->caption());
    stage.Timer1()->setEnabled(true);
    stage.g1()->setLeft(twips::left(stage.Label1()));
    stage.g1()->setVisible(failure.isEmpty());
    trace::line(QStringLiteral("draw started"));
}

void tick(Form1& stage, int k) {
    Label* label = stage.digitLabel(k);
    const QString lower = stage.Label8()->caption();
    const QString upper = stage.Label9()->caption();
    const QString prefix = settledPrefix(stage, k);

    // Bounds that are not all digits, or bounds rewritten during the draw that no longer
    // fit the settled digits, can leave no digit at all; drawing would then never end.
    if (engine::admissibleDigits(k, lower, upper, prefix).empty()) {
        stopUnfinished(
            stage, k,
            QStringLiteral("no digit after \"%1\" lies within %2 to %3").arg(prefix, lower, upper));
        return;
    }

    // A spin count that is not a positive whole number never reaches exactly 0, and the
    // position then spins until the stage is closed, as the range entry never hands one over.
    const bool settles = stage.SpinsLeft - 1 == 0;

    // Each digit drawn is shown at once and read back as the number so far. Rejected
    // digits are overwritten before the stage repaints, so the audience only ever sees the
    // digit a tick keeps.
    auto show = [&](int digit) {
        stage.CurrentDigit = float(digit);
        label->setCaption(NumberToText(double(stage.CurrentDigit)));
        if (k == 1)
            return double(stage.CurrentDigit);
        stage.Label15()->setCaption(prefix + label->caption());
        return TextToNumber(stage.Label15()->caption());
    };

    engine::RandomSource& source = engine::randomSource();
    int draws = 0;
    bool drawn = false;
    // The digit that stays is weighted by the tickets behind it that are still in the
    // draw, so that every such ticket is equally likely, not every digit. It is never
    // drawn by the spinning rule instead: that could settle on a ticket left out, or
    // favour some tickets over others.
    if (settles) {
        const engine::DigitWeights weights =
            engine::ticketWeights(k, lower, upper, prefix, stage.LeftOut);
        if (engine::totalOf(weights) == 0) {
            stopUnfinished(stage, k,
                           QStringLiteral("no ticket from %1 to %2 begins with \"%3\" and a digit")
                               .arg(lower, upper, prefix));
            return;
        }
        const std::optional<int> digit =
            engine::settlingDigit(source, weights, draws, MaxDrawsPerTick);
        if (!digit) {
            stopOnFaultySource(
                stage, k, QStringLiteral("the weighted choice got no usable number"),
                QStringLiteral("the weighted choice among %1 tickets got no usable number from "
                               "%2 random digits.")
                    .arg(engine::totalOf(weights))
                    .arg(draws));
            return;
        }
        show(*digit);
        drawn = true;
    }
    // Spinning digits: draw until admissible, every admissible digit equally likely.
    while (!drawn && draws < MaxDrawsPerTick) {
        ++draws;
        source.reseedFromClock();
        drawn = engine::withinBounds(k, lower, upper, show(engine::digitOf(source.next())));
    }
    if (!drawn) {
        stopOnFaultySource(stage, k, QStringLiteral("the random source gave no admissible digit"),
                           QStringLiteral("%1 random digits in a row fell outside %2 to %3.")
                               .arg(MaxDrawsPerTick)
                               .arg(lower, upper));
        return;
    }

    stage.SpinsLeft = stage.SpinsLeft - 1;
    if (!settles)
        return;

    label->setForeColor(colours::Green);
    stage.digitTimer(k)->setEnabled(false);
    if (k < 6) {
        stage.digitTimer(k + 1)->setEnabled(true);
        stage.SpinsLeft = TextToNumber(stage.Label10()->caption());
        stage.g1()->setLeft(twips::left(stage.digitLabel(k + 1)));
        return;
    }
    stage.g1()->setVisible(false);
    readyForNextDraw(stage);
    announce(stage, stage.Label15()->caption());
    trace::line(QStringLiteral("drawn ") + stage.Label15()->caption());
    // The sitting keeps the number from the moment it stands green; the audience sees
    // nothing of it.
    engine::sitting().add({.number = stage.Label15()->caption(),
                           .when = QDateTime::currentDateTime(),
                           .lower = lower,
                           .upper = upper,
                           .eachTicketOnce = stage.EachTicketOnce});
}

} // namespace digit_draw

void Form1::Command1_Click() { digit_draw::start(*this); }
void Form1::Timer1_Timer() { digit_draw::tick(*this, 1); }
void Form1::Timer2_Timer() { digit_draw::tick(*this, 2); }
void Form1::Timer3_Timer() { digit_draw::tick(*this, 3); }
void Form1::Timer4_Timer() { digit_draw::tick(*this, 4); }
void Form1::Timer5_Timer() { digit_draw::tick(*this, 5); }
void Form1::Timer6_Timer() { digit_draw::tick(*this, 6); }
