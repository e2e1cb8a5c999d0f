#include "app/activation_tracker.h"
#include "app/application.h"
#include "app/controls.h"
#include "app/error_report.h"
#include "app/form.h"
#include "test_main.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QWindow>
#include <algorithm>

namespace {
// Set to make the window's own kind of control fail while the window is built.
bool failBuilding = false;

QWidget* makeOwnControl(QWidget* parent) {
    if (failBuilding)
        throw error_report::Failure("building a control failed on purpose");
    return new QWidget(parent);
}

// A small window of the program's kind: a caption, a button whose handler writes the
// caption and then fails, and a text box whose key handlers fail when asked to.
class Probe : public Form {
  public:
    explicit Probe(const char* name) : name_(name) {}
    int loads = 0;
    int activations = 0;
    int clicks = 0;
    int kept = 0; // a member: it must outlive an unload
    bool failKeys = false;
    bool miswired = false; // a handler wired to a control the design does not have

    Label* Label1() { return control<Label>(QStringLiteral("Label1")); }
    CommandButton* Command1() { return control<CommandButton>(QStringLiteral("Command1")); }
    TextBox* Text1() { return control<TextBox>(QStringLiteral("Text1")); }

  protected:
    const design::Window& design() const override {
        static design::Window w{.name = "probe", .caption = "probe", .clientWidth = 3000,
                                .clientHeight = 2000, .backColor = 16777215,
                                .keyPreview = true, .controls = {
                                    {.kind = design::Kind::Label, .name = "Label1", .left = 150,
                                     .top = 150, .width = 1500, .height = 300, .caption = "design"},
                                    {.kind = design::Kind::CommandButton, .name = "Command1",
                                     .left = 150, .top = 600, .width = 1500, .height = 450,
                                     .caption = "go", .tabIndex = 0},
                                    {.kind = design::Kind::TextBox, .name = "Text1", .left = 150,
                                     .top = 1200, .width = 1500, .height = 450, .tabIndex = 1},
                                    {.kind = design::Kind::Custom, .name = "Own1", .left = 1800,
                                     .top = 150, .width = 300, .height = 300,
                                     .create = &makeOwnControl},
                                }};
        w.name = name_;
        return w;
    }
    void connectHandlers() override {
        on(Command1(), &QPushButton::clicked, [this] {
            ++clicks;
            Label1()->setCaption(QStringLiteral("written before the failure"));
            throw error_report::Failure("the handler failed on purpose");
        });
        Text1()->setKeyPressHandler([this](int&) {
            if (failKeys)
                throw error_report::Failure("the key filter failed on purpose");
        });
        if (miswired)
            control<Label>(QStringLiteral("Label9"));
    }
    void Form_KeyPress(int&) override {
        if (failKeys)
            throw error_report::Failure("the key preview failed on purpose");
    }
    void Form_Load() override { ++loads; }
    void Form_Activate() override { ++activations; }

  private:
    const char* name_;
};

Probe& first() {
    static Probe p("first");
    return p;
}
Probe& second() {
    static Probe p("second");
    return p;
}
} // namespace

class TestFormLifecycle : public QObject {
    Q_OBJECT
    QStringList reports;
    int ends = 0;

  private Q_SLOTS:
    void init() {
        reports.clear();
        ends = 0;
        error_report::setSink([this](const QString& m) { reports << m; });
        Application::setEndAction([this] { ++ends; });
    }
    void cleanup() {
        failBuilding = false;
        first().miswired = false;
        first().failKeys = false;
        first().Unload();
        second().Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    void referenceLoadsWithoutShowing() {
        QVERIFY(!first().IsLoaded());
        const int before = first().loads;
        QCOMPARE(first().Label1()->caption(), QStringLiteral("design"));
        QVERIFY(first().IsLoaded());
        QVERIFY(!first().IsShown());
        QCOMPARE(first().loads, before + 1);
        // Naming another control of a loaded form loads nothing again.
        first().Command1();
        QCOMPARE(first().loads, before + 1);
    }

    void unloadKeepsMembersAndDropsControls() {
        first().kept = 41;
        first().Label1()->setCaption(QStringLiteral("changed"));
        QPointer<QWidget> label = first().Label1();
        first().Unload();
        QVERIFY(!first().IsLoaded());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(label.isNull());
        QCOMPARE(first().kept, 41);
        // Loading again builds the controls afresh from the design.
        QCOMPARE(first().Label1()->caption(), QStringLiteral("design"));
    }

    void secondShowOpensNoSecondWindow() {
        first().Show();
        QWidget* w = first().loadedWindow();
        first().Show();
        QCOMPARE(first().loadedWindow(), w);
        int visible = 0;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->isVisible() && top->objectName() == QLatin1String("first"))
                ++visible;
        QCOMPARE(visible, 1);
    }

    void activateRunsOnReturnFromAnotherWindowOfTheProgram() {
        const int start = first().activations;
        first().Show();
        QTRY_COMPARE(first().activations, start + 1);
        second().Show();
        QTRY_COMPARE(QGuiApplication::focusWindow(), second().loadedWindow()->windowHandle());
        QCOMPARE(first().activations, start + 1);
        first().Show();
        QTRY_COMPARE(first().activations, start + 2);
    }

