#include "app/colours.h"
#include "app/error_report.h"
#include "app/fonts.h"
#include "app/screens.h"
#include "app/twips.h"
#include "test_main.h"
#include "windows/draw/form1.h"

#include <QGuiApplication>
#include <QScreen>
#include <climits>

namespace {
void handOver(const QString& speedCode) {
    Form1& f = form1();
    f.Label8()->setCaption(QStringLiteral("035000"));
    f.Label9()->setCaption(QStringLiteral("084570"));
    f.Label10()->setCaption(QStringLiteral("5"));
    f.Label14()->setCaption(QStringLiteral("متوسط"));
    f.Label11()->setCaption(speedCode);
}
} // namespace

class TestForm1 : public QObject {
    Q_OBJECT
    int ends = 0;

  private Q_SLOTS:
    void init() {
        ends = 0;
        Application::setEndAction([this] { ++ends; });
        error_report::setSink([](const QString& m) { QFAIL(qPrintable(m)); });
        screens::overrideSize(QSize(1024, 768));
    }
    void cleanup() {
        form1().Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        screens::overrideSize(QSize());
    }

    void designReadsBackInTwips_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<double>("points");
        QTest::newRow("Command2") << "Command2" << 4320.0 << 10560.0 << 6495.0 << 555.0 << 14.25;
        QTest::newRow("Frame1") << "Frame1" << 1560.0 << 3240.0 << 13215.0 << 6375.0 << 8.25;
        QTest::newRow("Label1") << "Label1" << 60.0 << 840.0 << 1995.0 << 4275.0 << 150.0;
        QTest::newRow("Label2") << "Label2" << 2265.0 << 840.0 << 1995.0 << 4275.0 << 150.0;
        QTest::newRow("Label3") << "Label3" << 4455.0 << 840.0 << 1995.0 << 4275.0 << 150.0;
        QTest::newRow("Label4") << "Label4" << 6645.0 << 840.0 << 1995.0 << 4275.0 << 150.0;
        QTest::newRow("Label5") << "Label5" << 8880.0 << 840.0 << 1995.0 << 4275.0 << 150.0;
        QTest::newRow("Label6") << "Label6" << 11100.0 << 840.0 << 1995.0 << 4275.0 << 150.0;
        QTest::newRow("Command1") << "Command1" << 4200.0 << 900.0 << 6495.0 << 555.0 << 14.25;
        QTest::newRow("Label14") << "Label14" << 10920.0 << 480.0 << 1335.0 << 735.0 << 20.25;
        QTest::newRow("Label15") << "Label15" << 2520.0 << 1440.0 << 1395.0 << 435.0 << 9.75;
        QTest::newRow("Label13") << "Label13" << 11520.0 << 1380.0 << 1995.0 << 435.0 << 9.75;
        QTest::newRow("Label12") << "Label12" << 12180.0 << 480.0 << 1335.0 << 615.0 << 20.25;
        QTest::newRow("Label11") << "Label11" << 7800.0 << 1740.0 << 1335.0 << 435.0 << 9.75;
        QTest::newRow("Label10") << "Label10" << 10140.0 << 1380.0 << 1335.0 << 435.0 << 9.75;
        QTest::newRow("Label9") << "Label9" << 1815.0 << 240.0 << 1335.0 << 915.0 << 20.25;
        QTest::newRow("Label8") << "Label8" << 480.0 << 240.0 << 1335.0 << 855.0 << 20.25;
        QTest::newRow("Label7") << "Label7" << 3150.0 << 240.0 << 1335.0 << 855.0 << 20.25;
        QTest::newRow("Label20") << "Label20" << 4200.0 << 0.0 << 6495.0 << 915.0 << 24.0;
    }
    void designReadsBackInTwips() {
        QFETCH(QString, name);
        QFETCH(double, left);
        QFETCH(double, top);
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(double, points);
        QWidget* w = form1().control<QWidget>(name);
        QCOMPARE(twips::left(w), float(left));
        QCOMPARE(twips::top(w), float(top));
        QCOMPARE(twips::width(w), float(width));
        QCOMPARE(twips::height(w), float(height));
        QCOMPARE(fonts::pointSize(w->font()), points);
        // The widget stands at the nearest pixel.
        QCOMPARE(w->x(), twips::toPixels(left));
        QCOMPARE(w->y(), twips::toPixels(top));
    }

    void designCaptionsAndColours() {
        Form1& f = form1();
        QCOMPARE(f.Command1()->caption(), QStringLiteral("شروع قرعه کشي"));
        QCOMPARE(f.Command2()->caption(), QStringLiteral("بازگشت"));
        QCOMPARE(f.Label20()->caption(), QStringLiteral("بسم الله الرحمن الرحيم"));
        QCOMPARE(f.Label7()->caption(), QStringLiteral("محدوده  اعداد"));
        QCOMPARE(f.Label12()->caption(), QStringLiteral("سرعت :"));
        QCOMPARE(f.Label13()->caption(), QStringLiteral("تعداد دفعات انتخاب ارقام"));
        QCOMPARE(f.loadedWindow()->windowTitle(), QStringLiteral("نرم افزار قرعه"));
        for (int k = 1; k <= 6; ++k) {
            QVERIFY(f.digitLabel(k)->caption().isEmpty());
            QCOMPARE(f.digitLabel(k)->foreColor(), colours::Yellow);
            QCOMPARE(f.digitLabel(k)->parentWidget(), static_cast<QWidget*>(f.Frame1()));
        }
        QCOMPARE(bgrFromColour(f.Command1()->palette().color(QPalette::Button)), colours::Green);
        QCOMPARE(bgrFromColour(f.Frame1()->palette().color(QPalette::Window)), colours::Black);
        QCOMPARE(f.g1()->parentWidget(), static_cast<QWidget*>(f.Frame1()));
        QCOMPARE(twips::top(f.g1()), 660.f);
        QVERIFY(!f.g1()->hasPicture());
    }

    void timersStartDisabledAt200() {
        for (int k = 1; k <= 6; ++k) {
            QVERIFY(!form1().digitTimer(k)->Enabled());
            QCOMPARE(form1().digitTimer(k)->Interval(), 200);
        }
    }

    void speedCodeSetsEveryInterval_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("interval");
        QTest::newRow("high") << "1" << 200;
        QTest::newRow("medium") << "2" << 400;
        QTest::newRow("low") << "3" << 600;
        QTest::newRow("instant, for tests") << "0" << 0;
        // Never handed over, yet they give an interval a timer can take.
        QTest::newRow("negative") << "-3" << 0;
        QTest::newRow("past the longest interval") << "99999999999" << INT_MAX;
    }
    void speedCodeSetsEveryInterval() {
        QFETCH(QString, code);
        QFETCH(int, interval);
        handOver(code);
        form1().Show();
        QTRY_COMPARE(form1().Timer6()->Interval(), interval);
        for (int k = 1; k <= 6; ++k) {
            QCOMPARE(form1().digitTimer(k)->Interval(), interval);
            QVERIFY(!form1().digitTimer(k)->Enabled());
        }
    }

    // Where the design's tops would let a control cross the digits, the banner, the buttons
    // and the digit frame keep the design's spacing as one block centred down the screen. At
    // 1151 pixels the return button's top just touches the digits' bottom: still clear.
    void activationCentresOnTheScreen_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<double>("frameLeft");
        QTest::addColumn<double>("buttonLeft");
        QTest::addColumn<QList<double>>("tops"); // frame, banner, start, return
        const QList<double> design{0, 900, 10560};
        QTest::newRow("1024x768") << QSize(1024, 768) << 1072.5 << 4432.5
                                  << QList<double>{2572.5} + design;
        QTest::newRow("1920x1080") << QSize(1920, 1080) << 7792.5 << 11152.5
                                   << QList<double>{4912.5} + design;
        QTest::newRow("1024x1151") << QSize(1024, 1151) << 1072.5 << 4432.5
                                   << QList<double>{5445} + design;
        QTest::newRow("1024x1152, a block") << QSize(1024, 1152) << 1072.5 << 4432.5
                                            << QList<double>{6322.5, 3082.5, 3982.5, 13642.5};
        QTest::newRow("1080x1920, a block") << QSize(1080, 1920) << 1492.5 << 4852.5
                                            << QList<double>{12082.5, 8842.5, 9742.5, 19402.5};
    }
    void activationCentresOnTheScreen() {
        QFETCH(QSize, screen);
        QFETCH(double, frameLeft);
        QFETCH(double, buttonLeft);
        QFETCH(QList<double>, tops);
        screens::overrideSize(screen);
        handOver(QStringLiteral("2"));
        Form1& f = form1();
        f.Show();
        QTRY_COMPARE(twips::left(f.Frame1()), float(frameLeft));
        QCOMPARE(twips::left(f.Command1()), float(buttonLeft));
        QCOMPARE(twips::left(f.Command2()), float(buttonLeft));
        QCOMPARE(twips::left(f.Label20()), float(buttonLeft));
        QCOMPARE(QList<double>({twips::top(f.Frame1()), twips::top(f.Label20()),
                                twips::top(f.Command1()), twips::top(f.Command2())}),
                 tops);
        // Only the named coordinates move.
        QCOMPARE(twips::width(f.Frame1()), 13215.f);
        QCOMPARE(twips::left(f.Label1()), 60.f);
        QCOMPARE(twips::left(f.Label8()), 480.f);
        QCOMPARE(f.Frame1()->x(), twips::toPixels(frameLeft));
    }

    void stageCoversTheScreenWithFocusOnStart() {
        screens::overrideSize(QSize());
        handOver(QStringLiteral("2"));
        form1().Show();
        FormWindow* w = form1().loadedWindow();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QVERIFY(w->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(w->geometry(), QGuiApplication::primaryScreen()->geometry());
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(form1().Command1()));
    }

    void parameterFieldsAreNeverVisible() {
        handOver(QStringLiteral("2"));
        form1().Show();
        QVERIFY(QTest::qWaitForWindowExposed(form1().loadedWindow()));
        for (const char* name : {"Label7", "Label8", "Label9", "Label10", "Label11", "Label12",
                                 "Label13", "Label14", "Label15"}) {
            QVERIFY2(!form1().control<QWidget>(QString::fromLatin1(name))->isVisible(), name);
        }
        QVERIFY(form1().Label20()->isVisible());
        QVERIFY(form1().Command1()->isVisible());
    }

    void returnButtonClosesTheStageAndEndsTheProgram() {
        handOver(QStringLiteral("2"));
        form1().Show();
        QVERIFY(QTest::qWaitForWindowExposed(form1().loadedWindow()));
        QTest::mouseClick(form1().Command2(), Qt::LeftButton);
        QVERIFY(!form1().IsLoaded());
        QTRY_COMPARE(ends, 1);
    }

    void reopenedStageHasItsDesignStateAndKeepsItsMembers() {
        handOver(QStringLiteral("0"));
        form1().Show();
        form1().Label3()->setCaption(QStringLiteral("7"));
        form1().Label3()->setForeColor(colours::Green);
        form1().Timer2()->setEnabled(true);
        form1().SpinsLeft = 3;
        form1().CurrentDigit = 7;
        form1().Command2()->click();
        QVERIFY(!form1().IsLoaded());
        handOver(QStringLiteral("2"));
        form1().Show();
        QVERIFY(form1().Label3()->caption().isEmpty());
        QCOMPARE(form1().Label3()->foreColor(), colours::Yellow);
        for (int k = 1; k <= 6; ++k)
            QVERIFY(!form1().digitTimer(k)->Enabled());
        QCOMPARE(form1().SpinsLeft, 3.0);
        QCOMPARE(form1().CurrentDigit, 7.f);
    }

    // The graphical buttons paint their green flat in every state: enabled with the focus,
    // pressed, disabled, and without the focus. Only the keyboard focus adds a mark of its
    // own, a dotted rectangle three pixels inside the edge.
    void buttonsPaintTheirColourFlat_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("state");
        QTest::addColumn<bool>("focusShown");
        QTest::newRow("start, focused") << "Command1" << "" << true;
        QTest::newRow("start, pressed") << "Command1" << "down" << true;
        QTest::newRow("start, disabled") << "Command1" << "disabled" << false;
        QTest::newRow("return") << "Command2" << "" << false;
    }
    void buttonsPaintTheirColourFlat() {
        QFETCH(QString, name);
        QFETCH(QString, state);
        QFETCH(bool, focusShown);
        handOver(QStringLiteral("2"));
        form1().Show();
        QVERIFY(QTest::qWaitForWindowActive(form1().window()));
        auto* button = form1().control<CommandButton>(name);
        button->setDown(state == "down");
        button->setEnabled(state != "disabled");
        const QImage face = button->grab().toImage();
        const QColor green = colourFromBgr(colours::Green);
        const int w = face.width(), h = face.height();
        for (const QPoint& p : {QPoint(6, 6), QPoint(6, h - 7), QPoint(w - 7, 6), QPoint(w - 7, h - 7)})
            QCOMPARE(face.pixelColor(p).name(), green.name());
        bool marked = false;
        for (int x = 4; x < w - 4; ++x)
            marked = marked || face.pixelColor(x, 3) != green;
        QCOMPARE(marked, focusShown);
    }
};

TIRVEX_TEST_MAIN(TestForm1)
#include "test_form1.moc"
