#include "windows/about/frm_about.h"

#include "app/version.h"

FrmAbout& frmAbout() {
    static FrmAbout instance;
    return instance;
}

void FrmAbout::connectHandlers() {
    QObject::connect(cmdOK(), &QPushButton::clicked, cmdOK(), [this] { cmdOK_Click(); });
}

void FrmAbout::Form_Load() {
    lblVersion()->setCaption(QStringLiteral("نسخه ") + VersionText());
    // The button is the window's only control that takes the focus, so Enter reaches it
    // as soon as the window is shown.
    cmdOK()->setFocus();
}

void FrmAbout::cmdOK_Click() { Unload(); }
