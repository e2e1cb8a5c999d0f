#include "engine/sitting.h"
#include "engine/sitting_record.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {
engine::DrawnTicket drawn(const QString& number, int second = 42, bool once = false) {
    return {.number = number,
            .when = QDateTime(QDate(2026, 12, 8), QTime(19, 5, second), Qt::OffsetFromUTC, 12600),
            .lower = QStringLiteral("000001"),
            .upper = QStringLiteral("000237"),
            .eachTicketOnce = once};
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

class TestSittingRecord : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    // What a spreadsheet reads: the byte-order mark, the header, one CR LF line per draw,
    // the time with its offset, and a field quoted only where RFC 4180 asks.
    void csvIsWhatASpreadsheetReads() {
        engine::DrawnTicket odd = drawn(QStringLiteral("000007"), 3, true);
        odd.lower = QStringLiteral("1,2");
        odd.upper = QStringLiteral("say \"9\"");
        odd.outcome = engine::Outcome::Absent;
        const QByteArray csv = sitting_record::csv({drawn(QStringLiteral("000237")), odd});
        const QString expected = QStringLiteral(
            "ردیف,عدد,تاریخ و زمان,از,تا,وضعیت,هر بلیت فقط یک بار\r\n"
            "1,000237,2026-12-08T19:05:42+03:30,000001,000237,برنده,خیر\r\n"
            "2,000007,2026-12-08T19:05:03+03:30,\"1,2\",\"say \"\"9\"\"\",غایب,بله\r\n");
        QCOMPARE(csv, "\xEF\xBB\xBF" + expected.toUtf8());
    }

    // Each ticket once leaves out every number drawn, absent ones too; off, none.
    void leftOutAreTheNumbersDrawn() {
        engine::Sitting sitting;
        sitting.add(drawn(QStringLiteral("000200")));
        sitting.add(drawn(QStringLiteral("000009")));
        sitting.add(drawn(QStringLiteral("000200")));
        sitting.setOutcome(1, engine::Outcome::Absent);
        QCOMPARE(sitting.leftOut(), engine::TicketList{});
        sitting.setEachTicketOnce(true);
        QCOMPARE(sitting.leftOut(), (engine::TicketList{9, 200}));
        QVERIFY(!sitting.setOutcome(3, engine::Outcome::Absent));
    }

    // Once chosen, the file holds the whole list after every change; a file that cannot be
    // written leaves the list and the file kept before as they were, and says why.
    void theFileFollowsTheSitting() {
        QTemporaryDir dir;
        engine::Sitting sitting;
        sitting_record::CsvFile file(sitting);
        QSignalSpy failures(&file, &sitting_record::CsvFile::writeFailed);
        QVERIFY(file.holdsEverything());
        sitting.add(drawn(QStringLiteral("000237")));
        QVERIFY(!file.holdsEverything());

        // A folder where the file should be: nothing is written, nothing is kept.
        const QString folder = dir.filePath(QStringLiteral("قرعه ۱۴۰۵"));
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(!file.saveAs(folder).isEmpty());
        QVERIFY(file.path().isEmpty());
        QCOMPARE(sitting.draws().size(), std::size_t(1));

        const QString path = QDir(folder).filePath(QStringLiteral("قرعه-2026-12-08.csv"));
        QCOMPARE(file.saveAs(path), QString());
        QVERIFY(file.holdsEverything());
        sitting.add(drawn(QStringLiteral("000009")));
        sitting.setOutcome(0, engine::Outcome::Absent);
        QCOMPARE(fileBytes(path), sitting_record::csv(sitting.draws()));
        QVERIFY(file.holdsEverything());

        // The kept file goes: the next change cannot be written, and is not in a file.
        const QByteArray before = fileBytes(path);
        QVERIFY(QFile::remove(path) && QDir().mkpath(path));
        sitting.add(drawn(QStringLiteral("000100")));
        sitting.add(drawn(QStringLiteral("000101")));
        QCOMPARE(failures.size(), 1);
        QVERIFY(!file.holdsEverything());
        QVERIFY(!file.saveAs(path).isEmpty());
        QCOMPARE(file.path(), path);
        QVERIFY(QDir(path).removeRecursively());

        // Emptied, the list needs no file; the old one is left as it was and the next save
        // asks anew.
        QCOMPARE(file.saveAs(path), QString());
        const QByteArray saved = fileBytes(path);
        sitting.clear();
        QVERIFY(file.holdsEverything());
        QVERIFY(file.path().isEmpty());
        sitting.add(drawn(QStringLiteral("000001")));
        QVERIFY(!file.holdsEverything());
        QCOMPARE(fileBytes(path), saved);
        QVERIFY(saved != before);
    }
};

QTEST_GUILESS_MAIN(TestSittingRecord)
#include "test_sitting_record.moc"
