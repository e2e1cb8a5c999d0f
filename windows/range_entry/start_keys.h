#pragma once

class MainForm;
class QAction;

// The range entry window from the keyboard: F5 and Ctrl+Enter do what a click on the start
// caption does, wherever the focus is in the window. The caption names those keys in its
// tooltip, and to assistive technology it is a button that can be pressed, with them as
// its shortcut.
namespace start_keys {

// The action the keys trigger; the window connects it to the caption's click handler.
QAction* install(MainForm& form);

} // namespace start_keys
