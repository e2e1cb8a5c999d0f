// The range entry window: what the operator first sees, the digit filter of the bound
// fields, and the start caption's check, zero-filling and hand-off to the stage.
#include "app/application.h"
#include "app/screens.h"
#include "app/twips.h"
#include "windows/draw/form1.h"
#include "windows/range_entry/main_form.h"
#include "windows/range_entry/message_box.h"

#include <QAction>
#include <QClipboard>
#include <QMenu>
#include <QMessageBox>
#include <QContextMenuEvent>
#include <QRegularExpression>
#include <QtTest>

namespace {
const QString Medium = QStringLiteral("متوسط");
const QString Prompt = QStringLiteral("محدوده اعداد درست وارد کنيد");
const QString Title = QStringLiteral("خطاي ورود اعداد");

// Whether an accelerator splits a word: Qt draws the letter after "&" as a run of its own
// to underline it, and letters do not join across the edge of a run ("ب&رش" shows بـرش).
bool acceleratorSplitsAWord(const QString& text) {
    auto joins = [](QChar a, QChar b) {
        const QChar::JoiningType next = a.joiningType(), previous = b.joiningType();
        return (next == QChar::Joining_Dual || next == QChar::Joining_Left ||
                next == QChar::Joining_Causing) &&
               (previous == QChar::Joining_Dual || previous == QChar::Joining_Right ||
                previous == QChar::Joining_Causing);
    };
    // "&&" is a plain ampersand; the search goes on past it.
    for (qsizetype i = text.indexOf(u'&'); i >= 0 && i + 1 < text.size();
         i = text.indexOf(u'&', i + 2))
        if (text[i + 1] != u'&' && ((i > 0 && joins(text[i - 1], text[i + 1])) ||
                                    (i + 2 < text.size() && joins(text[i + 1], text[i + 2]))))
            return true;
    return false;
}

QString bounds() { return mainForm().Text1()->text() + u'/' + mainForm().Text2()->text(); }

void setBounds(const QString& lower, const QString& upper) {
    mainForm().Text1()->setText(lower);
    mainForm().Text2()->setText(upper);
}

// The five parameter fields of the stage, as the hand-off writes them.
QStringList stageFields() {
    Form1& s = form1();
    return {s.Label8()->caption(), s.Label9()->caption(), s.Label10()->caption(),
            s.Label14()->caption(), s.Label11()->caption()};
}
} // namespace

class TestMainForm : public QObject {
    Q_OBJECT
    QStringList messages; // the bound fields as each message found them

