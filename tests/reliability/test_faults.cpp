// Faults an operator can run into in front of an audience, and what they see: a damaged
// marker animation, a screen smaller than the stage or changing under it, letters pasted
// into a bound, and new bounds handed over while a draw runs. None may crash, hang or
// disturb the draw.
#include "app/colours.h"
#include "app/error_report.h"
#include "app/screens.h"
#include "app/twips.h"
#include "windows/draw/digit_draw.h"
#include "engine/random_source.h"
#include "test_main.h"
#include "windows/draw/form1.h"
#include "windows/range_entry/main_form.h"
#include "windows/range_entry/message_box.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QMenu>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <cmath>
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

bool withinBounds(const QString& number, int lower, int upper) {
    bool whole = false;
    const int value = number.toInt(&whole);
    return number.size() == 6 && whole && value >= lower && value <= upper;
}

// What keeps the stage, on a screen of the given size, from showing all of itself; empty
// when every control lies on the screen, the six digit positions
// and the two buttons stand apart, each digit whole, all at one scale.
QString stageFault(QSize screen) {
    Form1& f = form1();
    const QWidget* window = f.window();
    auto at = [window](const QWidget* c) {
        return QRect(c->mapTo(window, QPoint(0, 0)), c->size());
    };
    auto text = [](const QRect& r) {
        return QStringLiteral("%1x%2 at %3,%4").arg(r.width()).arg(r.height()).arg(r.x()).arg(
            r.y());
    };
    const QRect onScreen(QPoint(0, 0), screen);
    QList<std::pair<QString, QRect>> apart;
    for (const QWidget* control : QList<QWidget*>{f.Command1(), f.Command2(), f.Label20()}) {
        if (!onScreen.contains(at(control)))
            return control->objectName() + QStringLiteral(" is off the screen: ") +
                   text(at(control));
        if (control != f.Label20())
            apart.append({control->objectName(), at(control)});
    }
    for (int k = 1; k <= 6; ++k) {
        const Label* digit = f.digitLabel(k);
        // Each digit's glyph fits its position at the size it is drawn.
        const int glyph = QFontMetrics(digit->font()).horizontalAdvance(QStringLiteral("8"));
        if (!onScreen.contains(at(digit)) || glyph > digit->width())
            return digit->objectName() + QStringLiteral(" is not whole: ") + text(at(digit));
        const QRect d = at(digit); // the banner and start button above it, the return one below
        if (at(f.Label20()).bottom() >= d.top() || at(f.Command1()).bottom() >= d.top() ||
            at(f.Command2()).top() <= d.bottom())
            return digit->objectName() + QStringLiteral(" is not between the buttons");
        apart.append({digit->objectName(), at(digit)});
    }
    for (qsizetype i = 0; i < apart.size(); ++i)
        for (qsizetype j = i + 1; j < apart.size(); ++j)
            if (apart[i].second.intersects(apart[j].second))
                return apart[i].first + QStringLiteral(" covers ") + apart[j].first;
    // One scale: the digit frame and a button keep the design's ratio of widths, and the
    // digits' face shrinks with them.
    const double scale = f.Frame1()->width() / (13215.0 / twips::PerPixel);
    const double buttonScale = f.Command1()->width() / (6495.0 / twips::PerPixel);
    const double faceScale = f.Label1()->font().pixelSize() / 200.0;
    if (std::abs(scale - buttonScale) > 0.01 || std::abs(scale - faceScale) > 0.01)
        return QStringLiteral("scales %1, %2, %3").arg(scale).arg(buttonScale).arg(faceScale);
    return QString();
}

