#include "app/application.h"
#include "app/colours.h"
#include "app/error_report.h"
#include "app/twips.h"
#include "engine/admissible_digits.h"
#include "windows/draw/digit_draw.h"
#include "engine/random_source.h"
#include "windows/draw/form1.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTextLayout>
#include <QTimer>
#include <cmath>
#include <stdexcept>

namespace {
// A tiny looping animation, two 4 x 2 frames, red then blue: enough for the marker.
const QByteArray TinyGif = QByteArray::fromHex(
    "47494638396104000200f00000ff000000000021f904000000000021ff0b4e45545343415045322e3003010000"
    "002c0000000004000200000203846f050021f90400000000002c0000000004000200800000ff0000000203846f"
    "05003b");

// Speed code "0" makes every tick interval 0 once the stage is activated.
void handOver(const QString& lower, const QString& upper, const QString& spins,
              const QString& speed = QStringLiteral("0")) {
    Form1& f = form1();
    f.Label8()->setCaption(lower);
    f.Label9()->setCaption(upper);
    f.Label10()->setCaption(spins);
    f.Label14()->setCaption(QStringLiteral("متوسط"));
    f.Label11()->setCaption(speed);
}

// The position whose timer runs, 0 when none does; fails when more than one runs.
int spinningPosition() {
    int running = 0;
    int count = 0;
    for (int k = 1; k <= 6; ++k)
        if (form1().digitTimer(k)->Enabled()) {
            running = k;
            ++count;
        }
    if (count > 1)
        throw std::logic_error("two digit timers run at once");
    return running;
}

void tickPosition(int k) { form1().TimerTick(k); }

// Ticks whichever position spins until none does; returns the number of ticks.
int runToEnd(int limit = 10000) {
    int ticks = 0;
    for (int k = spinningPosition(); k != 0 && ticks < limit; k = spinningPosition()) {
        tickPosition(k);
        ++ticks;
    }
    return ticks;
}

QString shownNumber() {
    QString n;
    for (int k = 1; k <= 6; ++k)
        n += form1().digitLabel(k)->caption();
    return n;
}

// Whether the parts of a label's text stand left to right in the order given, as the
// label lays them out. Each part is found by its second character, inside its own run.
bool readsInOrder(const QLabel* label, const QStringList& parts) {
    QTextLayout layout(label->text(), label->font());
    QTextOption option;
    option.setTextDirection(label->layoutDirection());
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(1e6);
    layout.endLayout();
    qreal previous = -1;
    for (const QString& part : parts) {
        const qreal x = line.cursorToX(int(label->text().indexOf(part) + 1));
        if (!label->text().contains(part) || x <= previous)
            return false;
        previous = x;
    }
    return true;
}

bool idle() {
    Form1& f = form1();
    return spinningPosition() == 0 && f.Command1()->isEnabled() && !f.g1()->isVisibleTo(f.Frame1());
}
} // namespace

class TestDigitDraw : public QObject {
    Q_OBJECT
    QTemporaryDir markerDir;
    QStringList reports;

