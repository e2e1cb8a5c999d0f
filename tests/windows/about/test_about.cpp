// The about window: its version line and texts, one window however often it is opened,
// the ways it closes, and how it lives beside the range entry window.
#include "app/application.h"
#include "app/error_report.h"
#include "windows/about/frm_about.h"
#include "windows/range_entry/main_form.h"
#include "windows/splash/frm_splash.h"

#include <QtTest>

#include "test_main.h"

namespace {
int windowsNamed(const QString& name) {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible())
            ++n;
    return n;
}

// Every label of a loaded window, by design name.
QList<Label*> labelsOf(Form& form) { return form.window()->findChildren<Label*>(); }
} // namespace

class TestAbout : public QObject {
    Q_OBJECT
    int ends_ = 0;
    QStringList errors_;

    FormWindow* openFromMain() {
        mainForm().Show();
        mainForm().about_Click();
        FormWindow* w = frmAbout().loadedWindow();
        if (!w || !QTest::qWaitForWindowActive(w))
            qWarning("the about window did not become active");
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
        frmAbout().Unload();
        mainForm().Unload();
        frmSplash().Unload();
        flushUnloads();
        QVERIFY2(errors_.isEmpty(), qPrintable(errors_.join(QLatin1Char('\n'))));
    }

    void versionLineAtEveryOpening() {
        const QString expected = QStringLiteral("نسخه 1.0.12");
        for (int opening = 1; opening <= 2; ++opening) {
            openFromMain();
            QCOMPARE(frmAbout().lblVersion()->caption(), expected);
            frmAbout().cmdOK_Click();
            flushUnloads();
        }
    }