// A GIF of a canvas and frames of any size ("WxH:WxH:N" frames) holding no pixels.
QByteArray packedGif(const QString& shape) {
    const QStringList part = shape.split(u':');
    auto size = [](const QString& wxh) {
        const int w = wxh.section(u'x', 0, 0).toInt(), h = wxh.section(u'x', 1, 1).toInt();
        const char bytes[] = {char(w), char(w >> 8), char(h), char(h >> 8)};
        return QByteArray(bytes, 4);
    };
    // Each frame: a delay of 100 ms, its place and size, then the LZW codes clear and end.
    const QByteArray frame = QByteArray("\x21\xF9\x04\x00\x0A\x00\x00\x00\x2C\0\0\0\0", 13) +
                             size(part[1]) + QByteArray("\x00\x02\x01\x2C\x00", 5);
    return "GIF89a" + size(part[0]) + QByteArray("\x80\x00\x00\x00\x00\x00\xFF\xFF\x00", 9) +
           frame.repeated(part[2].toInt()) + '\x3B';
}

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
        digit_draw::setMarkerDirectory(markerDir->path());
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
        digit_draw::setMarkerDirectory(QString());
        error_report::setSink({});
        message_box::setSink({});
        screens::overrideSize(QSize());
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
        // A few hundred bytes that would decode to hundreds of megabytes.
        QTest::newRow("4000x4000 frames") << "packed:4000x4000:4000x4000:4";
        QTest::newRow("small frames on a 5000x5000 canvas") << "packed:5000x5000:141x41:2";
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
        else if (damage.startsWith(QLatin1String("packed:")))
            write(packedGif(damage.mid(7)));

        Form1& f = form1();
        showFastStage(QStringLiteral("035000"), QStringLiteral("084570"));
        QTRY_COMPARE(f.Timer1()->Interval(), 0);
        for (int draw = 1; draw <= 2; ++draw) {
            QTest::mouseClick(f.Command1(), Qt::LeftButton);
            QCOMPARE(reports.size(), 1);
            QVERIFY2(reports.last().contains(QDir::toNativeSeparators(path)), qPrintable(reports.last()));
            QVERIFY(!damage.startsWith(u"packed:") || reports.last().contains(u"too large"));
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

    // The bound counts the canvas as it is, whichever side is long, and a kilobyte for each
    // frame: 64 MB holds 1008 frames of a 4096 x 4 canvas but not 1009, and exactly 32768
    // frames of 16 x 16.
    void markerBoundCountsCanvasAndFrames_data() {
        QTest::addColumn<QString>("shape");
        QTest::addColumn<bool>("fits");
        QTest::newRow("wide and short") << "4096x4:1x1:1008" << true;
        QTest::newRow("wide and short, a frame more") << "4096x4:1x1:1009" << false;
        QTest::newRow("tall and narrow") << "4x4096:1x1:1008" << true;
        QTest::newRow("tall and narrow, a frame more") << "4x4096:1x1:1009" << false;
        QTest::newRow("many tiny frames") << "16x16:16x16:32768" << true;
        QTest::newRow("many tiny frames, one more") << "16x16:16x16:32769" << false;
    }
    void markerBoundCountsCanvasAndFrames() {
        QFETCH(QString, shape);
        QFETCH(bool, fits);
        const double size = AniGifDisplay::decodedSize(packedGif(shape));
        QVERIFY2((size <= AniGifDisplay::DecodedLimit) == fits,
                 qPrintable(QString::number(size, 'f', 0)));
    }

    // On a screen smaller (a scaled laptop screen, an old projector: shrunk evenly) or
    // taller than the stage's design, the whole stage shows: every control on the screen, the six
    // digits whole and apart, the buttons clear of them. A draw runs to a number within its
    // bounds, and the return button, within reach, closes the stage.
    void smallScreenShowsTheWholeStage_data() {
        QTest::addColumn<QSize>("screen");
        QTest::newRow("1920x1080 at 150 %") << QSize(1280, 720);
        QTest::newRow("1366x768 at 125 %") << QSize(1093, 614);
        QTest::newRow("800x600 projector") << QSize(800, 600);
        QTest::newRow("wide and low") << QSize(1920, 500);
        QTest::newRow("1024x600 netbook") << QSize(1024, 600);
        QTest::newRow("1024x768") << QSize(1024, 768);
        QTest::newRow("1920x1080") << QSize(1920, 1080);
        QTest::newRow("1151 high: the digits touch the return button") << QSize(1920, 1151);
        QTest::newRow("1920x1200") << QSize(1920, 1200);
        QTest::newRow("2560x1440, or 3840x2160 at 150 %") << QSize(2560, 1440);
        QTest::newRow("1080x1920 portrait") << QSize(1080, 1920);
    }
    void smallScreenShowsTheWholeStage() {
        QFETCH(QSize, screen);
        screens::overrideSize(screen);
        Form1& f = form1();
        showFastStage(QStringLiteral("035000"), QStringLiteral("084570"));
        QTRY_COMPARE(f.Timer1()->Interval(), 0);
        QCOMPARE(stageFault(screen), QString());
        QTest::mouseClick(f.Command1(), Qt::LeftButton);
        QTRY_VERIFY(idle());
        QVERIFY(withinBounds(shownNumber(), 35000, 84570));
        QTest::mouseClick(f.Command2(), Qt::LeftButton);
        QVERIFY(!f.IsLoaded());
    }

    // The projector switches to other modes, and back, in the middle of a draw: the
    // stage is laid out for each size as it comes, and the draw goes on, with no digit lost.
    void screenChangesSizeMidDraw() {
        screens::overrideSize(QSize(1280, 1024));
        Form1& f = form1();
        showFastStage(QStringLiteral("035000"), QStringLiteral("084570"));
        QTRY_COMPARE(f.Timer1()->Interval(), 0);
        // Ticked here, one by one: no event is processed until the draw has ended.
        f.Command1_Click();
        for (int tick = 0; tick < 12; ++tick)
            tickPosition(spinningPosition());
        const int spinning = spinningPosition();
        const QString drawn = shownNumber();
        QVERIFY(spinning >= 2);
        for (const QSize size : {QSize(800, 600), QSize(2560, 1440), QSize(1280, 1024)}) {
            screens::overrideSize(size);
            Form::followScreens();
            QCOMPARE(stageFault(size), QString());
            QCOMPARE(spinningPosition(), spinning);
            QCOMPARE(shownNumber(), drawn);
        }
        runToEnd();
        QVERIFY(idle());
        QVERIFY(withinBounds(shownNumber(), 35000, 84570));
        QVERIFY(shownNumber().startsWith(drawn.left(spinning - 1)));
    }

    // A report open over the stage goes with it when its screen changes, centred on it: left
    // where it stood, it could be out of reach while it holds every window of the program.
    void reportGoesWithTheStage() {
        screens::overrideSize(QSize(1280, 1024));
        QVERIFY(QFile::remove(markerDir->filePath(QStringLiteral("green.gif"))));
        showFastStage(QStringLiteral("035000"), QStringLiteral("084570"));
        error_report::setSink({});
        QPoint centre;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            screens::overrideSize(QSize(800, 600));
            Form::followScreens();
            centre = box->frameGeometry().center();
            box->accept();
        });
        form1().Command1_Click();
        QCOMPARE(centre, QRect(0, 0, 800, 600).center());
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