    void writeMarker(const QByteArray& bytes) {
        QFile file(markerDir.filePath(QStringLiteral("green.gif")));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

  private Q_SLOTS:
    void initTestCase() {
        QVERIFY(markerDir.isValid());
        Application::setEndAction([] {});
    }

    void init() {
        reports.clear();
        error_report::setSink([this](const QString& m) { reports << m; });
        QDir(markerDir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(markerDir.path()));
        writeMarker(TinyGif);
        digit_draw::setMarkerDirectory(markerDir.path());
        engine::setRandomSource(std::make_shared<engine::SystemRandom>(
            20240611, [] { return std::uint64_t(123456789); }));
        handOver(QStringLiteral("035000"), QStringLiteral("084570"), QStringLiteral("5"));
    }

    void cleanup() {
        form1().Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        engine::setRandomSource(nullptr);
        digit_draw::setMarkerDirectory(QString());
        QVERIFY2(reports.isEmpty(), qPrintable(reports.join(QLatin1Char('\n'))));
    }

    // A start, on a fresh stage or after a finished draw, empties and yellows the six
    // positions, puts the marker at the first one and reloads the spin count; it leaves
    // the prefix field and the last digit alone.
    void startPreparesTheStage_data() {
        QTest::addColumn<bool>("afterADraw");
        QTest::newRow("fresh stage") << false;
        QTest::newRow("after a finished draw") << true;
    }
    void startPreparesTheStage() {
        QFETCH(bool, afterADraw);
        Form1& f = form1();
        if (afterADraw) {
            f.Command1_Click();
            runToEnd();
        } else {
            f.Label15()->setCaption(QStringLiteral("084"));
        }
        const QString prefixField = f.Label15()->caption();
        f.CurrentDigit = 7;
        f.Command1_Click();
        QCOMPARE(f.SpinsLeft, 5.0);
        QCOMPARE(spinningPosition(), 1);
        for (int k = 1; k <= 6; ++k) {
            QVERIFY(f.digitLabel(k)->caption().isEmpty());
            QCOMPARE(f.digitLabel(k)->foreColor(), colours::Yellow);
        }
        QVERIFY(f.g1()->hasPicture());
        QVERIFY(f.g1()->isVisibleTo(f.Frame1()));
        QCOMPARE(f.g1()->Left(), twips::left(f.Label1()));
        QVERIFY(!f.Command1()->isEnabled());
        QCOMPARE(f.Label15()->caption(), prefixField);
        QCOMPARE(f.CurrentDigit, 7.0f);
        QCOMPARE(runToEnd(), 30);
        QVERIFY(idle());
    }

    void settlesAfterSpinCount_data() {
        QTest::addColumn<int>("spins");
        QTest::newRow("one spin") << 1;
        QTest::newRow("five spins") << 5;
        QTest::newRow("twenty spins") << 20;
    }
    void settlesAfterSpinCount() {
        QFETCH(int, spins);
        Form1& f = form1();
        f.Label10()->setCaption(QString::number(spins));
        f.Command1_Click();
        int total = 0;
        for (int k = 1; k <= 6; ++k) {
            Label* label = f.digitLabel(k);
            for (int n = 1; n <= spins; ++n) {
                QCOMPARE(spinningPosition(), k);
                QCOMPARE(f.g1()->Left(), twips::left(label));
                tickPosition(k);
                ++total;
                QCOMPARE(label->caption().size(), 1);
                QCOMPARE(label->caption(), QString::number(int(f.CurrentDigit)));
                if (n < spins) {
                    QCOMPARE(label->foreColor(), colours::Yellow);
                    QCOMPARE(f.SpinsLeft, double(spins - n));
                } else {
                    // The spin count's last digit stays, turns green, and the next position
                    // takes over in the same tick.
                    QCOMPARE(label->foreColor(), colours::Green);
                    QVERIFY(!f.digitTimer(k)->Enabled());
                    if (k < 6) {
                        QCOMPARE(spinningPosition(), k + 1);
                        QCOMPARE(f.g1()->Left(), twips::left(f.digitLabel(k + 1)));
                        QCOMPARE(f.SpinsLeft, double(spins));
                        QVERIFY(f.g1()->isVisibleTo(f.Frame1()));
                        QVERIFY(!f.Command1()->isEnabled());
                    }
                }
                if (k >= 2)
                    QCOMPARE(f.Label15()->caption(), shownNumber());
            }
        }
        QCOMPARE(total, 6 * spins);
        QVERIFY(idle());
        QCOMPARE(f.Label15()->caption(), shownNumber());
        QCOMPARE(shownNumber().size(), 6);
        for (int k = 1; k <= 6; ++k)
            QCOMPARE(f.digitLabel(k)->foreColor(), colours::Green);
    }

    // Spin counts that never reach exactly 0 keep the first position spinning.
    void spinCountThatNeverSettles_data() {
        QTest::addColumn<QString>("spins");
        QTest::newRow("zero") << "0";
        QTest::newRow("negative") << "-3";
        QTest::newRow("no number") << "many";
    }
    void spinCountThatNeverSettles() {
        QFETCH(QString, spins);
        Form1& f = form1();
        f.Label10()->setCaption(spins);
        f.Command1_Click();
        for (int i = 0; i < 50; ++i)
            f.Timer1_Timer();
        QCOMPARE(spinningPosition(), 1);
        QCOMPARE(f.Label1()->foreColor(), colours::Yellow);
        QVERIFY(!f.Command1()->isEnabled());
    }

    // Every draw of a spinning tick, rejected ones included, comes after a reseed; position
    // 1 leaves the prefix field alone, the others write the settled digits and the new one.
    // A position that can settle on one digit only takes it without a draw.
    void rejectedDrawsAreRedrawnWithAFreshReseed() {
        Form1& f = form1();
        auto script = engine::ScriptedRandom::ofDigits({9, 2, 1, 0, 9, 8, 4});
        engine::setRandomSource(script);
        f.Label10()->setCaption(QStringLiteral("2"));
        f.Label15()->setCaption(QStringLiteral("earlier"));
        f.Command1_Click();
        f.Timer1_Timer();
        QCOMPARE(f.Label1()->caption(), QStringLiteral("0"));
        QCOMPARE(script->draws(), 4);
        QCOMPARE(script->reseeds(), 4);
        QCOMPARE(f.Label15()->caption(), QStringLiteral("earlier"));
        f.Timer1_Timer(); // every ticket begins with 0
        QCOMPARE(f.Label1()->caption(), QStringLiteral("0"));
        QCOMPARE(f.Label1()->foreColor(), colours::Green);
        QCOMPARE(script->draws(), 4);
        f.Timer2_Timer(); // 9 is above 08, 8 is within
        QCOMPARE(f.Label2()->caption(), QStringLiteral("8"));
        QCOMPARE(f.CurrentDigit, 8.0f);
        QCOMPARE(script->draws(), 6);
        QCOMPARE(script->reseeds(), 6);
        QCOMPARE(f.Label15()->caption(), QStringLiteral("08"));
    }

    void finishedNumberLiesWithinBounds() {
        QRandomGenerator pairs(4242);
        Form1& f = form1();
        for (int draw = 0; draw < 400; ++draw) {
            int lower = int(pairs.bounded(1000000));
            int upper = int(pairs.bounded(1000000));
            if (lower > upper)
                std::swap(lower, upper);
            if (draw % 10 == 0)
                upper = lower; // equal bounds: the only number is the bound itself
            const QString lo = QStringLiteral("%1").arg(lower, 6, 10, QLatin1Char('0'));
            const QString hi = QStringLiteral("%1").arg(upper, 6, 10, QLatin1Char('0'));
            handOver(lo, hi, QStringLiteral("2"));
            f.Command1_Click();
            QCOMPARE(runToEnd(), 12);
            const QString number = shownNumber();
            QVERIFY2(lo <= number && number <= hi, qPrintable(lo + " " + number + " " + hi));
            QCOMPARE(f.Label15()->caption(), number);
            if (lower == upper)
                QCOMPARE(number, lo);
        }
    }

    // Given the settled digits, every admissible digit of a spinning position is equally
    // likely: the audience sees no digit favoured while it spins.
    void admissibleDigitsAreEquallyLikely_data() {
        QTest::addColumn<QString>("lower");
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<double>("critical"); // chi-square exceeded by chance once in 1000
        QTest::newRow("second digit of 035000-084570: 3 to 8") << "035000"
                                                               << "084570"
                                                               << "0" << 20.52;
        QTest::newRow("third digit after 03: 5 to 9") << "035000"
                                                      << "084570"
                                                      << "03" << 18.47;
        QTest::newRow("third digit after 08: 0 to 4") << "035000"
                                                      << "084570"
                                                      << "08" << 18.47;
        QTest::newRow("fourth digit of the full range") << "000000"
                                                        << "999999"
                                                        << "123" << 27.88;
        QTest::newRow("sixth digit of bounds sharing five") << "123450"
                                                            << "123459"
                                                            << "12345" << 27.88;
    }
    void admissibleDigitsAreEquallyLikely() {
        QFETCH(QString, lower);
        QFETCH(QString, upper);
        QFETCH(QString, prefix);
        QFETCH(double, critical);
        Form1& f = form1();
        handOver(lower, upper, QStringLiteral("5"));
        const int k = int(prefix.size()) + 1;
        for (int i = 1; i < k; ++i)
            f.digitLabel(i)->setCaption(prefix.mid(i - 1, 1));
        const std::vector<int> admissible = engine::admissibleDigits(k, lower, upper, prefix);
        const int ticks = 30000;
        f.SpinsLeft = 1e9;
        std::vector<int> counts(10, 0);
        for (int i = 0; i < ticks; ++i) {
            tickPosition(k);
            ++counts[std::size_t(f.digitLabel(k)->caption().toInt())];
        }
        double chi2 = 0;
        const double expected = double(ticks) / double(admissible.size());
        for (int d = 0; d <= 9; ++d) {
            const bool allowed =
                std::find(admissible.begin(), admissible.end(), d) != admissible.end();
            if (!allowed) {
                QCOMPARE(counts[std::size_t(d)], 0);
                continue;
            }
            chi2 += (counts[std::size_t(d)] - expected) * (counts[std::size_t(d)] - expected) /
                    expected;
        }
        QVERIFY2(chi2 < critical, qPrintable(QStringLiteral("chi-square %1").arg(chi2)));
    }

    // A raffle of 237 tickets drawn on the stage, through its own start and ticks: every
    // ticket comes up about equally often, however unround the bounds.
    void everyTicketOfARaffleIsEquallyLikely() {
        Form1& f = form1();
        const int tickets = 237, perTicket = 30;
        handOver(QStringLiteral("000001"), QStringLiteral("000237"), QStringLiteral("1"));
        std::vector<int> counts(tickets + 1, 0);
        for (int draw = 0; draw < tickets * perTicket; ++draw) {
            f.Command1_Click();
            runToEnd();
            const int number = shownNumber().toInt();
            QVERIFY2(number >= 1 && number <= tickets, qPrintable(shownNumber()));
            ++counts[std::size_t(number)];
        }
        double chi2 = 0;
        for (int t = 1; t <= tickets; ++t)
            chi2 += double(counts[std::size_t(t)] - perTicket) * (counts[std::size_t(t)] - perTicket) /
                    perTicket;
        // 236 degrees of freedom: 308.87 is exceeded by chance once in a thousand.
        QVERIFY2(chi2 < 308.87, qPrintable(QStringLiteral("chi-square %1").arg(chi2)));
    }

    void closingMidDrawStopsIt() {
        Form1& f = form1();
        f.Show();
        // Ticks every time the event loop runs, so a timer left running would be seen.
        QTRY_COMPARE(f.Timer1()->Interval(), 0);
        f.Command1_Click();
        f.Timer1_Timer();
        f.Timer1_Timer();
        const QString shown = f.Label1()->caption();
        QPointer<Label> closed = f.Label1();
        f.Command2_Click();
        QVERIFY(!f.IsLoaded());
        // No tick of the closed stage arrives while the event loop runs on: one would
        // reach for the stage's digits and load the stage again behind the operator.
        for (int i = 0; i < 20; ++i)
            QCoreApplication::processEvents();
        QVERIFY(!f.IsLoaded());
        QVERIFY(!closed || closed->caption() == shown);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(closed.isNull());
        // The next showing comes up idle, its marker without a picture.
        f.Show();
        QCOMPARE(spinningPosition(), 0);
        QVERIFY(f.Command1()->isEnabled());
        for (int k = 1; k <= 6; ++k) {
            QVERIFY(f.digitLabel(k)->caption().isEmpty());
            QCOMPARE(f.digitLabel(k)->foreColor(), colours::Yellow);
        }
        QVERIFY(!f.g1()->hasPicture());
    }

    void boundsRewrittenWhilePosition3Spins() {
        Form1& f = form1();
        // Spinning digits take one value each; a settling digit takes a whole number below
        // the tickets left, one value per decimal place: 10000 below 2 x 49571 is ticket
        // 5000 after 0, the first of 04; 36 below 100 after 0412 is 041236, so a fifth 3.
        engine::setRandomSource(engine::ScriptedRandom::ofDigits(
            {0, 0, 4, 1, 0, 0, 0, 0, 7, 9, 2, 9, 3, 6, 1, 5}));
        f.Label10()->setCaption(QStringLiteral("2"));
        f.Command1_Click();
        for (int i = 0; i < 5; ++i)
            tickPosition(spinningPosition());
        QCOMPARE(spinningPosition(), 3);
        QCOMPARE(shownNumber(), QStringLiteral("047"));
        // The range entry writes new bounds while the draw runs; 7 no longer fits them.
        handOver(QStringLiteral("041200"), QStringLiteral("041299"), QStringLiteral("2"));
        QCOMPARE(runToEnd(), 7);
        QCOMPARE(shownNumber(), QStringLiteral("041235"));
        QCOMPARE(f.Label15()->caption(), QStringLiteral("041235"));
        QVERIFY(idle());
    }

    // A position with no admissible digit ends the draw where it stands, at once.
    void noAdmissibleDigitEndsTheDraw_data() {
        QTest::addColumn<QString>("lower");
        QTest::addColumn<QString>("upper");
        QTest::addColumn<int>("rewriteAt"); // 0: the bounds hold from the start
        QTest::addColumn<QString>("newLower");
        QTest::addColumn<QString>("newUpper");
        QTest::addColumn<int>("stopsAt");
        QTest::newRow("lower above upper") << "900000"
                                           << "100000" << 0 << ""
                                           << "" << 1;
        // Digits 5 to 9 may spin at the first position, but no ticket lies behind them.
        QTest::newRow("bound texts of one character") << "5"
                                                      << "9" << 0 << ""
                                                      << "" << 1;
        QTest::newRow("bounds rewritten past the settled digits, position 3 spinning")
            << "035000"
            << "084570" << 3 << "090000"
            << "095000" << 3;
        QTest::newRow("bounds rewritten to letters, the last position spinning")
            << "035000"
            << "084570" << 6 << "abc"
            << "abc" << 6;
    }
    void noAdmissibleDigitEndsTheDraw() {
        QFETCH(QString, lower);
        QFETCH(QString, upper);
        QFETCH(int, rewriteAt);
        QFETCH(QString, newLower);
        QFETCH(QString, newUpper);
        QFETCH(int, stopsAt);
        Form1& f = form1();
        handOver(lower, upper, QStringLiteral("2"));
        f.Command1_Click();
        for (int k = spinningPosition(); k != 0; k = spinningPosition()) {
            // Rewritten while the position shows a spinning digit, which must not stay.
            if (k == rewriteAt && !f.digitLabel(k)->caption().isEmpty()) {
                handOver(newLower, newUpper, QStringLiteral("2"));
                rewriteAt = 0;
            }
            tickPosition(k);
        }
        QVERIFY(idle());
        for (int k = 1; k < stopsAt; ++k) {
            QCOMPARE(f.digitLabel(k)->foreColor(), colours::Green);
            QCOMPARE(f.digitLabel(k)->caption().size(), 1);
        }
        for (int k = stopsAt; k <= 6; ++k)
            QVERIFY(f.digitLabel(k)->caption().isEmpty());
        // The next draw with sound bounds runs to the end.
        handOver(QStringLiteral("035000"), QStringLiteral("084570"), QStringLiteral("1"));
        f.Command1_Click();
        QCOMPARE(runToEnd(), 6);
    }

    // A source that never comes up with an admissible digit cannot hold a tick for ever.
    void faultySourceStopsTheDraw() {
        Form1& f = form1();
        auto script = engine::ScriptedRandom::ofDigits({9});
        engine::setRandomSource(script);
        f.Command1_Click();
        f.Timer1_Timer();
        QCOMPARE(script->draws(), digit_draw::MaxDrawsPerTick);
        QVERIFY(idle());
        // The last digit tried was rejected (9 lies above 084570): it is not left standing.
        QCOMPARE(f.Label1()->caption(), QString());
        QCOMPARE(reports.size(), 1);
        reports.clear();
    }

    // The digit that stays is drawn by its weights alone. Position 2 of 035000 to 084570
    // weighs 49571 tickets: five digits give a number, kept below 99142 and halved, so
    // 99142 is drawn again and 30000 stands for ticket 15000, the first that begins 05. A
    // source that only gives 99142 stops the draw with the weighted choice's own reason; the
    // spinning rule would have settled on its 4.
    void weightedSettleRetriesOrStops_data() {
        QTest::addColumn<QString>("digits");
        QTest::addColumn<QString>("settled");
        QTest::newRow("rejected once, then accepted") << "9914230000" << "5";
        QTest::newRow("always rejected") << "99142" << "";
    }
    void weightedSettleRetriesOrStops() {
        QFETCH(QString, digits);
        QFETCH(QString, settled);
        std::vector<int> values;
        for (QChar c : digits)
            values.push_back(c.digitValue());
        auto script = engine::ScriptedRandom::ofDigits(values);
        engine::setRandomSource(script);
        handOver(QStringLiteral("035000"), QStringLiteral("084570"), QStringLiteral("1"));
        Form1& f = form1();
        f.Command1_Click();
        f.Timer1_Timer(); // only 0 can stand first: taken without a draw
        f.Timer2_Timer();
        QCOMPARE(f.Label2()->caption(), settled);
        if (!settled.isEmpty()) {
            QCOMPARE(script->draws(), 10);
            QCOMPARE(spinningPosition(), 3);
            return;
        }
        QCOMPARE(script->draws(), digit_draw::MaxDrawsPerTick);
        QVERIFY(idle());
        QCOMPARE(reports.size(), 1);
        QVERIFY2(reports.first().contains(QLatin1String("weighted choice")),
                 qPrintable(reports.first()));
        reports.clear();
    }

    // The operator reads the report in Persian, right to left, under the program's caption,
    // with the path, Persian letters and all, on a line of its own; stderr keeps its
    // English line.
    void markerReportReadsPersianWithItsPath() {
        // A Persian folder name with a number in it, between Latin parts of the path.
        const QString folder = markerDir.filePath(QStringLiteral("قرعه کشی ۱۴۰۵/draws"));
        QVERIFY(QDir().mkpath(folder));
        digit_draw::setMarkerDirectory(folder);
        const QString path = QDir::toNativeSeparators(folder + QStringLiteral("/green.gif"));
        const QString start = QDir::toNativeSeparators(markerDir.path()).left(3);
        error_report::setSink({});
        bool seen = false;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            seen = true;
            // Closed whatever the checks find, so that a failure cannot hang the test.
            const auto close = qScopeGuard([box] { box->accept(); });
            QCOMPARE(box->windowTitle(), QStringLiteral("نرم افزار قرعه"));
            QCOMPARE(box->layoutDirection(), Qt::RightToLeft);
            // Nothing is lost: a warning, over the stage, before any digit spins.
            QCOMPARE(box->icon(), QMessageBox::Warning);
            QCOMPARE(box->parentWidget(), form1().window());
            QCOMPARE(spinningPosition(), 0);
            QCOMPARE(shownNumber(), QString());
            const char16_t first = box->text().front().unicode();
            QVERIFY2(first >= 0x0600 && first <= 0x06FF, qPrintable(box->text()));
            QVERIFY(box->informativeText().contains(path +
                                                    QStringLiteral(": the file does not exist")));
            // The path reads as the file system has it, not reordered by the Persian
            // around it: its start, the folder after the Persian one, the file, the reason.
            auto* detail = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"));
            QVERIFY(detail);
            const QStringList parts{start, QStringLiteral("draws") + QDir::separator(),
                                    QStringLiteral("green.gif"), QStringLiteral("the file")};
            QVERIFY2(readsInOrder(detail, parts), qPrintable(detail->text()));
        });
        form1().Command1_Click();
        error_report::setSink([this](const QString& m) { reports << m; });
        QVERIFY(seen);
        QCOMPARE(spinningPosition(), 1);
    }

    // A marker that cannot be read is reported once while the stage is shown: a file put
    // back is used at the next draw, one that goes missing again is reported again, and so
    // it is at the next showing. A stage closed while the report is open starts nothing.
    void markerReportedOncePerShowing() {
        Form1& f = form1();
        const QString path = markerDir.filePath(QStringLiteral("green.gif"));
        QStringList markers; // whether each draw showed its marker
        auto draw = [&] {
            f.Command1_Click();
            markers << (f.g1()->isVisibleTo(f.Frame1()) ? "marker" : "none");
            runToEnd();
        };
        QVERIFY(QFile::remove(path));
        draw();
        draw();
        writeMarker(TinyGif);
        draw();
        QVERIFY(QFile::remove(path));
        draw();
        f.Unload();
        handOver(QStringLiteral("035000"), QStringLiteral("084570"), QStringLiteral("5"));
        draw();
        QCOMPARE(markers, QStringList({"none", "none", "marker", "none", "none"}));
        QCOMPARE(reports.size(), 3);
        reports.clear();
        f.Unload();
        error_report::setSink([&](const QString&) { f.Unload(); });
        f.Command1_Click();
        QVERIFY(!f.IsLoaded());
    }

    void unloadableMarkerIsReportedAndTheDrawRuns_data() {
        QTest::addColumn<QString>("what");
        QTest::newRow("missing") << "missing";
        QTest::newRow("empty") << "empty";
        QTest::newRow("not a GIF") << "text";
        QTest::newRow("a folder") << "folder";
        QTest::newRow("far too large") << "huge";
    }
    void unloadableMarkerIsReportedAndTheDrawRuns() {
        QFETCH(QString, what);
        const QString path = markerDir.filePath(QStringLiteral("green.gif"));
        QFile::remove(path);
        if (what == "empty")
            writeMarker(QByteArray());
        else if (what == "text")
            writeMarker("GIF89a, or so it says");
        else if (what == "folder")
            QVERIFY(QDir().mkpath(path));
        else if (what == "huge") {
            // A whole marker with a gigabyte behind it, sparse on disk: not read into memory.
            writeMarker(TinyGif);
            QFile file(path);
            QVERIFY(file.resize(qint64(1) << 30));
        }
        Form1& f = form1();
        f.Command1_Click();
        QCOMPARE(reports.size(), 1);
        // The message names the file as the system writes paths (backslashes on Windows).
        QVERIFY2(reports.first().contains(QDir::toNativeSeparators(path)), qPrintable(reports.first()));
        if (what == "huge")
            QVERIFY2(reports.first().contains(QLatin1String("too large")), qPrintable(reports.first()));
        reports.clear();
        QCOMPARE(spinningPosition(), 1);
        QVERIFY(!f.Command1()->isEnabled());
        QVERIFY(!f.g1()->isVisibleTo(f.Frame1()));
        // A second press does nothing while the draw runs; the draw finishes on its own.
        QTest::mouseClick(f.Command1(), Qt::LeftButton);
        QCOMPARE(runToEnd(), 30);
        QVERIFY(idle());
        QVERIFY(reports.isEmpty());
        const QString number = shownNumber();
        QVERIFY(QStringLiteral("035000") <= number && number <= QStringLiteral("084570"));
    }

    // The operator's keys: the stage opens with the start button focused; Space, Enter or a
    // clicker's PageDown runs a whole draw through the real timers, and the button has the
    // focus again after. Space and Enter press the return button when it has the focus.
    void keysStartADraw_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Space") << int(Qt::Key_Space);
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("PageDown") << int(Qt::Key_PageDown);
    }
    void keysStartADraw() {
        QFETCH(int, key);
        Form1& f = form1();
        f.Show();
        QVERIFY(QTest::qWaitForWindowActive(f.window()));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.Command1()));
        QTest::keyClick(f.window()->windowHandle(), Qt::Key(key));
        QVERIFY(!f.Command1()->isEnabled());
        // During the draw neither Tab and then the key closes the stage nor starts over.
        f.Timer1_Timer();
        QTest::keyClick(f.window()->windowHandle(), Qt::Key_Tab);
        QTest::keyClick(f.window()->windowHandle(), Qt::Key(key));
        QVERIFY(f.IsShown());
        QCOMPARE(f.Label1()->caption().size(), 1);
        QTRY_VERIFY(idle());
        QCOMPARE(shownNumber().size(), 6);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.Command1()));
        QCOMPARE(f.loadedWindow()->accessibleName(),
                 QStringLiteral("عدد برنده: ") + digit_draw::persianDigits(shownNumber()));
        // Back, blank-screen and arrow keys move nothing; the key starts the next draw.
        for (Qt::Key stray : {Qt::Key_Left, Qt::Key_PageUp, Qt::Key_Escape, Qt::Key_B})
            QTest::keyClick(f.window()->windowHandle(), stray);
        QVERIFY(f.IsShown() && f.Command1()->isEnabled());
        QTest::keyClick(f.window()->windowHandle(), Qt::Key(key));
        QVERIFY(!f.Command1()->isEnabled());
        QTRY_VERIFY(idle());
        // Tab gives the focus to the return button, and the key presses it; a clicker's
        // forward key starts the next draw wherever the focus is.
        QTest::keyClick(f.window()->windowHandle(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.Command2()));
        QTest::keyClick(f.window()->windowHandle(), Qt::Key(key));
        QCOMPARE(f.IsLoaded() && !f.Command1()->isEnabled(), key == Qt::Key_PageDown);
    }
};

int main(int argc, char** argv) {
    Application app(argc, argv);
    TestDigitDraw test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_digit_draw.moc"
