// Faults an operator can run into in front of an audience, and what they see: a damaged
// marker animation, a screen smaller than the stage, letters pasted into a bound, and new
// bounds handed over while a draw runs. None may crash, hang or disturb the draw.
#include "app/colours.h"
#include "app/error_report.h"
#include "app/twips.h"
#include "engine/draw_engine.h"
#include "engine/random_source.h"
#include "test_main.h"
#include "windows/draw/form1.h"
#include "windows/range_entry/main_form.h"
#include "windows/range_entry/message_box.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QRandomGenerator>
#include <QScreen>
#include <QTemporaryDir>
#include <memory>

namespace {

QByteArray sourceFile(const QString& relative) {
    QFile file(qEnvironmentVariable("TIRVEX_TEST_SOURCE") + QLatin1Char('/') + relative);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString shownNumber() {
    QString n;
    for (int k = 1; k <= 6; ++k)
        n += form1().digitLabel(k)->caption();
    return n;
}

int spinningPosition() {
    for (int k = 1; k <= 6; ++k)
        if (form1().digitTimer(k)->Enabled())
            return k;
    return 0;
}

bool idle() { return spinningPosition() == 0 && form1().Command1()->isEnabled(); }

void tickPosition(int k) { form1().TimerTick(k); }

void runToEnd() {
    for (int guard = 0; spinningPosition() != 0 && guard < 1000; ++guard)
        tickPosition(spinningPosition());
}

// The stage as the range entry leaves it, but with speed code 0 so that its own timers
// tick at interval 0 once it is active.
void showFastStage(const QString& lower, const QString& upper) {
    Form1& f = form1();
    f.Label8()->setCaption(lower);
    f.Label9()->setCaption(upper);
    f.Label10()->setCaption(QStringLiteral("5"));
    f.Label11()->setCaption(QStringLiteral("0"));
    f.Show();
}

void paste(TextBox* box, const QString& text) {
    box->selectAll();
    QGuiApplication::clipboard()->setText(text);
    std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
    for (QAction* action : menu->actions())
        if (action->text().startsWith(QCoreApplication::translate("QLineEdit", "&Paste")))
            return action->trigger();
    QFAIL("the field's context menu has no paste entry");
}

} // namespace

class TestFaults : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> markerDir;
    QStringList reports;
    int messageCount = 0;

  private Q_SLOTS:
    void initTestCase() {
        Application::setEndAction([] {});
        QVERIFY(!sourceFile(QStringLiteral("resources/images/green.gif")).isEmpty());
    }

    void init() {
        reports.clear();
        messageCount = 0;
        error_report::setSink([this](const QString& m) { reports << m; });
        message_box::setSink([this](const QString&, const QString&) { ++messageCount; });
        markerDir = std::make_unique<QTemporaryDir>();
        engine::setMarkerDirectory(markerDir->path());
        QFile marker(markerDir->filePath(QStringLiteral("green.gif")));
        QVERIFY(marker.open(QIODevice::WriteOnly));
        marker.write(sourceFile(QStringLiteral("resources/images/green.gif")));
    }

    void cleanup() {
        form1().Unload();
        mainForm().Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        engine::setRandomSource(nullptr);
        engine::setMarkerDirectory(QString());
        error_report::setSink({});
        message_box::setSink({});
        twips::overrideScreenPixels(QSize());
    }

    // A marker file that cannot be shown is named in one report at the first start; the
    // draws run through their own timers to a number within the bounds, without the
    // marker. Once the file is put right, the next start shows the marker again.
    void damagedMarker_data() {
        QTest::addColumn<QString>("damage");
        QTest::newRow("missing") << "missing";
        QTest::newRow("empty") << "empty";
        QTest::newRow("header only") << "cut:13";
        QTest::newRow("cut inside the first frame") << "cut:800";
        QTest::newRow("cut after a few frames") << "cut:8000";
        QTest::newRow("cut inside a later frame") << "cut:12000";
        QTest::newRow("only the last byte missing") << "cut:-1";
        QTest::newRow("a PNG picture") << "png";
        QTest::newRow("text") << "text";
        QTest::newRow("a folder") << "folder";
    }
    void damagedMarker() {
        QFETCH(QString, damage);
        const QString path = markerDir->filePath(QStringLiteral("green.gif"));
        const QByteArray good = sourceFile(QStringLiteral("resources/images/green.gif"));
        QVERIFY(QFile::remove(path));
        auto write = [&](const QByteArray& bytes) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        };
        if (damage == QLatin1String("empty"))
            write(QByteArray());
        else if (damage.startsWith(QLatin1String("cut:"))) {
            const int at = damage.mid(4).toInt();
            write(good.left(at > 0 ? at : good.size() + at));
        } else if (damage == QLatin1String("png"))
            write(sourceFile(QStringLiteral("resources/images/icon-32.png")));
        else if (damage == QLatin1String("text"))
            write("GIF89a and then nothing of the kind");
        else if (damage == QLatin1String("folder"))
            QVERIFY(QDir().mkpath(path));