    // A right-aligned caption stands at the right edge of its label even when its own
    // text runs right to left, as the version line and the description do.
    void rightAlignedPersianCaptionsStandAtTheRight_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("version line") << "lblVersion";
        QTest::newRow("description") << "Label2";
    }

    void rightAlignedPersianCaptionsStandAtTheRight() {
        QFETCH(QString, name);
        FormWindow* w = openFromMain();
        Label* label = frmAbout().control<Label>(name);
        const QImage image = label->grab().toImage();
        // The lowest line of ink: a short last line of a wrapped caption shows it best.
        int bottom = -1;
        for (int y = image.height() - 1; y >= 0 && bottom < 0; --y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 96) {
                    bottom = y;
                    break;
                }
        QVERIFY(bottom >= 0);
        // The ink of the band around that line.
        int left = image.width(), right = -1;
        for (int y = std::max(0, bottom - 6); y <= bottom; ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 96) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        QVERIFY2(right >= image.width() - 8, qPrintable(QStringLiteral("ink ends at %1 of %2")
                                                            .arg(right)
                                                            .arg(image.width())));
        QVERIFY(left > image.width() / 3);
        QVERIFY(w->isVisible());
    }

    // The Persian captions keep the letters the rest of the program uses: the Arabic yeh
    // and the Persian kaf, never their look-alikes.
    void persianCaptionsUseTheProgramsLetters() {
        for (Form* form : {static_cast<Form*>(&frmAbout()), static_cast<Form*>(&frmSplash())}) {
            for (Label* label : labelsOf(*form)) {
                if (label->objectName() == QLatin1String("lblQtNotice"))
                    continue; // written by us, not a caption of the design
                const QString text = label->caption();
                QVERIFY2(!text.contains(QChar(0x06CC)), qPrintable(label->objectName()));
                QVERIFY2(!text.contains(QChar(0x0643)), qPrintable(label->objectName()));
            }
        }
        const QString notice = frmAbout().Label4()->caption();
        QVERIFY(notice.contains(QChar(0x064A)));
        QVERIFY(notice.contains(QChar(0x06A9)));
    }

    // The toolkit's notice names Qt and the LGPLv3 in Latin letters, as users search for
    // them, grants what the LGPLv3 asks for (changing Qt's part, reverse engineering to
    // debug it), says where the licences are, and stands under the copying notice.
    void namesQtAndItsLicence() {
        FrmAbout& a = frmAbout();
        openFromMain();
        const QString notice = a.lblQtNotice()->caption();
        for (const char* needed : {"Qt", "LGPLv3", "The Qt Company", "مجوز", "مهندسی معکوس"})
            QVERIFY2(notice.contains(QString::fromUtf8(needed)), needed);
#ifdef TIRVEX_LICENCES_BESIDE_PROGRAM
        QVERIFY(notice.contains(QLatin1String("licences")));
#else
        QVERIFY(notice.contains(QLatin1String("/usr/share/doc/tirvex")));
#endif
        QVERIFY(notice.contains(QChar(0x06CC)));
        QVERIFY(!notice.contains(QChar(0x064A)));
        QVERIFY(a.lblQtNotice()->isVisible());
        QVERIFY(a.lblQtNotice()->geometry().top() >= a.Label4()->geometry().bottom());
    }

    // The five contact lines carry the vendor file's values exactly, whatever they hold
    // (TIRVEX_VENDOR_VALUES: each value as CMake read it, in hexadecimal).
    void contactLinesAreTheVendorsOwn() {
        QFile file(qEnvironmentVariable("TIRVEX_VENDOR_VALUES"));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        QHash<QByteArray, QString> vendor;
        for (const QByteArray& line : file.readAll().split('\n'))
            if (const qsizetype equals = line.indexOf('='); equals > 0)
                vendor.insert(line.left(equals),
                              QString::fromUtf8(QByteArray::fromHex(line.mid(equals + 1))));
        openFromMain();
        const QString lines[] = {"E-mail: " + vendor["EMAIL"], "Weblog: " + vendor["WEBLOG"],
                                 "Website: " + vendor["WEBSITE"],
                                 "Tel: " + vendor["PHONE"] + QStringLiteral("  پيام رسان ها"),
                                 "Tel: " + vendor["PHONE2"]};
        for (int i = 0; i < 5; ++i)
            QCOMPARE(frmAbout().Label1(i)->caption(), lines[i]);
    }

    // Texts cut off at the edge of their label, or running out of the window, are the
    // faults a user would see first.
    void textsFitTheirLabels() {
        FrmAbout& a = frmAbout();
        const QRect client = a.window()->rect();
        for (Label* label : labelsOf(a)) {
            const QRect g = label->geometry();
            QVERIFY2(client.contains(g), qPrintable(label->objectName()));
            const QFontMetrics fm(label->font());
            if (label->wordWrap()) {
                QVERIFY2(label->heightForWidth(g.width()) <= g.height(),
                         qPrintable(label->objectName()));
            } else {
                const int needed = fm.horizontalAdvance(label->caption().trimmed());
                QVERIFY2(needed <= g.width(), qPrintable(QStringLiteral("%1 needs %2 px of %3")
                                                             .arg(label->objectName())
                                                             .arg(needed)
                                                             .arg(g.width())));
            }
        }
        // The notice stands at the bottom, below the contact lines and the button.
        QVERIFY(a.Label4()->geometry().top() > a.Label1(4)->geometry().bottom());
        QVERIFY(a.Label4()->geometry().top() > a.cmdOK()->geometry().bottom());
        // The description is laid out right to left, wrapped inside its label.
        QCOMPARE(a.Label2()->layoutDirection(), Qt::RightToLeft);
        QVERIFY(a.Label2()->fontMetrics().horizontalAdvance(a.Label2()->caption()) >
                a.Label2()->width());
    }

    // The pictures come from the program's resources, decoded at the size they are shown
    // at; a missing one leaves a blank hole.
    void picturesAreThere() {
        for (Picture* picture : {frmAbout().Image1(), frmSplash().imgLogo(), frmSplash().Image1()}) {
            QVERIFY(!picture->pixmap().isNull());
            QCOMPARE(picture->pixmap().deviceIndependentSize().toSize(), picture->size());
        }
    }

    void openedTwiceIsOneWindow() {
        FormWindow* first = openFromMain();
        // The range entry window comes forward, then the entry is chosen again.
        mainForm().Show();
        QVERIFY(QTest::qWaitForWindowActive(mainForm().loadedWindow()));
        mainForm().about_Click();
        QCOMPARE(frmAbout().loadedWindow(), first);
        QCOMPARE(windowsNamed(QStringLiteral("frmAbout")), 1);
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(first));
        // Both stay usable: the about window has no owner and does not block the other.
        QVERIFY(!first->isModal());
        QVERIFY(!first->parentWidget());
        QVERIFY(mainForm().IsShown());
    }

    void closes_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("closes");
        QTest::newRow("OK clicked") << "click" << true;
        QTest::newRow("Enter") << "enter" << true;
        QTest::newRow("keypad Enter") << "keypad enter" << true;
        QTest::newRow("Esc") << "esc" << true;
        QTest::newRow("close box") << "close box" << true;
        QTest::newRow("a letter") << "letter" << false;
    }

    void closes() {
        QFETCH(QString, how);
        QFETCH(bool, closes);
        FormWindow* w = openFromMain();
        QWidget* focus = QApplication::focusWidget();
        QCOMPARE(focus, static_cast<QWidget*>(frmAbout().cmdOK()));
        if (how == QLatin1String("click"))
            QTest::mouseClick(frmAbout().cmdOK(), Qt::LeftButton);
        else if (how == QLatin1String("enter"))
            QTest::keyClick(focus, Qt::Key_Return);
        else if (how == QLatin1String("keypad enter"))
            QTest::keyClick(focus, Qt::Key_Enter, Qt::KeypadModifier);
        else if (how == QLatin1String("esc"))
            QTest::keyClick(focus, Qt::Key_Escape);
        else if (how == QLatin1String("close box"))
            w->close();
        else
            QTest::keyClick(focus, Qt::Key_A);
        flushUnloads();
        // A shortcut presses the button the way a click does, showing it pressed for a
        // moment first.
        if (closes)
            QTRY_VERIFY(!frmAbout().IsLoaded());
        else
            QVERIFY(frmAbout().IsLoaded());
        // The range entry window stays, and with it the run.
        QVERIFY(mainForm().IsShown());
        QCOMPARE(ends_, 0);
    }

    void closingMainLeavesAboutOpen() {
        openFromMain();
        mainForm().loadedWindow()->close();
        flushUnloads();
        QVERIFY(!mainForm().IsLoaded());
        QVERIFY(frmAbout().IsShown());
        QCOMPARE(ends_, 0);
        // The last window to close ends the run.
        frmAbout().cmdOK_Click();
        flushUnloads();
        QCOMPARE(ends_, 1);
    }
};

TIRVEX_TEST_MAIN(TestAbout)

#include "test_about.moc"
