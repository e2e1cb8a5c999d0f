#include "app/application.h"
#include "app/error_report.h"
#include "engine/random_source.h"
#include "engine/sitting.h"
#include "engine/sitting_record.h"
#include "test_main.h"
#include "windows/draw/digit_draw.h"
#include "windows/draw/form1.h"
#include "windows/range_entry/main_form.h"
#include "windows/winners/frm_winners.h"

#include <QCloseEvent>
#include <QDir>
#include <QTemporaryDir>
#include <set>

namespace {
// One whole draw on the stage, one tick per position; the number it finished on, or an
// empty text when it did not start.
QString drawOnce() {
    Form1& stage = form1();
    stage.Command1_Click();
    if (!stage.Timer1()->Enabled())
        return QString();
    for (int k = 1; k <= 6; ++k)
        stage.TimerTick(k);
    return stage.Label15()->caption();
}

void handOver(const QString& lower, const QString& upper) {
    Form1& stage = form1();
    stage.Label8()->setCaption(lower);
    stage.Label9()->setCaption(upper);
    stage.Label10()->setCaption(QStringLiteral("1"));
    stage.Label11()->setCaption(QStringLiteral("0"));
}
} // namespace

class TestWinners : public QObject {
    Q_OBJECT
    QStringList reports;
    QStringList questions;
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    QTemporaryDir dir;

  private Q_SLOTS:
    void initTestCase() {
        Application::setEndAction([] {});
    }

    void init() {
        reports.clear();
        questions.clear();
        error_report::setSink([this](const QString& m) { reports << m; });
        FrmWinners::setAnswerer([this](const QString& q) {
            questions << q;
            return answer;
        });
        engine::sitting().clear();
        engine::sitting().setEachTicketOnce(false);
        engine::setRandomSource(
            std::make_shared<engine::SystemRandom>(20261208, [] { return std::uint64_t(42); }));
        handOver(QStringLiteral("000001"), QStringLiteral("000020"));
    }

    void cleanup() {
        form1().Unload();
        frmWinners().Unload();
        mainForm().Unload();
        flushUnloads();
        engine::setRandomSource(nullptr);
        FrmWinners::setChooser({});
        error_report::setSink({});
    }

    // A row appears as the last digit settles, with the window closed or open; a draw left
    // unfinished is no row. The window lists them in order, an absent one marked as such.
    void rowsFollowTheStage() {
        const QString first = drawOnce();
        form1().Command1_Click();
        form1().TimerTick(1);
        form1().Unload();
        handOver(QStringLiteral("000001"), QStringLiteral("000020"));
        QCOMPARE(engine::sitting().draws().size(), std::size_t(1));
        QCOMPARE(engine::sitting().draws()[0].number, first);

        FrmWinners& w = frmWinners();
        w.Show();
        const QString second = drawOnce();
        QCOMPARE(w.Grid1()->rowCount(), 2);
        QCOMPARE(w.Grid1()->item(1, 1)->text(), second);
        QCOMPARE(w.Grid1()->item(1, 3)->text(), QStringLiteral("000001 تا 000020"));
        QVERIFY(!w.cmdAbsent()->isEnabled());
        w.Grid1()->setCurrentCell(0, 1);
        QTest::mouseClick(w.cmdAbsent(), Qt::LeftButton);
        QCOMPARE(engine::sitting().draws()[0].outcome, engine::Outcome::Absent);
        QCOMPARE(w.Grid1()->item(0, 4)->text(), QStringLiteral("غایب"));
        QVERIFY(w.Grid1()->item(0, 1)->font().strikeOut());
        QCOMPARE(w.cmdAbsent()->text(), QStringLiteral("حاضر"));
        QTest::mouseClick(w.cmdAbsent(), Qt::LeftButton);
        QCOMPARE(engine::sitting().draws()[0].outcome, engine::Outcome::Won);
    }

