#include "app/application.h"
#include "engine/admissible_digits.h"
#include "engine/ticket_counts.h"

#include <QTest>
#include <functional>
#include <numeric>

using Digits = std::vector<int>;
Q_DECLARE_METATYPE(Digits)
Q_DECLARE_METATYPE(engine::TicketList)

namespace {
// The numbers the draw can finish on from position k, walked digit by digit with the
// admissibility rule alone: what the tickets behind a digit must come to.
std::uint64_t walkCount(const QString& lower, const QString& upper, const QString& prefix) {
    if (prefix.size() == 6)
        return 1;
    std::uint64_t n = 0;
    for (int d : engine::admissibleDigits(int(prefix.size()) + 1, lower, upper, prefix))
        n += walkCount(lower, upper, prefix + QString::number(d));
    return n;
}

Digits range(int from, int to) {
    Digits d;
    for (int i = from; i <= to; ++i)
        d.push_back(i);
    return d;
}
} // namespace

class TestAdmissibleDigits : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void digitsForPosition_data() {
        QTest::addColumn<QString>("lower");
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<Digits>("expected");
        const QString lo = QStringLiteral("035000"), hi = QStringLiteral("084570");
        QTest::newRow("default range, first digit") << lo << hi << "" << Digits{0};
        QTest::newRow("default range, second digit") << lo << hi << "0" << range(3, 8);
        QTest::newRow("after 03 only the lower bound binds") << lo << hi << "03" << range(5, 9);
        QTest::newRow("after 08 only the upper bound binds") << lo << hi << "08" << range(0, 4);
        QTest::newRow("after 05 nothing binds") << lo << hi << "05" << range(0, 9);
        QTest::newRow("after 035 the lower bound allows 0") << lo << hi << "035" << range(0, 9);
        QTest::newRow("after 0845 the upper bound binds") << lo << hi << "0845" << range(0, 7);
        QTest::newRow("after 08457 the last digit is 0") << lo << hi << "08457" << Digits{0};
        QTest::newRow("after 03500 the last digit is free") << lo << hi << "03500" << range(0, 9);
        QTest::newRow("full range, first") << "000000"
                                           << "999999"
                                           << "" << range(0, 9);
        QTest::newRow("full range, last") << "000000"
                                          << "999999"
                                          << "99999" << range(0, 9);
        // Bounds sharing five digits, the lower ending in 0 and the upper in 9.
        QTest::newRow("shared five, first") << "123450"
                                            << "123459"
                                            << "" << Digits{1};
        QTest::newRow("shared five, fourth") << "123450"
                                             << "123459"
                                             << "123" << Digits{4};
        QTest::newRow("shared five, sixth") << "123450"
                                            << "123459"
                                            << "12345" << range(0, 9);
        QTest::newRow("equal bounds, first") << "527341"
                                             << "527341"
                                             << "" << Digits{5};
        QTest::newRow("equal bounds, fifth") << "527341"
                                             << "527341"
                                             << "5273" << Digits{4};
        QTest::newRow("equal bounds, sixth") << "527341"
                                             << "527341"
                                             << "52734" << Digits{1};
        QTest::newRow("both bounds bind at once") << "123400"
                                                  << "123499"
                                                  << "1234" << range(0, 9);
        QTest::newRow("both bounds bind, narrow") << "120300"
                                                  << "120700"
                                                  << "120" << range(3, 7);
        // Numbers, not texts: "9" is below "10" although it sorts after it.
        QTest::newRow("numeric comparison") << "09"
                                            << "10"
                                            << "0" << Digits{9};
        // A text shorter than the position is taken whole.
        QTest::newRow("short bounds taken whole") << "5"
                                                  << "9"
                                                  << "" << range(5, 9);
        QTest::newRow("short bounds leave none") << "5"
                                                 << "9"
                                                 << "7" << Digits{};
        QTest::newRow("lower above upper") << "900000"
                                           << "100000"
                                           << "" << Digits{};
        QTest::newRow("prefix outside rewritten bounds") << "050000"
                                                         << "060000"
                                                         << "03" << Digits{};
        // A letter ends the number early: "03x" reads as 3.
        QTest::newRow("letter in lower bound") << "03x000"
                                               << "084570"
                                               << "03" << range(0, 9);
        QTest::newRow("letters only") << "abcdef"
                                      << "ghijkl"
                                      << "" << Digits{0};
    }
    void digitsForPosition() {
        QFETCH(QString, lower);
        QFETCH(QString, upper);
        QFETCH(QString, prefix);
        QFETCH(Digits, expected);
        const int k = int(prefix.size()) + 1;
        QCOMPARE(engine::admissibleDigits(k, lower, upper, prefix), expected);
        for (int d = 0; d <= 9; ++d) {
            const bool listed = std::find(expected.begin(), expected.end(), d) != expected.end();
            QCOMPARE(engine::isAdmissible(k, lower, upper, prefix, d), listed);
        }
    }

    // The tickets behind each digit are the numbers the draw can still finish on, bound
    // texts read as the draw reads them, odd ones too.
    void ticketsBehindAreTheFinishesLeft_data() {
        QTest::addColumn<QString>("lower");
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QString>("prefix");
        QTest::newRow("after 03 of the defaults") << "035000" << "084570" << "03";
        QTest::newRow("after 0845 of the defaults") << "035000" << "084570" << "0845";
        QTest::newRow("short bounds, admissible first digits with no finish") << "5" << "9" << "";
        QTest::newRow("a letter in the lower bound") << "03x000" << "084570" << "03";
        QTest::newRow("lower above upper from the fifth digit") << "123456" << "123400" << "12";
        QTest::newRow("prefix outside rewritten bounds") << "050000" << "060000" << "03";
        QTest::newRow("letters only") << "abcdef" << "ghijkl" << "";
        QTest::newRow("a negative lower bound") << "-5" << "000012" << "0000";
    }
    void ticketsBehindAreTheFinishesLeft() {
        QFETCH(QString, lower);
        QFETCH(QString, upper);
        QFETCH(QString, prefix);
        const int k = int(prefix.size()) + 1;
        const engine::DigitWeights weights = engine::ticketWeights(k, lower, upper, prefix);
        for (int d = 0; d <= 9; ++d) {
            const QString next = prefix + QString::number(d);
            const std::uint64_t expected =
                engine::isAdmissible(k, lower, upper, prefix, d) ? walkCount(lower, upper, next) : 0;
            QCOMPARE(weights[std::size_t(d)], expected);
            QCOMPARE(engine::ticketsBehind(k, lower, upper, prefix, d), expected);
        }
    }

    // The exact chance of every ticket: at each position the settling digit's share of
    // the whole numbers below the total weight, multiplied down the six positions as a
    // fraction. Every ticket between the bounds comes out at 1/N, and nothing else is
    // ever drawn. With m of them left out (they have won), each of the others comes out at
    // 1/(N - m) and those left out at nothing, whoever they are.
    void everyTicketHasTheSameChance_data() {
        QTest::addColumn<QString>("lower");
        QTest::addColumn<QString>("upper");
        QTest::addColumn<engine::TicketList>("leftOut");
        const engine::TicketList none;
        QTest::newRow("the whole range") << "000000" << "999999" << none;
        QTest::newRow("a raffle of 237 tickets") << "000001" << "000237" << none;
        QTest::newRow("51 tickets from 100") << "000100" << "000150" << none;
        QTest::newRow("the default bounds") << "035000" << "084570" << none;
        QTest::newRow("bounds sharing five digits") << "123453" << "123458" << none;
        QTest::newRow("equal bounds") << "527341" << "527341" << none;
        QTest::newRow("the first ten") << "000000" << "000009" << none;
        QTest::newRow("the last ten") << "999990" << "999999" << none;
        QTest::newRow("across a carry") << "099998" << "100003" << none;
        QTest::newRow("237 tickets, five won")
            << "000001" << "000237" << engine::TicketList{1, 9, 10, 200, 237};
        QTest::newRow("237 tickets, a whole ten and its neighbours won")
            << "000001" << "000237" << engine::TicketList{99, 100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110};
        QTest::newRow("won outside new bounds, and inside")
            << "000100" << "000150" << engine::TicketList{3, 99, 100, 150, 151, 999999};
        QTest::newRow("default bounds, won across the range")
            << "035000" << "084570" << engine::TicketList{35000, 49999, 50000, 84570};
        engine::TicketList allButOne;
        for (std::int64_t t = 99998; t <= 100003; ++t)
            if (t != 100001)
                allButOne.push_back(t);
        QTest::newRow("all but one won, across a carry") << "099998" << "100003" << allButOne;
        QTest::newRow("all won") << "000001" << "000005" << engine::TicketList{1, 2, 3, 4, 5};
    }
    void everyTicketHasTheSameChance() {
        QFETCH(QString, lower);
        QFETCH(QString, upper);
        QFETCH(engine::TicketList, leftOut);
        std::uint64_t n = std::uint64_t(upper.toInt() - lower.toInt() + 1);
        for (std::int64_t t : leftOut)
            n -= (t >= lower.toInt() && t <= upper.toInt()) ? 1 : 0;
        QCOMPARE(engine::ticketsLeft(lower, upper, leftOut), n);
        std::uint64_t drawn = 0;
        QStringList unfair;
        // The chance of the settled prefix is numerator / denominator, in lowest terms.
        std::function<void(const QString&, std::uint64_t, std::uint64_t)> walk =
            [&](const QString& prefix, std::uint64_t numerator, std::uint64_t denominator) {
                const engine::DigitWeights weights =
                    engine::ticketWeights(int(prefix.size()) + 1, lower, upper, prefix, leftOut);
                const std::uint64_t total = engine::totalOf(weights);
                std::array<std::uint64_t, 10> share{};
                for (std::uint64_t t = 0; t < total; ++t)
                    ++share[std::size_t(engine::weightedDigit(weights, t))];
                for (int d = 0; d <= 9; ++d) {
                    if (share[std::size_t(d)] == 0)
                        continue;
                    std::uint64_t num = numerator * share[std::size_t(d)], den = denominator * total;
                    const std::uint64_t common = std::gcd(num, den);
                    num /= common;
                    den /= common;
                    const QString next = prefix + QString::number(d);
                    if (next.size() < 6) {
                        walk(next, num, den);
                        continue;
                    }
                    ++drawn;
                    if (num != 1 || den != n || next < lower || next > upper ||
                        std::binary_search(leftOut.begin(), leftOut.end(), next.toLongLong()))
                        unfair << QStringLiteral("%1: %2/%3").arg(next).arg(num).arg(den);
                }
            };
        walk(QString(), 1, 1);
        QVERIFY2(unfair.isEmpty(), qPrintable(unfair.mid(0, 5).join(QStringLiteral(", ")) +
                                              QStringLiteral(" of %1 tickets").arg(n)));
        // N tickets of 1/N each: the chances sum to 1.
        QCOMPARE(drawn, n);
    }

    // Every six-digit bound pair, walked down every admissible path from a few starting
    // prefixes: the rule never leaves a position empty and never lets a number out.
    void everyPathStaysWithinBounds() {
        const QList<QPair<QString, QString>> pairs = {{"035000", "084570"},
                                                      {"000000", "000001"},
                                                      {"099999", "100000"},
                                                      {"123456", "123456"},
                                                      {"498765", "501234"}};
        for (const auto& [lower, upper] : pairs) {
            int numbers = 0;
            std::function<void(const QString&)> walk = [&](const QString& prefix) {
                const auto digits =
                    engine::admissibleDigits(int(prefix.size()) + 1, lower, upper, prefix);
                QVERIFY2(!digits.empty(), qPrintable(lower + " " + upper + " " + prefix));
                for (int d : digits) {
                    const QString next = prefix + QString::number(d);
                    if (next.size() == 6) {
                        QVERIFY(lower.toInt() <= next.toInt() && next.toInt() <= upper.toInt());
                        ++numbers;
                    } else {
                        walk(next);
                    }
                }
            };
            walk(QString());
            // Every number of the range is reachable, so each path is one number.
            QCOMPARE(numbers, upper.toInt() - lower.toInt() + 1);
        }
    }
};

int main(int argc, char** argv) {
    Application app(argc, argv);
    TestAdmissibleDigits test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_admissible_digits.moc"
