#include "app/application.h"
#include "engine/admissible_digits.h"

#include <QTest>
#include <functional>

using Digits = std::vector<int>;
Q_DECLARE_METATYPE(Digits)

namespace {
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
