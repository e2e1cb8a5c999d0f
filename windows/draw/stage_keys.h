#pragma once

class Form1;

// The operator's keys on the stage, where a presentation clicker is often all the operator
// holds. Between draws the clicker's forward keys (PageDown, Right, and Down beside them)
// start the next draw, and Tab, Space and Enter keep their meaning for the two buttons.
// While a draw runs no key does anything, so nothing can stop it in front of the audience;
// Alt+F4 stays the system's. Every other key, a clicker's back and blank-screen keys among
// them, never starts, closes or moves anything.
namespace stage_keys {

// Watches the keys that reach the stage's window and its controls, for as long as this
// load of the stage lasts.
void install(Form1& stage);

} // namespace stage_keys