        Form1& f = form1();
        showFastStage(QStringLiteral("035000"), QStringLiteral("084570"));
        QTRY_COMPARE(f.Timer1()->Interval(), 0);
        for (int draw = 1; draw <= 2; ++draw) {
            QTest::mouseClick(f.Command1(), Qt::LeftButton);
            QCOMPARE(reports.size(), 1);
            QVERIFY2(reports.last().contains(QDir::toNativeSeparators(path)), qPrintable(reports.last()));
            QVERIFY(!f.g1()->isVisibleTo(f.Frame1()));
            QTRY_VERIFY(idle());
            const QString number = shownNumber();
            QVERIFY2(number.size() == 6 && QStringLiteral("035000") <= number &&
                         number <= QStringLiteral("084570"),
                     qPrintable(number));
            for (int k = 1; k <= 6; ++k)
                QCOMPARE(f.digitLabel(k)->foreColor(), colours::Green);
        }

        // Put right while the stage stays open: the next start has its marker again.
        QDir(path).removeRecursively();
        QFile::remove(path);
        write(good);
        QTest::mouseClick(f.Command1(), Qt::LeftButton);
        QCOMPARE(reports.size(), 1);
        QVERIFY(f.g1()->hasPicture());
        QVERIFY(f.g1()->isVisibleTo(f.Frame1()));
        QTRY_VERIFY(idle());
        QVERIFY(!f.g1()->isVisibleTo(f.Frame1()));
        reports.clear();
    }

    // On a screen of 800 x 600 pixels the stage keeps the layout it computes for any
    // screen: centred, the outer digits cut off equally at both edges, the return button
    // below the bottom edge. A draw runs as on any screen, and the system close command
    // still closes the stage.
    void smallScreen() {
        twips::overrideScreenPixels(QSize(800, 600));
        Form1& f = form1();
        showFastStage(QStringLiteral("000000"), QStringLiteral("999999"));
        QTRY_COMPARE(f.Timer1()->Interval(), 0);
        QCOMPARE(twips::left(f.Frame1()), -607.5f);
        QCOMPARE(twips::top(f.Frame1()), 1312.5f);
        QCOMPARE(twips::left(f.Command1()), 2752.5f);
        QCOMPARE(twips::left(f.Command2()), 2752.5f);
        QVERIFY(f.Command2()->geometry().top() >= 600);
        const QRect first = f.Label1()->geometry().translated(f.Frame1()->pos());
        const QRect last = f.Label6()->geometry().translated(f.Frame1()->pos());
        QVERIFY(first.left() < 0 && last.right() >= 800);
        const QRect frame = f.Frame1()->geometry();
        QVERIFY(std::abs(-frame.left() - (frame.right() + 1 - 800)) <= 1);

        QTest::mouseClick(f.Command1(), Qt::LeftButton);
        QTRY_VERIFY(idle());
        QCOMPARE(shownNumber().size(), 6);
        f.window()->close(); // Alt+F4: the return button is out of reach
        QVERIFY(!f.IsLoaded());
    }

    // The range entry hands over new bounds while the stage draws: a message and nothing
    // handed over when the bounds are wrong (reversed, letters pasted in); otherwise the
    // draw goes on under the new bounds, and ends early, cleanly, if they no longer fit
    // the digits already settled.
    void handOffDuringADraw_data() {
        QTest::addColumn<QString>("lower");
        QTest::addColumn<QString>("upper");
        QTest::addColumn<bool>("pasted");
        QTest::addColumn<int>("messages");
        QTest::addColumn<QString>("boundsAfter"); // the bounds the draw ends under
        QTest::addColumn<int>("settled");         // positions that end green
        QTest::newRow("new bounds around the settled digits")
            << "fit" << "fit" << false << 0 << "fit" << 6;
        QTest::newRow("new bounds past the settled digits")
            << "090000" << "095000" << false << 0 << "090000-095000" << 2;
        QTest::newRow("reversed") << "084570" << "035000" << false << 1 << "035000-084570" << 6;
        QTest::newRow("equal") << "050000" << "050000" << false << 0 << "035000-084570" << 6;
        QTest::newRow("letters pasted into the lower bound")
            << "03x" << "084570" << true << 1 << "035000-084570" << 6;
        QTest::newRow("letters pasted into the upper bound")
            << "035000" << "8457o" << true << 1 << "035000-084570" << 6;
        QTest::newRow("Persian and Arabic digits pasted in")
            << QString::fromUtf16(u"\u06F0\u06F0\u06F0\u06F0\u06F0\u06F0")
            << QString::fromUtf16(u"\u0669\u0669\u0669\u0669\u0669\u0669") << true << 0
            << "000000-999999" << 6;
        QTest::newRow("a blank pasted in front") << " 40000" << "084570" << true << 1
                                                 << "035000-084570" << 6;
    }
    void handOffDuringADraw() {
        QFETCH(QString, lower);
        QFETCH(QString, upper);
        QFETCH(bool, pasted);
        QFETCH(int, messages);
        QFETCH(QString, boundsAfter);
        QFETCH(int, settled);
        engine::setRandomSource(std::make_shared<engine::SystemRandom>(
            QRandomGenerator::global()->generate64(), [] { return std::uint64_t(1); }));
        MainForm& m = mainForm();
        Form1& f = form1();
        m.Show();
        QVERIFY(QTest::qWaitForWindowActive(m.window()));
        QTRY_COMPARE(m.Combo2()->currentIndex(), 0);
        m.Label2_Click(); // the defaults, 35000 and 84570
        QVERIFY(f.IsShown());
        f.Command1_Click();
        for (int i = 0; i < 10; ++i)
            tickPosition(spinningPosition());
        QCOMPARE(spinningPosition(), 3);
        const QString prefix = shownNumber();

        // The settled "0d" followed by 1000 to 8999 always fits them.
        if (lower == QLatin1String("fit")) {
            lower = prefix + QStringLiteral("1000");
            upper = prefix + QStringLiteral("8999");
            boundsAfter = lower + u'-' + upper;
        }
        if (pasted) {
            paste(m.Text1(), lower);
            paste(m.Text2(), upper);
        } else {
            m.Text1()->setText(lower);
            m.Text2()->setText(upper);
        }
        QCOMPARE(m.Text1()->text().size(), lower.size());
        m.Label2_Click();
        QCOMPARE(messageCount, messages);
        QCOMPARE(f.Label8()->caption() + u'-' + f.Label9()->caption(), boundsAfter);

        runToEnd();
        QVERIFY(idle());
        QVERIFY(!f.g1()->isVisibleTo(f.Frame1()));
        QCOMPARE(shownNumber().left(2), prefix);
        const QString number = shownNumber();
        for (int k = 1; k <= 6; ++k)
            QCOMPARE(f.digitLabel(k)->foreColor() == colours::Green, k <= settled);
        if (settled == 6) {
            QVERIFY2(boundsAfter.left(6) <= number && number <= boundsAfter.mid(7),
                     qPrintable(number + u' ' + boundsAfter));
        } else {
            QCOMPARE(number.size(), settled);
            // The start button is ready, and the next draw runs whole under the new bounds.
            f.Command1_Click();
            runToEnd();
            QVERIFY(idle());
            QVERIFY(boundsAfter.left(6) <= shownNumber() && shownNumber() <= boundsAfter.mid(7));
        }
        QVERIFY2(reports.isEmpty(), qPrintable(reports.join(u'\n')));
    }
};

TIRVEX_TEST_MAIN(TestFaults)
#include "test_faults.moc"