  private Q_SLOTS:
    void initTestCase() {
        Application::setEndAction([] {});
        screens::overrideSize(QSize(1024, 768));
    }
    void init() {
        messages.clear();
        message_box::setSink([this](const QString& prompt, const QString& title) {
            QCOMPARE(prompt, Prompt);
            QCOMPARE(title, Title);
            messages << bounds();
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

    void firstDisplay() {
        MainForm& f = mainForm();
        QCOMPARE(f.window()->windowTitle(), QStringLiteral("نرم افزار قرعه"));
        QCOMPARE(f.window()->client()->size(), QSize(446, 300));
        QCOMPARE(bounds(), QStringLiteral("35000/84570"));
        QCOMPARE(f.Combo2()->currentText(), QStringLiteral(" 5"));
        QCOMPARE(f.Combo3()->currentText(), Medium);
        QVERIFY(!f.Combo2()->isEnabled() && !f.Combo3()->isEnabled());
        QTRY_COMPARE(QApplication::focusWidget(), f.Text1());
        // Tab goes back and forth between the two fields only.
        QTest::keyClick(f.Text1(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f.Text2());
        QTest::keyClick(f.Text2(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f.Text1());
        // The picture fills the client area from its top left, behind every control, and
        // lets clicks through.
        auto* picture = f.window()->client()->findChild<QLabel*>(QStringLiteral("picture"));
        QVERIFY2(picture, "the background picture did not load");
        QCOMPARE(picture->geometry(), QRect(0, 0, 450, 300));
        QCOMPARE(f.window()->client()->children().first(), picture);
        QVERIFY(picture->testAttribute(Qt::WA_TransparentForMouseEvents));
        QVERIFY(!f.window()->windowIcon().isNull());
    }

    // Where the black shadow shows beside the yellow caption a click starts nothing; on
    // the caption it starts the hand-off.
    void onlyTheCaptionStarts() {
        MainForm& f = mainForm();
        QWidget* client = f.window()->client();
        const QPoint shadowOnly = f.Label3()->geometry().bottomLeft() + QPoint(1, -1);
        QCOMPARE(client->childAt(shadowOnly), f.Label3());
        QTest::mouseClick(f.Label3(), Qt::LeftButton, {}, f.Label3()->mapFrom(client, shadowOnly));
        QVERIFY(!form1().IsLoaded());
        QCOMPARE(bounds(), QStringLiteral("35000/84570"));
        QCOMPARE(client->childAt(f.Label2()->geometry().center()), f.Label2());
        QTest::mouseClick(f.Label2(), Qt::LeftButton);
        QVERIFY(form1().IsShown());
    }

    void digitFilter_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("keys"); // typed as they stand; < is Backspace, > Delete
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("shift"); // every key typed with Shift held
        for (const char* field : {"Text1", "Text2"}) {
            auto row = [&](const char* what) -> QTestData& {
                return QTest::addRow("%s %s", field, what) << field;
            };
            row("digits among others") << "" << "12a3" << "123" << false;
            row("letters signs blanks") << "5" << "x -+.,/" << "5" << false;
            // A Persian keyboard's digits, and Arabic ones, are the digits 0 to 9.
            row("Persian digits") << "" << "\u06F1\u06F2a\u06F3\u06F0\u06F9" << "12309" << false;
            row("Arabic digits") << "" << "\u0664\u0665\u0660\u0669" << "4509" << false;
            row("Backspace") << "123" << "<" << "123" << false;
            row("Delete after caret") << "123" << ">" << "12" << false; // the caret stands at 2
            row("seventh digit") << "123456" << "7" << "123456" << false;
            row("capitals and signs with Shift") << "5" << "AZ!?" << "5" << true;
            // Some keyboard layouts type the digits with Shift.
            row("digits with Shift") << "" << "12" << "12" << true;
        }
    }
    void digitFilter() {
        QFETCH(QString, field);
        QFETCH(QString, before);
        QFETCH(QString, keys);
        QFETCH(bool, shift);
        auto* box = mainForm().control<TextBox>(field);
        box->setText(before);
        box->setCursorPosition(keys == u">" ? 2 : int(before.size()));
        for (QChar c : keys) {
            if (c == u'<')
                QTest::keyClick(box, Qt::Key_Backspace);
            else if (c == u'>')
                QTest::keyClick(box, Qt::Key_Delete);
            else
                QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c),
                                    shift ? Qt::ShiftModifier : Qt::NoModifier);
        }
        QTEST(box->text(), "after");
    }

    // Enter and the shortcuts of copy, cut and paste do nothing; a digit typed over a
    // selection replaces it.
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
        QTest::newRow("Persian digits") << "\u06F1\u06F2\u06F3\u06F4" << "1234";
        QTest::newRow("Arabic digits and letters") << "\u0660\u0669ab" << "09ab";
    }
    void contextMenuPaste() {
        QFETCH(QString, clipboard);
        TextBox* box = mainForm().Text1();
        box->clear();
        QGuiApplication::clipboard()->setText(clipboard);
        std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
        const QList<QAction*> actions = menu->actions();
        auto paste = std::find_if(actions.begin(), actions.end(), [](QAction* a) {
            return a->text().startsWith(QCoreApplication::translate("QLineEdit", "&Paste"));
        });
        QVERIFY(paste != actions.end() && (*paste)->isEnabled());
        (*paste)->trigger();
        QTEST(box->text(), "after");
    }

    void handOff_data() {
        QTest::addColumn<QString>("lower");
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QStringList>("messages"); // the fields as each message found them
        QTest::addColumn<QString>("filled");
        QTest::addColumn<bool>("stage");
        const QStringList none;
        QTest::newRow("defaults") << "35000" << "84570" << none << "035000/084570" << true;
        QTest::newRow("reversed") << "84570" << "35000" << QStringList{"84570/35000"}
                                  << "084570/035000" << false;
        QTest::newRow("equal") << "12345" << "12345" << none << "012345/012345" << false;
        QTest::newRow("empty lower") << "" << "7" << none << "000000/000007" << true;
        QTest::newRow("both empty") << "" << "" << none << "000000/000000" << false;
        QTest::newRow("six digits") << "123456" << "654321" << none << "123456/654321" << true;
        QTest::newRow("zeros kept") << "0035" << "84570" << none << "000035/084570" << true;
        QTest::newRow("numbers not texts") << "9" << "10" << none << "000009/000010" << true;
        QTest::newRow("10 over 9") << "10" << "9" << QStringList{"10/9"} << "000010/000009"
                                   << false;
        // Pasted letters could leave the draw without an admissible digit: refused, with
        // one message, and the fields left as pasted for the operator to mend.
        QTest::newRow("pasted letters") << "12ab" << "99" << QStringList{"12ab/99"}
                                        << "12ab/99" << false;
        QTest::newRow("pasted in the upper bound") << "1" << "9 9" << QStringList{"1/9 9"}
                                                   << "1/9 9" << false;
        QTest::newRow("pasted and reversed") << "5x" << "3" << QStringList{"5x/3"}
                                             << "5x/3" << false;
    }
    void handOff() {
        QFETCH(QString, lower);
        QFETCH(QString, upper);
        QFETCH(QString, filled);
        QFETCH(bool, stage);
        setBounds(lower, upper);
        mainForm().Label2_Click();
        QTEST(messages, "messages");
        QCOMPARE(bounds(), filled);
        QCOMPARE(form1().IsShown(), stage);
        QVERIFY(mainForm().IsShown());
        if (!stage)
            return;
        const QStringList expected = filled.split(u'/') + QStringList{"5", Medium, "2"};
        QCOMPARE(stageFields(), expected);
        // The stage's activation saw the speed code: a tick every 400 ms.
        QTRY_COMPARE(form1().Timer1()->Interval(), 400);
    }

    // A window system may never report the range entry window active; a hand-off then
    // still carries five spins at medium speed, never a count or speed the lists lack.
    void handOffWithoutActivation() {
        mainForm().Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        mainForm().Label2_Click(); // loads the window without showing it
        QVERIFY(!mainForm().IsShown());
        QCOMPARE(stageFields(), (QStringList{"035000", "084570", "5", Medium, "2"}));
    }

    // A second click finds the fields filled and writes the same five fields again.
    void secondClickRewritesTheStage() {
        mainForm().Label2_Click();
        const QStringList first = stageFields();
        for (int i : {8, 9, 10, 14, 11})
            form1().control<Label>(QStringLiteral("Label%1").arg(i))->setCaption({});
        mainForm().Label2_Click();
        QCOMPARE(bounds(), QStringLiteral("035000/084570"));
        QCOMPARE(stageFields(), first);
        QVERIFY(form1().IsShown());
    }

    // The real box: prompt, title, OK only, no icon, right to left, modal to the whole
    // program; Enter dismisses it and the handler goes on to fill the fields.
    void messageBoxAsShown() {
        message_box::setSink({});
        setBounds(QStringLiteral("2"), QStringLiteral("1"));
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
            // No icon in the title bar (not even the owner's) and none on the button.
            const QImage icon = box->windowIcon().pixmap(16).toImage();
            for (int y = 0; y < icon.height(); ++y)
                for (int x = 0; x < icon.width(); ++x)
                    QCOMPARE(qAlpha(icon.pixel(x, y)), 0);
            QVERIFY(box->button(QMessageBox::Ok)->icon().isNull());
            const QString ok = box->button(QMessageBox::Ok)->text();
            QVERIFY2(!acceleratorSplitsAWord(ok), qPrintable(ok));
            QCOMPARE(bounds(), QStringLiteral("2/1"));
            QTest::keyClick(box, Qt::Key_Return);
        });
        mainForm().Label2_Click();
        QVERIFY(seen);
        QCOMPARE(bounds(), QStringLiteral("000002/000001"));
        QVERIFY(!form1().IsLoaded());
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

