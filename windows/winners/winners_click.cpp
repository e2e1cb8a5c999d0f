// The range entry window's menu entry opens the winners window, and its close asks first
// when the list holds rows that are in no file yet.
#include "windows/range_entry/main_form.h"
#include "windows/winners/frm_winners.h"

void MainForm::winners_Click() {
    // Show only brings the window forward when it is open already.
    frmWinners().Show();
}

void MainForm::Form_QueryUnload(bool& cancel) {
    cancel = !frmWinners().confirmLeaving(window());
}
