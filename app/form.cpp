#include "app/form.h"

#include "app/activation_tracker.h"
#include "app/application.h"
#include "app/centring.h"
#include "app/controls.h"
#include "app/pictures.h"
#include "app/screens.h"
#include "app/twips.h"

#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QDialog>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {
std::vector<Form*>& allForms() {
    static std::vector<Form*> forms;
    return forms;
}

void placeBackdrop(const QString& path, QWidget* client) {
    auto* backdrop = new Backdrop(path, client);
    if (!backdrop->load()) {
        delete backdrop;
        return;
    }
    backdrop->setObjectName(QStringLiteral("picture"));
    backdrop->lower();
}

// A window of fixed size keeps its design size in the pixels of the screen it stands on.
// Moved to a screen of another scale, the window's frame may keep as many of the screen's
// own pixels as before (X11 does) while its content is drawn at the new scale, which would
// cut the content off: it is sized again, and where it then reaches past the desktop's
// edge, moved back onto its screen, so all of it can be seen and clicked. A window that
// reaches onto another screen is left where it is: the user may be dragging it across.
void keepDesignSize(QWidget& w, const QScreen* screen) {
    const QSize designSize = w.minimumSize();
    if (designSize != w.maximumSize() || w.size() == designSize)
        return;
    const QRect before = w.frameGeometry();
    const QSize frameExtra = before.size() - w.size();
    w.resize(designSize);
    if (!screen)
        return;
    const QRect area = screens::area(screen);
    const QRect frame(before.topLeft(), designSize + frameExtra);
    if (screens::reachable(frame))
        return;
    if (const QPoint at = screens::pulledOnto(frame, area); at != frame.topLeft())
        w.move(at);
}

// A box the window owns (a report over the stage) is a window of its own, which X11 leaves
// where it stands when its owner goes to another screen: perhaps on a screen that is gone,
// out of reach, while it holds every window of the program. It goes along, centred on the
// owner's new screen.
void bringBoxesAlong(QWidget& owner, const QScreen* screen) {
    for (QDialog* box : owner.findChildren<QDialog*>())
        if (box->isWindow() && box->isVisible())
            centring::centreOnScreen(*box, screen);
}
// Screen readers speak a frame's or a dialog's name when it becomes active or changes it,
// and Qt describes a plain top-level widget as neither.
QAccessibleInterface* describeWindow(const QString& className, QObject* object) {
    auto* w = qobject_cast<FormWindow*>(object);
    if (className != QLatin1String("FormWindow") || !w)
        return nullptr;
    return new QAccessibleWidget(w, w->windowType() == Qt::Dialog ? QAccessible::Dialog
                                                                  : QAccessible::Window);
}
} // namespace

FormWindow::FormWindow(Form& form, Qt::WindowFlags flags)
    : twips::ScaledWindow(nullptr, flags), form_(form) {
    static const bool described = (QAccessible::installFactory(&describeWindow), true);
    (void)described;
}

void FormWindow::drawAtScale(double value) {
    if (scale() == value)
        return;
    setScale(value);
    std::erase_if(designFontPixels_, [](const auto& entry) { return entry.first.isNull(); });
    QList<QWidget*> widgets = findChildren<QWidget*>();
    widgets.prepend(this);
    for (QWidget* widget : widgets) {
        if (!widget->testAttribute(Qt::WA_SetFont))
            continue;
        auto noted = std::find_if(designFontPixels_.begin(), designFontPixels_.end(),
                                  [widget](const auto& entry) { return entry.first == widget; });
        if (noted == designFontPixels_.end())
            noted = designFontPixels_.insert(designFontPixels_.end(),
                                             {widget, widget->font().pixelSize()});
        QFont font = widget->font();
        font.setPixelSize(std::max(1, int(std::lround(noted->second * value))));
        widget->setFont(font);
    }
    // A caption narrowed to fit its label is fitted again at the new size.
    for (Label* label : findChildren<Label*>())
        label->narrowToFit();
}

