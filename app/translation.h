#pragma once

// Qt's own texts (a text field's context menu, the buttons of a message box) in Persian,
// from the translation compiled into the program, so the operator reads no English.
namespace translation {
// Installs the translation once; does nothing when the build carries none.
void install();
} // namespace translation
