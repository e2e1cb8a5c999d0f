// The range entry window's menu entry opens the about window.
#include "windows/about/frm_about.h"
#include "windows/range_entry/main_form.h"

void MainForm::about_Click() {
    // Show loads the window when it is not loaded and only brings it forward when it is
    // already open, so choosing the entry twice never makes a second one.
    frmAbout().Show();
}