    void activateDoesNotRunOnReturnFromAnotherProgram() {
        first().Show();
        QTRY_VERIFY(ActivationTracker::lastActive() == &first());
        const int start = first().activations;
        // The program loses the focus to another program and gets it back, as the
        // platform reports it: no window of the program, then the same window again.
        auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
        Q_EMIT app->focusWindowChanged(nullptr);
        Q_EMIT app->focusWindowChanged(first().loadedWindow()->windowHandle());
        QCOMPARE(first().activations, start);
    }

    void aFailingHandlerIsReportedAndTheProgramGoesOn() {
        first().Show();
        QTest::mouseClick(first().Command1(), Qt::LeftButton);
        QCOMPARE(first().clicks, 1);
        QCOMPARE(reports.size(), 1);
        QVERIFY(reports.first().contains(QLatin1String("failed on purpose")));
        // What the handler did before the failure stays done.
        QCOMPARE(first().Label1()->caption(), QStringLiteral("written before the failure"));
        // The program goes on: the next click is handled and reported in turn.
        QTest::mouseClick(first().Command1(), Qt::LeftButton);
        QCOMPARE(first().clicks, 2);
        QCOMPARE(reports.size(), 2);
    }

    // A failure is reported where the form's code was called and never unwinds through
    // the toolkit's frames, even where a signal or an event reaches the form without
    // passing the application object. A key whose handler failed is not typed.
    void aFailureNeverLeavesTheFormCode_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("a click from code") << "click";
        QTest::newRow("the window's key preview") << "preview";
        QTest::newRow("the text box's key filter") << "filter";
    }
    void aFailureNeverLeavesTheFormCode() {
        QFETCH(QString, path);
        Probe& p = first();
        p.failKeys = true;
        p.Show();
        TextBox* box = p.Text1();
        box->setText(QStringLiteral("5"));
        QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QObject* window = p.window();
        try {
            if (path == QLatin1String("click"))
                p.Command1()->click();
            else if (path == QLatin1String("preview"))
                window->eventFilter(box, &key);
            else
                static_cast<QObject*>(box)->event(&key);
        } catch (...) {
            QFAIL("the failure unwound past the form's code");
        }
        QCOMPARE(reports.size(), 1);
        QVERIFY(reports.first().contains(QLatin1String("on purpose")));
        QCOMPARE(box->text(), QStringLiteral("5"));
    }

    // A failure while a window is built leaves nothing half loaded: no window stays
    // behind, Form_Load has not run, and once the fault is gone the next reference loads
    // the window whole.
    void aFailedLoadLeavesNothingBehind_data() {
        QTest::addColumn<bool>("whileBuilding"); // else while wiring the handlers
        QTest::newRow("building the controls") << true;
        QTest::newRow("wiring the handlers") << false;
    }
    void aFailedLoadLeavesNothingBehind() {
        QFETCH(bool, whileBuilding);
        auto windows = [] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            const QWidgetList all = QApplication::topLevelWidgets();
            return std::count_if(all.begin(), all.end(), [](const QWidget* w) {
                return w->objectName() == QLatin1String("first");
            });
        };
        Probe& p = first();
        const int loads = p.loads;
        failBuilding = whileBuilding;
        p.miswired = !whileBuilding;
        QVERIFY_THROWS_EXCEPTION(error_report::Failure, p.Label1());
        QVERIFY(!p.IsLoaded());
        QCOMPARE(p.loads, loads);
        QCOMPARE(windows(), 0);
        failBuilding = false;
        p.miswired = false;
        QCOMPARE(p.Label1()->caption(), QStringLiteral("design"));
        QVERIFY(p.IsLoaded());
        QCOMPARE(p.loads, loads + 1);
        QCOMPARE(windows(), 1);
    }

    void aFailureOutsideAHandlerIsCaughtByTheApplication() {
        // An event whose receiver throws, with no handler wrapper in between.
        struct Thrower : QObject {
            bool event(QEvent* e) override {
                if (e->type() == QEvent::User)
                    throw error_report::Failure("an event failed");
                return QObject::event(e);
            }
        } thrower;
        QEvent event(QEvent::User);
        QCoreApplication::sendEvent(&thrower, &event);
        // The operator reads that the program goes on, with the message under it.
        QCOMPARE(reports, QStringList{error_report::boxText(QString(), QStringLiteral("an event failed"))});
    }

    void programEndsOnlyWhenNoWindowIsLoaded() {
        first().Show();
        second().Show();
        first().Unload();
        QCoreApplication::processEvents();
        QCOMPARE(ends, 0);
        // Unloading one window and loading another in the same handler does not end it.
        second().Unload();
        first().Load();
        QCoreApplication::processEvents();
        QCOMPARE(ends, 0);
        first().Unload();
        QCOMPARE(ends, 0); // checked only once control is back in the event loop
        QCoreApplication::processEvents();
        QCOMPARE(ends, 1);
    }

    void closeCommandUnloads() {
        first().Show();
        first().loadedWindow()->close();
        QVERIFY(!first().IsLoaded());
    }
};

TIRVEX_TEST_MAIN(TestFormLifecycle)
#include "test_form_lifecycle.moc"
