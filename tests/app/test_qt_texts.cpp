// Qt's own texts as the operator meets them: every text Qt looks up while the program shows
// its menus and boxes has a Persian entry in our translation, and what is shown reads as
// Persian, with Persian letters and no accelerator letter inside a word.
#include "app/bidi.h"
#include "app/error_report.h"
#include "windows/range_entry/main_form.h"

#include <QAbstractButton>
#include <QContextMenuEvent>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTimer>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>
#include <stdexcept>

#include "test_main.h"

namespace {
// Consulted before the program's translation (the last installed is asked first): notes
// each text Qt looks up and answers nothing, so the program's translation still answers.
class LookupRecorder : public QTranslator {
  public:
    QString translate(const char* context, const char* source, const char* disambiguation,
                      int n) const override {
        Q_UNUSED(disambiguation);
        Q_UNUSED(n);
        if (source && *source)
            looked_up.insert({QString::fromUtf8(context), QString::fromUtf8(source)});
        return {};
    }
    bool isEmpty() const override { return false; }
    mutable QSet<QPair<QString, QString>> looked_up;
};

// Letters of Arabic that Persian writes otherwise: yeh and kaf.
const QRegularExpression ArabicLetters(QStringLiteral("[\u064A\u0643]"));
// An accelerator marker: an ampersand before a letter (a literal one is doubled).
const QRegularExpression Accelerator(QStringLiteral("&(?!&)\\w"));

// Runs `show`, which opens a popup or a modal box; what it opened is read by `read` and
// closed as soon as the event loop runs inside it.
void whileOpen(const std::function<void()>& show, const std::function<void(QWidget*)>& read) {
    bool seen = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* w = QApplication::activePopupWidget();
        if (!w)
            w = QApplication::activeModalWidget();
        if (!w || seen)
            return;
        seen = true;
        read(w);
        w->close();
    });
    poll.start(10);
    show();
    QTRY_VERIFY(seen);
}

// A handler failure the program did not foresee: thrown from an event, as a fault would.
class Faulty : public QObject {
  protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User)
            throw std::runtime_error("the disk is on fire");
        return QObject::event(e);
    }
};
} // namespace

class TestQtTexts : public QObject {
    Q_OBJECT
    LookupRecorder recorder_;
    QTranslator ours_;
    QStringList shown_;

    void noteShown(QWidget* w) {
        if (auto* menu = qobject_cast<QMenu*>(w)) {
            for (QAction* a : menu->actions())
                if (!a->isSeparator())
                    shown_ << a->text().section(QLatin1Char('\t'), 0, 0);
        }
        for (auto* b : w->findChildren<QAbstractButton*>())
            shown_ << b->text();
    }

  private Q_SLOTS:
    void initTestCase() {
        QVERIFY(ours_.load(QStringLiteral(":/translations/qt_fa.qm")));
        QCoreApplication::installTranslator(&recorder_);
        error_report::setSink({});
    }

    // The bound fields' context menu, the bounds message and an error report, as the
    // operator opens them; then every text Qt looked up on the way must have an entry.
    void everyQtTextShownHasAnEntry() {
        MainForm& form = mainForm();
        form.Show();
        for (TextBox* field : {form.Text1(), form.Text2()}) {
            whileOpen(
                [&] {
                    QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(2, 2), field->mapToGlobal(QPoint(2, 2)));
                    QCoreApplication::sendEvent(field, &e);
                },
                [&](QWidget* w) { noteShown(w); });
        }
        form.Text1()->setText(QStringLiteral("9"));
        form.Text2()->setText(QStringLiteral("1"));
        whileOpen([&] { form.Label2_Click(); }, [&](QWidget* w) { noteShown(w); });
        Faulty faulty;
        QEvent fault(QEvent::User);
        whileOpen([&] { QCoreApplication::sendEvent(&faulty, &fault); }, [&](QWidget* w) { noteShown(w); });
        form.Unload();
        flushUnloads();

        QVERIFY2(shown_.size() >= 8, qPrintable(shown_.join(QLatin1String(" | "))));
        QStringList missing;
        for (const auto& [context, source] : std::as_const(recorder_.looked_up))
            if (ours_.translate(context.toUtf8(), source.toUtf8()).isEmpty())
                missing << context + QLatin1String(": ") + source;
        missing.sort();
        QVERIFY2(missing.isEmpty(), qPrintable(QLatin1String("no Persian entry for ") + missing.join(QLatin1String(", "))));

        for (const QString& text : std::as_const(shown_)) {
            QVERIFY2(!text.contains(QRegularExpression(QStringLiteral("[A-Za-z]"))), qPrintable(text));
            QVERIFY2(!text.contains(ArabicLetters), qPrintable(text));
            QVERIFY2(!text.contains(Accelerator), qPrintable(text));
        }
    }

    // A failure that is not one of the program's own: the box says in Persian that the
    // program goes on, and the English message is only its detail.
    void unforeseenErrorSpeaksPersian() {
        QString text, detail;
        Faulty faulty;
        QEvent fault(QEvent::User);
        whileOpen([&] { QCoreApplication::sendEvent(&faulty, &fault); },
                  [&](QWidget* w) {
                      auto* box = qobject_cast<QMessageBox*>(w);
                      QVERIFY(box);
                      text = box->text();
                      detail = box->informativeText();
                  });
        QVERIFY2(text.contains(QStringLiteral("برنامه")), qPrintable(text));
        QVERIFY2(!text.contains(QLatin1String("fire")), qPrintable(text));
        QVERIFY2(!text.contains(ArabicLetters), qPrintable(text));
        QCOMPARE(detail, bidi::leftToRight(QStringLiteral("the disk is on fire")));
    }

    // Every entry of the translation, including those only some platforms reach (the
    // menu of direction marks that Windows adds for a right-to-left keyboard).
    void translationUsesPersianLettersWithoutAccelerators() {
        QFile ts(qEnvironmentVariable("TIRVEX_TEST_SOURCE") + QLatin1String("/resources/translations/qt_fa.ts"));
        QVERIFY2(ts.open(QIODevice::ReadOnly), qPrintable(ts.fileName()));
        QXmlStreamReader xml(&ts);
        int entries = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("translation")) {
                const QString text = xml.readElementText();
                ++entries;
                QVERIFY2(!text.isEmpty(), "an empty translation");
                QVERIFY2(!text.contains(ArabicLetters), qPrintable(text));
                QVERIFY2(!text.contains(Accelerator), qPrintable(text));
            }
        }
        QVERIFY(!xml.hasError());
        QVERIFY(entries > 20);
    }
};

TIRVEX_TEST_MAIN(TestQtTexts)
#include "test_qt_texts.moc"
