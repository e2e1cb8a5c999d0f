// The range entry window as the operator first meets it, and its two bound fields.
#include "app/application.h"
#include "app/twips.h"
#include "windows/draw/form1.h"
#include "windows/range_entry/main_form.h"
#include "windows/range_entry/message_box.h"

#include <QAction>
#include <QClipboard>
#include <QMenu>
#include <QtTest>

class TestMainForm : public QObject {
    Q_OBJECT
    int messages = 0;

    static void showMain() {
        mainForm().Show();
        QVERIFY(QTest::qWaitForWindowActive(mainForm().window()));
        QTRY_COMPARE(mainForm().Combo3()->currentIndex(), 1);
    }

  private Q_SLOTS:
    void initTestCase() {
        Application::setEndAction([] {});
        twips::overrideScreenPixels(QSize(1024, 768));
    }
    void init() {
        messages = 0;
        message_box::setSink([this](const QString&, const QString&) { ++messages; });
        showMain();
    }
    void cleanup() {
        form1().Unload();
        mainForm().Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void firstDisplay() {
        MainForm& f = mainForm();
        QCOMPARE(f.window()->windowTitle(), QStringLiteral("نرم افزار قرعه"));
        QCOMPARE(f.loadedWindow()->client()->size(), QSize(446, 300));
        QCOMPARE(f.Text1()->text(), QStringLiteral("35000"));
        QCOMPARE(f.Text2()->text(), QStringLiteral("84570"));
        QCOMPARE(f.Combo2()->currentText(), QStringLiteral(" 5"));
        QCOMPARE(f.Combo3()->currentText(), QStringLiteral("متوسط"));
        QVERIFY(!f.Combo2()->isEnabled() && !f.Combo3()->isEnabled());
        QTRY_COMPARE(QApplication::focusWidget(), f.Text1());
        // Tab goes back and forth between the two fields only.
        QTest::keyClick(f.Text1(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f.Text2());
        QTest::keyClick(f.Text2(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f.Text1());
    }

    // The picture fills the client area from its top left and lies behind every control;
    // clicks go through it.
    void backgroundPictureBehindControls() {
        QWidget* client = mainForm().window()->client();
        auto* picture = client->findChild<QLabel*>(QStringLiteral("picture"));
        QVERIFY2(picture, "the background picture did not load");
        QCOMPARE(picture->geometry(), QRect(0, 0, 450, 300));
        QCOMPARE(client->children().first(), picture);
        QVERIFY(picture->testAttribute(Qt::WA_TransparentForMouseEvents));
        QVERIFY(!mainForm().window()->windowIcon().isNull());
    }

    // Where the black shadow shows beside the yellow caption a click starts nothing;
    // on the caption it starts the hand-off.
    void onlyTheCaptionStarts() {
        MainForm& f = mainForm();
        QWidget* client = f.window()->client();
        const QPoint shadowOnly = f.Label3()->geometry().bottomLeft() + QPoint(1, -1);
        QCOMPARE(client->childAt(shadowOnly), f.Label3());
        QTest::mouseClick(f.Label3(), Qt::LeftButton, {}, f.Label3()->mapFrom(client, shadowOnly));
        QVERIFY(!form1().IsLoaded());
        QCOMPARE(f.Text1()->text(), QStringLiteral("35000"));
        const QPoint overlap = f.Label2()->geometry().center();
        QCOMPARE(client->childAt(overlap), f.Label2());
        QTest::mouseClick(f.Label2(), Qt::LeftButton);
        QVERIFY(form1().IsShown());
    }

    void digitFilter_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("keys"); // typed as they stand; ~ Backspace, ^ Delete
        QTest::addColumn<QString>("after");
        for (const char* field : {"Text1", "Text2"}) {
            auto row = [&](const char* what) -> QTestData& {
                return QTest::addRow("%s %s", field, what) << field;
            };
            row("digits among others") << "" << "12a3" << "123";
            row("letters signs blanks") << "5" << "x -+.,/" << "5";
            row("Persian digit") << "" << "\u06F1" << "";
            row("Backspace") << "123" << "~" << "123";
            row("Delete after caret") << "123" << "^" << "12"; // caret put at 2 below
            row("seventh digit") << "123456" << "7" << "123456";
        }
    }
    void digitFilter() {
        QFETCH(QString, field);
        QFETCH(QString, before);
        QFETCH(QString, keys);
        auto* box = mainForm().control<TextBox>(field);
        box->setText(before);
        box->setCursorPosition(keys == QLatin1String("^") ? 2 : int(before.size()));
        for (QChar c : keys) {
            if (c == QLatin1Char('~'))
                QTest::keyClick(box, Qt::Key_Backspace);
            else if (c == QLatin1Char('^'))
                QTest::keyClick(box, Qt::Key_Delete);
            else
                QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), {});
        }
        QTEST(box->text(), "after");
    }

    // Enter and the shortcuts of copy, cut and paste do nothing; selecting and typing a
    // digit over the selection works.
    void controlKeysDoNothing() {
        TextBox* box = mainForm().Text2();
        QGuiApplication::clipboard()->setText(QStringLiteral("99"));
        box->selectAll();
        for (int key : {Qt::Key_X, Qt::Key_V, Qt::Key_C})
            QTest::keyClick(box, Qt::Key(key), Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(box->text(), QStringLiteral("84570"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("99"));
        QVERIFY(!form1().IsLoaded());
        QTest::keyClick(box, Qt::Key_7);
        QCOMPARE(box->text(), QStringLiteral("7"));
    }

    // The field's own context menu pastes without the filter; only the limit applies.
    void contextMenuPaste_data() {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("after");
        QTest::newRow("letters kept") << "12ab" << "12ab";
        QTest::newRow("cut at six") << "12345678" << "123456";
    }
    void contextMenuPaste() {
        QFETCH(QString, clipboard);
        TextBox* box = mainForm().Text1();
        box->clear();
        QGuiApplication::clipboard()->setText(clipboard);
        std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
        const QList<QAction*> actions = menu->actions();
        auto paste = std::find_if(actions.begin(), actions.end(), [](QAction* a) {
            return a->text().startsWith(QLatin1String("&Paste"));
        });
        QVERIFY(paste != actions.end() && (*paste)->isEnabled());
        (*paste)->trigger();
        QTEST(box->text(), "after");
    }

    // Coming back from the stage shows five spins at medium speed again, whatever the
    // lists showed before.
    void reselectsAfterTheStageCloses() {
        mainForm().Label2_Click();
        QVERIFY(QTest::qWaitForWindowActive(form1().window()));
        mainForm().Combo2()->setCurrentIndex(3);
        mainForm().Combo3()->setCurrentIndex(2);
        form1().Command2_Click();
        // The offscreen platform has no window manager to hand the focus back.
        mainForm().window()->activateWindow();
        QTRY_COMPARE(mainForm().Combo2()->currentIndex(), 0);
        QCOMPARE(mainForm().Combo3()->currentIndex(), 1);
    }
};

int main(int argc, char** argv) {
    Application app(argc, argv);
    TestMainForm t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_main_form.moc"
