#pragma once

#include <QHash>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

class QMenuBar;
class QObject;
class QWidget;

// A window's design as a table: one row per control, in twips and points exactly as the
// window stores them, so a reviewer can hold a row against the window's description.
// One builder turns the rows into widgets each time the window is loaded.
namespace design {

enum class Kind { Label, TextBox, ComboBox, CommandButton, Frame, Picture, Line, Timer, Menu, Custom };
enum class Align { Left, Right, Centre };

struct Font {
    const char* face = nullptr; // nullptr: the container's font
    double points = 0;
    bool bold = true;
};

// The Persian title face that most captions use, bold.
constexpr Font titr(double points) { return {"B Titr", points, true}; }

struct Control {
    Kind kind = Kind::Label;
    const char* name = "";
    int index = -1;                  // member of a control array, or -1
    const char* container = nullptr; // a frame's name, or nullptr for the window
    // Left, Top, Width, Height; for a line, its two end points x1, y1, x2, y2.
    double left = 0, top = 0, width = 0, height = 0;
    const char* caption = ""; // UTF-8, exactly the stored code points
    std::optional<std::uint32_t> foreColor{};
    std::optional<std::uint32_t> backColor{}; // labels: none means transparent...
    bool opaque = false;                      // ...unless opaque in the system's colour
    Font font{};
    Align align = Align::Left;
    bool rightToLeft = false;
    bool visible = true;
    bool enabled = true;
    int tabIndex = -1;
    bool autoSize = false;
    bool wordWrap = false;
    bool border = false; // frames: a standard border; labels: a thin single line
    int maxLength = 0;   // text boxes; 0 means no limit
    std::vector<const char*> items{};
    const char* picture = nullptr; // a resource path
    int interval = 0;              // timers, in milliseconds
    int lineWidth = 1;             // lines, in pixels
    bool isDefault = false;        // buttons: Enter presses it
    bool isCancel = false;         // buttons: Esc presses it
    QWidget* (*create)(QWidget* parent) = nullptr; // a control kind of the window's own
};

enum class Border { None, FixedSingle, FixedDialog };

struct Window {
    const char* name = "";
    const char* caption = "";
    double clientWidth = 0, clientHeight = 0;
    std::uint32_t backColor = 0;
    Font font{};
    Border border = Border::FixedSingle;
    bool titleBar = true;
    bool closeBox = true;
    bool fullScreen = false;
    bool centred = true;
    bool taskbarEntry = true;
    bool keyPreview = false;
    const char* icon = nullptr;    // a resource path
    const char* picture = nullptr; // drawn unscaled at the top left of the client area
    std::vector<Control> controls{};
};

// The name a control is found by: its design name, with "(index)" for array members.
QString controlKey(const Control& row);

// Creates the controls of a design inside the client area. Returns each control under
// its key; the client area itself is not among them.
// Menu entries go on the menu bar, which a window without entries does not need.
QHash<QString, QPointer<QObject>> build(const Window& window, QWidget* client, QMenuBar* menuBar);
bool hasMenu(const Window& window);

// The window's own font, where one is stored; otherwise the platform's dialog font.
void applyWindowLook(const Window& window, QWidget* client);
} // namespace design