    // The disabled lists paint their light yellow flat, text area and arrow alike.
    void listsPaintTheirColourFlat_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("Combo2") << "Combo2";
        QTest::newRow("Combo3") << "Combo3";
    }
    void listsPaintTheirColourFlat() {
        QFETCH(QString, name);
        auto* list = mainForm().control<ComboBox>(name);
        QVERIFY(!list->isEnabled());
        const QImage face = list->grab().toImage();
        const int w = face.width(), h = face.height();
        for (const QPoint& p : {QPoint(4, 4), QPoint(4, h - 5), QPoint(w - 4, 4), QPoint(w - 4, h - 5)})
            QCOMPARE(face.pixelColor(p).name(), QStringLiteral("#ffff80"));
    }

    // Qt's own context menu of a bound field reads Persian, right to left, with no
    // accelerator letter that breaks a word apart.
    void contextMenuReadsPersian() {
        TextBox* box = mainForm().Text1();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), box->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(box, &event);
        QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QCOMPARE(menu->layoutDirection(), Qt::RightToLeft);
        int entries = 0;
        for (QAction* action : menu->actions()) {
            if (action->isSeparator())
                continue;
            ++entries;
            // The shortcut after the tab keeps its Latin key letter.
            const QString entry = action->text().section(QLatin1Char('\t'), 0, 0);
            QVERIFY2(!entry.contains(QRegularExpression(QStringLiteral("[A-Za-z]"))), qPrintable(entry));
            QVERIFY2(entry.contains(QRegularExpression(QStringLiteral("[\\x{0600}-\\x{06FF}]"))),
                     qPrintable(entry));
            QVERIFY2(!acceleratorSplitsAWord(entry), qPrintable(entry));
        }
        QVERIFY(entries >= 6);
        menu->close();
    }
};

int main(int argc, char** argv) {
    Application app(argc, argv);
    TestMainForm t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_main_form.moc"
