#include "windows/splash/frm_splash.h"

#include "app/version.h"
#include "windows/range_entry/main_form.h"

FrmSplash& frmSplash() {
    static FrmSplash instance;
    return instance;
}

void FrmSplash::connectHandlers() {
    QObject::connect(Frame1(), &Frame::clicked, Frame1(), [this] { Frame1_Click(); });
}

void FrmSplash::Form_Load() { Label1()->setCaption(VersionText()); }

void FrmSplash::Form_KeyPress(int& key) {
    (void)key;
    moveOn();
}

void FrmSplash::Frame1_Click() { moveOn(); }

void FrmSplash::moveOn() {
    // A second key or click can still be queued for the window after the first one
    // unloaded it; the hand-over happens once, so that one does nothing.
    if (!IsLoaded())
        return;
    // Unloading first and showing next, in one handler, never leaves the run without a
    // loaded window: the end of the run is only checked once the handler has returned.
    Unload();
    mainForm().Show();
}
