// The start caption: the order check, the zero-filling and the hand-off to the stage.
#include "app/application.h"
#include "app/twips.h"
#include "windows/draw/form1.h"
#include "windows/range_entry/main_form.h"
#include "windows/range_entry/message_box.h"

#include <QMessageBox>
#include <QtTest>

namespace {
const QString Prompt = QStringLiteral("محدوده اعداد درست وارد کنيد");
const QString Title = QStringLiteral("خطاي ورود اعداد");
} // namespace

class TestLabel2Click : public QObject {
    Q_OBJECT
    // The bound fields as they stood when each message was shown.
    QStringList messages;

  private Q_SLOTS:
    void initTestCase() {
        Application::setEndAction([] {});
        twips::overrideScreenPixels(QSize(1024, 768));
    }
    void init() {
        messages.clear();
        message_box::setSink([this](const QString& prompt, const QString& title) {
            QCOMPARE(prompt, Prompt);
            QCOMPARE(title, Title);
            messages << mainForm().Text1()->text() + QLatin1Char('/') + mainForm().Text2()->text();
        });
        mainForm().Show();
        QVERIFY(QTest::qWaitForWindowActive(mainForm().window()));
        QTRY_COMPARE(mainForm().Combo3()->currentIndex(), 1);
    }
    void cleanup() {
        form1().Unload();
        mainForm().Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void handOff_data() {
        QTest::addColumn<QString>("lower");
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QStringList>("messages"); // the fields as each message found them
        QTest::addColumn<QString>("lowerAfter");
        QTest::addColumn<QString>("upperAfter");
        QTest::addColumn<bool>("stage");
        const QStringList none;
        QTest::newRow("defaults") << "35000" << "84570" << none << "035000" << "084570" << true;
        QTest::newRow("reversed") << "84570" << "35000" << QStringList{"84570/35000"} << "084570"
                                  << "035000" << false;
        QTest::newRow("equal") << "12345" << "12345" << none << "012345" << "012345" << false;
        QTest::newRow("empty lower") << "" << "7" << none << "000000" << "000007" << true;
        QTest::newRow("both empty") << "" << "" << none << "000000" << "000000" << false;
        QTest::newRow("six digits") << "123456" << "654321" << none << "123456" << "654321" << true;
        QTest::newRow("zeros kept") << "0035" << "84570" << none << "000035" << "084570" << true;
        QTest::newRow("numbers not texts") << "9" << "10" << none << "000009" << "000010" << true;
        QTest::newRow("10 over 9") << "10" << "9" << QStringList{"10/9"} << "000010" << "000009"
                                   << false;
        // Pasted letters would leave the draw without an admissible digit: refused.
        QTest::newRow("pasted letters") << "12ab" << "99" << QStringList{"0012ab/000099"}
                                        << "0012ab" << "000099" << false;
        QTest::newRow("pasted and reversed") << "5x" << "3" << QStringList{"5x/3"} << "00005x"
                                             << "000003" << false;
    }
    void handOff() {
        QFETCH(QString, lower);
        QFETCH(QString, upper);
        MainForm& f = mainForm();
        f.Text1()->setText(lower);
        f.Text2()->setText(upper);
        f.Label2_Click();
        QTEST(messages, "messages");
        QTEST(f.Text1()->text(), "lowerAfter");
        QTEST(f.Text2()->text(), "upperAfter");
        QFETCH(bool, stage);
        QCOMPARE(form1().IsShown(), stage);
        if (!stage)
            return;
        QVERIFY(f.IsShown());
        QCOMPARE(form1().Label8()->caption(), f.Text1()->text());
        QCOMPARE(form1().Label9()->caption(), f.Text2()->text());
        QCOMPARE(form1().Label10()->caption(), QStringLiteral("5"));
        QCOMPARE(form1().Label14()->caption(), QStringLiteral("متوسط"));
        QCOMPARE(form1().Label11()->caption(), QStringLiteral("2"));
        // The stage's activation saw the speed code: a tick every 400 ms.
        QTRY_COMPARE(form1().Timer1()->Interval(), 400);
    }

    // A second click finds the fields filled and writes the same five fields again.
    void secondClickRewritesTheStage() {
        MainForm& f = mainForm();
        f.Label2_Click();
        for (Label* field : {form1().Label8(), form1().Label9(), form1().Label10(),
                             form1().Label14(), form1().Label11()})
            field->setCaption(QStringLiteral("x"));
        f.Label2_Click();
        QCOMPARE(f.Text1()->text(), QStringLiteral("035000"));
        QCOMPARE(form1().Label8()->caption(), QStringLiteral("035000"));
        QCOMPARE(form1().Label9()->caption(), QStringLiteral("084570"));
        QCOMPARE(form1().Label10()->caption(), QStringLiteral("5"));
        QCOMPARE(form1().Label14()->caption(), QStringLiteral("متوسط"));
        QCOMPARE(form1().Label11()->caption(), QStringLiteral("2"));
        QVERIFY(form1().IsShown());
        QVERIFY(messages.isEmpty());
    }

    // The real box: prompt, title, OK only, no icon, right to left, modal to the whole
    // program; Enter dismisses it and the handler goes on to fill the fields.
    void messageBoxAsShown() {
        message_box::setSink({});
        mainForm().Text1()->setText(QStringLiteral("2"));
        mainForm().Text2()->setText(QStringLiteral("1"));
        bool seen = false;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            seen = true;
            QCOMPARE(box->windowTitle(), Title);
            QCOMPARE(box->text(), Prompt);
            QCOMPARE(box->icon(), QMessageBox::NoIcon);
            QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
            QCOMPARE(box->layoutDirection(), Qt::RightToLeft);
            QCOMPARE(box->windowModality(), Qt::ApplicationModal);
            QCOMPARE(mainForm().Text1()->text(), QStringLiteral("2"));
            QTest::keyClick(box, Qt::Key_Return);
        });
        mainForm().Label2_Click();
        QVERIFY(seen);
        QCOMPARE(mainForm().Text1()->text(), QStringLiteral("000002"));
        QVERIFY(!form1().IsLoaded());
    }
};

int main(int argc, char** argv) {
    Application app(argc, argv);
    TestLabel2Click t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_label2_click.moc"