    // With each ticket winning once, 20 draws of 1 to 20 give the 20 tickets; the 21st
    // says so before anything spins and leaves the last number standing. Over many
    // sittings the first and the eleventh winners are every ticket equally often.
    void eachTicketWinsOnce() {
        frmWinners().Show();
        QTest::keyClick(frmWinners().Check1(), Qt::Key_Space);
        QVERIFY(engine::sitting().eachTicketOnce());
        constexpr int Sittings = 400, Tickets = 20;
        std::array<std::array<int, Tickets>, 2> counts{};
        for (int s = 0; s < Sittings; ++s) {
            engine::sitting().clear();
            std::set<QString> won;
            for (int i = 0; i < Tickets; ++i) {
                const QString number = drawOnce();
                QVERIFY2(won.insert(number).second, qPrintable(number + " won twice"));
                if (i == 0 || i == 10)
                    ++counts[i == 0 ? 0 : 1][std::size_t(number.toInt() - 1)];
            }
            QCOMPARE(int(won.size()), Tickets);
        }
        QVERIFY(engine::sitting().draws().back().eachTicketOnce);
        const QString last = form1().Label15()->caption();
        QCOMPARE(drawOnce(), QString());
        QCOMPARE(reports.size(), 1);
        reports.clear();
        QCOMPARE(form1().Label6()->caption(), last.right(1));
        QVERIFY(form1().Command1()->isEnabled());
        // Chi-squared with 19 degrees of freedom stays below 43.82 but once in a thousand.
        for (const auto& c : counts) {
            const double expected = double(Sittings) / Tickets;
            double chi2 = 0;
            for (int n : c)
                chi2 += (n - expected) * (n - expected) / expected;
            QVERIFY2(chi2 < 43.82, qPrintable(QString::number(chi2)));
        }
    }

    // Saved where the operator chose, the list is kept in that file; a place that cannot
    // be written says which and why, and the list stays whole. Closing the range entry
    // window asks only while some row is in no file, and cancel keeps it open.
    void nothingIsLostAtTheEnd() {
        drawOnce();
        drawOnce();
        FrmWinners& w = frmWinners();
        const QString folder = dir.filePath(QStringLiteral("برندگان ۱۴۰۵"));
        QVERIFY(QDir().mkpath(folder));
        FrmWinners::setChooser([&](const QString& suggested) {
            // A name with the day, in the documents folder.
            return suggested.endsWith(QDate::currentDate().toString(Qt::ISODate) + ".csv")
                       ? folder
                       : QString();
        });
        QTest::mouseClick(w.cmdSave(), Qt::LeftButton);
        QCOMPARE(reports.size(), 1);
        QVERIFY(reports.constFirst().contains(QDir::toNativeSeparators(folder)));
        reports.clear();
        QCOMPARE(engine::sitting().draws().size(), std::size_t(2));

        MainForm& main = mainForm();
        main.Show();
        for (auto [button, staysOpen] :
             {std::pair{QMessageBox::Cancel, true}, std::pair{QMessageBox::Discard, false}}) {
            answer = button;
            main.window()->close();
            flushUnloads();
            QCOMPARE(main.IsLoaded(), staysOpen);
        }
        QCOMPARE(questions.size(), 2);

        const QString path = QDir(folder).filePath(QStringLiteral("قرعه.csv"));
        FrmWinners::setChooser([&](const QString&) { return path; });
        QTest::mouseClick(w.cmdSave(), Qt::LeftButton);
        QVERIFY(QFile::exists(path));
        drawOnce();
        main.Show();
        main.window()->close();
        flushUnloads();
        QVERIFY(!main.IsLoaded());
        QCOMPARE(questions.size(), 2);
        QVERIFY(w.lblFile()->caption().contains(QDir::toNativeSeparators(path)));
    }
};

TIRVEX_TEST_MAIN(TestWinners)
#include "test_winners.moc"