void FormWindow::drawPicturesForScreen() {
    for (Backdrop* backdrop : findChildren<Backdrop*>())
        backdrop->drawForScreen();
    for (Picture* picture : findChildren<Picture*>())
        picture->drawForScreen();
}

void FormWindow::followMovesBetweenScreens() {
    winId();
    QWindow* handle = windowHandle();
    if (!handle || handle == followed_)
        return;
    followed_ = handle;
    screens::followWindow(handle);
}

void FormWindow::closeEvent(QCloseEvent* event) {
    // The window's close command unloads the form, like code would, unless the form asks
    // to stay.
    event->ignore();
    Application::runHandler([this] {
        bool cancel = false;
        form_.Form_QueryUnload(cancel);
        if (!cancel)
            form_.Unload();
    });
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        int code = characterCode(key);
        if (code != 0) {
            // A key handler that failed swallows its key rather than pass it on half-judged.
            if (!Application::runHandler([&] { form_.keyPreview(code); }))
                code = 0;
            if (code == 0 || !form_.IsLoaded())
                return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

Form::Form() { allForms().push_back(this); }

Form::~Form() {
    auto& forms = allForms();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    if (QCoreApplication::instance())
        delete window_.data();
}

bool Form::IsShown() const { return window_ && window_->isVisible(); }

QString Form::designName() const { return QString::fromUtf8(design().name); }

Qt::WindowFlags Form::windowFlags() const {
    const design::Window& d = design();
    Qt::WindowFlags flags = d.border == design::Border::FixedDialog ? Qt::Dialog : Qt::Window;
    if (!d.taskbarEntry)
        flags = Qt::Tool;
    if (d.fullScreen || d.border == design::Border::None || !d.titleBar) {
        flags |= Qt::FramelessWindowHint;
        return flags;
    }
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint;
    if (d.closeBox)
        flags |= Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint;
    return flags;
}

void Form::Load() {
    if (window_ || loading_)
        return;
    // A failure while the window is built undoes the whole load: no half-built window is
    // left behind, and the next reference builds afresh. Form_Load is a handler like any
    // other, so what it did before a failure stays done and the form stays loaded.
    loading_ = true;
    std::unique_ptr<FormWindow> w;
    try {
        w = buildWindow();
        window_ = w.get();
        connectHandlers();
    } catch (...) {
        window_.clear();
        controls_.clear();
        loading_ = false;
        throw;
    }
    w.release(); // from here on the form owns it, and Unload deletes it
    loading_ = false;
    Form_Load();
}

std::unique_ptr<FormWindow> Form::buildWindow() {
    const design::Window& d = design();
    auto w = std::make_unique<FormWindow>(*this, windowFlags());
    w->setObjectName(QString::fromUtf8(d.name));
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    w->setWindowTitle(QString::fromUtf8(d.caption));
    // A window without an icon of its own shows none, rather than a platform default.
    w->setWindowIcon(d.icon ? pictures::icon(QString::fromLatin1(d.icon)) : pictures::noIcon());

    QWidget* client = w.get();
    QMenuBar* menuBar = nullptr;
    if (design::hasMenu(d)) {
        menuBar = new QMenuBar(w.get());
        client = new QWidget(w.get());
        client->setObjectName(QStringLiteral("client"));
        w->setClient(client);
    }
    design::applyWindowLook(d, client);
    const QSize clientSize(twips::toPixels(d.clientWidth), twips::toPixels(d.clientHeight));
    client->resize(clientSize);
    controls_ = design::build(d, client, menuBar);
    if (d.picture)
        placeBackdrop(QString::fromLatin1(d.picture), client);
    if (menuBar) {
        if (d.font.face)
            menuBar->setFont(client->font());
        const int barHeight = menuBar->sizeHint().height();
        menuBar->setGeometry(0, 0, clientSize.width(), barHeight);
        client->move(0, barHeight);
        w->setFixedSize(clientSize.width(), clientSize.height() + barHeight);
    } else if (!d.fullScreen) {
        w->setFixedSize(clientSize);
    }
    if (d.keyPreview) {
        w->installEventFilter(w.get());
        for (QWidget* child : w->findChildren<QWidget*>())
            child->installEventFilter(w.get());
    }
    return w;
}

FormWindow* Form::window() {
    Load();
    return window_.data();
}

void Form::placeWindow(FormWindow& w) {
    const design::Window& d = design();
    const Form* last = ActivationTracker::lastActive();
    QScreen* screen = screens::forOpening(last && last->IsShown() ? last->loadedWindow() : nullptr);
    if (d.fullScreen)
        fillScreen(w, screen);
    else if (d.centred)
        centring::centreOnScreen(w, screen);
}

void Form::fillScreen(FormWindow& w, QScreen* screen) {
    const design::Window& d = design();
    const QRect area = screens::area(screen);
    fittedTo_ = area;
    const QSize designSize(twips::toPixels(d.clientWidth), twips::toPixels(d.clientHeight));
    w.drawAtScale(screens::fitScale(designSize, area.size()));
    if (w.geometry() == area && w.windowState().testFlag(Qt::WindowFullScreen))
        return;
    // A window is made full-screen on the screen it stands on, so it is put there first
    // (Qt is told too, before the window exists for the window manager); one that is
    // full-screen already is let go of its old screen before it moves.
    if (w.windowState().testFlag(Qt::WindowFullScreen))
        w.setWindowState(w.windowState() & ~Qt::WindowFullScreen);
    w.setGeometry(area);
    w.winId();
    if (QWindow* handle = w.windowHandle(); handle && screen)
        handle->setScreen(screen);
    w.setWindowState(w.windowState() | Qt::WindowFullScreen);
}

void Form::followScreen() {
    FormWindow* w = window_.data();
    QScreen* screen = screens::of(w);
    // The window manager may have refitted a full-screen window to a screen that changed its
    // mode; what counts is the screen its controls were laid out for.
    const QRect area = screens::area(screen);
    if (!design().fullScreen) {
        keepDesignSize(*w, screen);
        if (screen && screens::stranded(w)) {
            centring::centreOnScreen(*w, screen);
            bringBoxesAlong(*w, screen);
        }
    } else if (area != fittedTo_ || w->geometry() != area) {
        fillScreen(*w, screen);
        if (screen)
            bringBoxesAlong(*w, screen);
        Application::runHandler([this] { screenChanged(); });
    }
    w->drawPicturesForScreen();
}

void Form::followScreens() {
    for (Form* f : allForms())
        if (f->IsShown())
            f->followScreen();
}

void Form::Show() {
    Load();
    FormWindow* w = window_.data();
    if (!w->isVisible()) {
        placeWindow(*w);
        // The window was built before it was placed, perhaps on a screen of another scale.
        w->drawPicturesForScreen();
        w->show();
    }
    w->followMovesBetweenScreens();
    w->raise();
    w->activateWindow();
}

void Form::Unload() {
    if (!window_)
        return;
    FormWindow* w = window_.data();
    window_.clear();
    // Timers stop now, not when the widget is finally deleted, so no tick of an unloaded
    // window ever arrives.
    for (QTimer* timer : w->findChildren<QTimer*>())
        timer->stop();
    controls_.clear();
    ActivationTracker::forget(this);
    w->hide();
    // The handler that unloads may be running inside one of the window's own controls.
    w->deleteLater();
    Application::scheduleEndCheck();
}

void Form::activated() {
    if (IsLoaded())
        Form_Activate();
}

bool Form::anyLoaded() {
    const auto& forms = allForms();
    return std::any_of(forms.begin(), forms.end(), [](const Form* f) { return f->IsLoaded(); });
}

Form* Form::ofWindow(const QWindow* window) {
    if (!window)
        return nullptr;
    for (Form* f : allForms())
        if (f->window_ && f->window_->windowHandle() == window)
            return f;
    return nullptr;
}
