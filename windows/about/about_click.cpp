// The range entry window's menu entry opens the about window.
#include "windows/range_entry/main_form.h"

void MainForm::about_Click() {}
