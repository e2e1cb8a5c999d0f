#pragma once

#include "app/application.h"
#include "app/design.h"
#include "app/error_report.h"
#include "app/twips.h"

#include <QHash>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <utility>
#include <vector>

class QScreen;
class QWindow;
class Form;

// The top-level widget of a loaded form. It lives only while its form is loaded.
class FormWindow : public twips::ScaledWindow {
    Q_OBJECT
  public:
    FormWindow(Form& form, Qt::WindowFlags flags);
    Form& form() const { return form_; }
    // The area controls are placed in: the whole window, or what lies below a menu bar.
    QWidget* client() const { return client_; }
    void setClient(QWidget* client) { client_ = client; }

    // Draws the window at the given scale: every control at its design twips times the
    // scale, every font the window or a control sets likewise, from the size the design
    // gave it.
    void drawAtScale(double scale);
    // Draws the window's pictures again where it now stands on a screen of another density.
    void drawPicturesForScreen();
    // Has the program follow the window whenever it goes to another screen; following it
    // twice follows it once.
    void followMovesBetweenScreens();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Form& form_;
    QWidget* client_ = this;
    // The pixel size of each font set on the window or a control, as the design gave it,
    // noted when the window is first drawn at a scale. A widget may go before the window
    // does (a box the window owned), and its entry with it.
    std::vector<std::pair<QPointer<QWidget>, int>> designFontPixels_;
    // The native window whose moves between screens are followed.
    QPointer<QWindow> followed_;
};

// A window as the program thinks of it: one object per window class for the whole run,
// whose widget and controls exist only while it is loaded.
//  - Naming a control loads the form (creates its controls from the design and runs
//    Form_Load) without showing it.
//  - Show() is modeless with no owner; showing a shown window only activates it.
//  - Unload() destroys the widget and its controls; the members of the form stay.
//  - Form_Activate runs when the window becomes the program's active window after
//    another window of the program was.
class Form {
  public:
    Form();
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    bool IsLoaded() const { return !window_.isNull(); }
    bool IsShown() const;
    void Load();
    void Show();
    void Unload();

    // The window widget, loading the form first.
    FormWindow* window();
    // The window widget, or nullptr when the form is not loaded.
    FormWindow* loadedWindow() const { return window_.data(); }

    // A control by its design name ("Label1", "Label1(3)"), loading the form first.
    template <class T = QWidget> T* control(const QString& key) {
        Load();
        if (T* c = qobject_cast<T*>(controls_.value(key).data()))
            return c;
        throw error_report::Failure(
            QStringLiteral("%1 has no control %2").arg(designName(), key).toStdString());
    }

    QString designName() const;

    // The tracker calls this when the window becomes the program's active window.
    void activated();

    static bool anyLoaded();
    static Form* ofWindow(const QWindow* window);

    // Screens were added, removed, moved, resized or scaled, or a window went to another
    // screen: a full-screen window fills its screen again (the one it was moved to, or the
    // one Qt moved it to when its own went away) and is laid out for it, a window of fixed
    // size keeps its design size in its screen's pixels, and a window left mostly off every
    // screen is centred on one. Safe to call at any time.
    static void followScreens();

  protected:
    virtual const design::Window& design() const = 0;
    // Connects the controls' signals to the form's handlers; runs at every load.
    virtual void connectHandlers() {}
    // Connects a control's signal to a handler of the form. The connection lives as long
    // as the control, and a handler that fails is reported without ending the program.
    template <class Sender, class Signal, class Handler>
    static void on(Sender* sender, Signal signal, Handler handler) {
        QObject::connect(sender, signal, sender,
                         [handler] { Application::runHandler(handler); });
    }
    virtual void Form_Load() {}
    // The window's close box or the system's close command: setting cancel keeps the form
    // loaded. Code that unloads the form is not asked.
    virtual void Form_QueryUnload(bool& cancel) { (void)cancel; }
    virtual void Form_Activate() {}
    // A key that types a character, seen by the window before its controls when the
    // design turns key preview on; setting key to 0 swallows it.
    virtual void Form_KeyPress(int& key) { (void)key; }
    // Places the window before it is first shown, on the screen of the window it is opened
    // from: centred, or over that whole screen.
    virtual void placeWindow(FormWindow& window);
    // The full-screen window now stands on a screen of another size or place, and has been
    // fitted to it; the form lays its controls out again.
    virtual void screenChanged() {}

  private:
    friend class FormWindow;
    void keyPreview(int& key) { Form_KeyPress(key); }
    Qt::WindowFlags windowFlags() const;
    // The window and its controls from the design; the controls go into controls_.
    std::unique_ptr<FormWindow> buildWindow();
    // Covers the screen with the window, shrinking it to show whole where the screen is
    // smaller than the design.
    void fillScreen(FormWindow& window, QScreen* screen);
    void followScreen();

    QPointer<FormWindow> window_;
    QHash<QString, QPointer<QObject>> controls_;
    bool loading_ = false;
    // The screen area a full-screen window was last fitted to.
    QRect fittedTo_;
};
