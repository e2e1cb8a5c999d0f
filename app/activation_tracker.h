#pragma once

class Form;

// Follows which window of the program is active. A form's Form_Activate runs when its
// window becomes the active window after another window of the program was; coming back
// from another program, or from a message box, does not count.
class ActivationTracker {
  public:
    static void install();
    // An unloaded form is no longer the last active one: its next showing activates anew.
    static void forget(const Form* form);
    static const Form* lastActive();
};
