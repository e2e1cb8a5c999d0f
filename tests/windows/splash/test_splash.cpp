// The splash window: its version line, and what moves on to the range entry window and
// what does not.
#include "app/application.h"
#include "app/error_report.h"
#include "windows/range_entry/main_form.h"
#include "windows/splash/frm_splash.h"

#include <QtTest>

#include "test_main.h"

namespace {
int visibleWindowsNamed(const QString& name) {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible())
            ++n;
    return n;
}
} // namespace

class TestSplash : public QObject {
    Q_OBJECT
    int ends_ = 0;
    QStringList errors_;

    FormWindow* showSplash() {
        frmSplash().Show();
        FormWindow* w = frmSplash().loadedWindow();
        if (!QTest::qWaitForWindowActive(w))
            qWarning("the splash window did not become active");
        return w;
    }

  private Q_SLOTS:
    void initTestCase() {
        Application::setEndAction([this] { ++ends_; });
        error_report::setSink([this](const QString& m) { errors_ << m; });
    }

    void init() {
        ends_ = 0;
        errors_.clear();
    }

    void cleanup() {
        frmSplash().Unload();
        mainForm().Unload();
        flushUnloads();
        QVERIFY2(errors_.isEmpty(), qPrintable(errors_.join(QLatin1Char('\n'))));
    }

    void versionLineReadsWordThenNumberLeftward() {
        FrmSplash& s = frmSplash();
        QCOMPARE(s.Label1()->caption(), QStringLiteral("1.0.12"));
        QCOMPARE(s.lblVersion()->caption(), QStringLiteral("نسخه"));
        // Read right to left: the word first, then the number to its left, on one line.
        const QRect word = s.lblVersion()->geometry();
        const QRect number = s.Label1()->geometry();
        QVERIFY(number.right() < word.left());
        QCOMPARE(number.top(), word.top());
        QVERIFY(s.Frame1()->rect().contains(word));
    }

    void keys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("movesOn");
        const int none = Qt::NoModifier;
        QTest::newRow("letter") << int(Qt::Key_A) << none << "a" << true;
        QTest::newRow("digit") << int(Qt::Key_7) << none << "7" << true;
        QTest::newRow("persian letter") << int(Qt::Key_unknown) << none << "ب" << true;
        QTest::newRow("space") << int(Qt::Key_Space) << none << " " << true;
        QTest::newRow("enter") << int(Qt::Key_Return) << none << "\r" << true;
        QTest::newRow("keypad enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "\r"
                                      << true;
        QTest::newRow("esc") << int(Qt::Key_Escape) << none << "\x1b" << true;
        QTest::newRow("backspace") << int(Qt::Key_Backspace) << none << "\b" << true;
        QTest::newRow("shift") << int(Qt::Key_Shift) << int(Qt::ShiftModifier) << "" << false;
        QTest::newRow("ctrl") << int(Qt::Key_Control) << int(Qt::ControlModifier) << "" << false;
        QTest::newRow("left") << int(Qt::Key_Left) << none << "" << false;
        QTest::newRow("down") << int(Qt::Key_Down) << none << "" << false;
        QTest::newRow("F1") << int(Qt::Key_F1) << none << "" << false;
        QTest::newRow("F12") << int(Qt::Key_F12) << none << "" << false;
        QTest::newRow("delete") << int(Qt::Key_Delete) << none << "\x7f" << false;
    }

    void keys() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(bool, movesOn);
        FormWindow* w = showSplash();
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key(key), text,
                            Qt::KeyboardModifiers(modifiers));
        flushUnloads();
        QCOMPARE(frmSplash().IsLoaded(), !movesOn);
        QCOMPARE(mainForm().IsShown(), movesOn);
        QCOMPARE(ends_, 0);
    }

    void clicks_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("movesOn");
        QTest::newRow("frame's white surface") << "Frame1" << int(Qt::LeftButton) << true;
        QTest::newRow("frame, right button") << "Frame1" << int(Qt::RightButton) << false;
        QTest::newRow("caption") << "lblProductName" << int(Qt::LeftButton) << false;
        QTest::newRow("photograph") << "imgLogo" << int(Qt::LeftButton) << false;
        QTest::newRow("emblem") << "Image1" << int(Qt::LeftButton) << false;
        QTest::newRow("version number") << "Label1" << int(Qt::LeftButton) << false;
        QTest::newRow("version word") << "lblVersion" << int(Qt::LeftButton) << false;
        QTest::newRow("green margin") << "margin" << int(Qt::LeftButton) << false;
    }

    void clicks() {
        QFETCH(QString, target);
        QFETCH(int, button);
        QFETCH(bool, movesOn);
        FormWindow* w = showSplash();
        QWidget* on = nullptr;
        QPoint at;
        if (target == QLatin1String("margin")) {
            on = w;
            at = QPoint(4, w->height() / 2);
        } else if (target == QLatin1String("Frame1")) {
            // A spot of the card that no picture or caption covers.
            on = frmSplash().Frame1();
            at = QPoint(on->width() / 2, 12);
        } else {
            on = frmSplash().control<QWidget>(target);
            at = on->rect().center();
        }
        // The click lands on whatever stands at that spot, as a real one would.
        QWidget* hit = w->childAt(on->mapTo(w, at));
        QWidget* receiver = hit ? hit : w;
        QTest::mouseClick(receiver, Qt::MouseButton(button), Qt::NoModifier,
                          receiver->mapFrom(on, at));
        flushUnloads();
        QCOMPARE(frmSplash().IsLoaded(), !movesOn);
        QCOMPARE(mainForm().IsShown(), movesOn);
    }

    void twoQuickTriggersOpenOneMain_data() {
        QTest::addColumn<bool>("firstIsKey");
        QTest::addColumn<bool>("secondIsKey");
        QTest::newRow("key, key") << true << true;
        QTest::newRow("click, click") << false << false;
        QTest::newRow("key, click") << true << false;
    }

    void twoQuickTriggersOpenOneMain() {
        QFETCH(bool, firstIsKey);
        QFETCH(bool, secondIsKey);
        FormWindow* w = showSplash();
        QPointer<Frame> frame = frmSplash().Frame1();
        const QPoint onCard(frame->width() / 2, 12);
        // Both arrive before control is back in the event loop, the way a fast typist's
        // second key is already queued when the first is handled.
        auto trigger = [&](bool key) {
            if (key)
                QTest::keyClick(w, Qt::Key_A);
            else if (frame)
                QTest::mouseClick(frame, Qt::LeftButton, Qt::NoModifier, onCard);
        };
        trigger(firstIsKey);
        trigger(secondIsKey);
        flushUnloads();
        QCOMPARE(visibleWindowsNamed(QStringLiteral("main")), 1);
        QVERIFY(!frmSplash().IsLoaded());
        QCOMPARE(ends_, 0);
    }

    void systemCloseEndsTheRunWithoutMain() {
        FormWindow* w = showSplash();
        QVERIFY(w->close() || !frmSplash().IsLoaded());
        flushUnloads();
        QVERIFY(!frmSplash().IsLoaded());
        QVERIFY(!mainForm().IsLoaded());
        QCOMPARE(ends_, 1);
    }
};

TIRVEX_TEST_MAIN(TestSplash)

#include "test_splash.moc"
