#include "windows/about/frm_about.h"

#include "app/bidi.h"
#include "app/fonts.h"
#include "app/version.h"

FrmAbout& frmAbout() {
    static FrmAbout instance;
    return instance;
}

void FrmAbout::connectHandlers() {
    on(cmdOK(), &QPushButton::clicked, [this] { cmdOK_Click(); });
}

QString FrmAbout::QtNotice() {
    // Latin runs are isolated left to right, so the right-to-left sentence cannot reorder
    // the words of the copyright line or the folder's name.
    const auto ltr = bidi::leftToRight;
    const QString licences =
#ifdef TIRVEX_LICENCES_BESIDE_PROGRAM
        QStringLiteral("متن مجوزها در پوشه‌ی %1 کنار برنامه است.").arg(ltr(QStringLiteral("licences")));
#else
        QStringLiteral("متن مجوزها در پوشه‌ی %1 است.").arg(ltr(QStringLiteral("/usr/share/doc/tirvex")));
#endif
    // Whatever the copying notice above forbids, the LGPLv3 lets every user change Qt's part
    // of the program for their own use and reverse engineer it to debug such changes.
    const QString changes =
        QStringLiteral("شما اجازه دارید بخش %1 این برنامه را برای استفاده‌ی خود تغییر دهید و برای "
                       "رفع اشکال چنین تغییری، برنامه را مهندسی معکوس کنید.")
            .arg(ltr(QStringLiteral("Qt")));
    // Qt's copyright line has a line of its own, between the Persian sentences.
    return QStringLiteral("این برنامه از %1 با مجوز %2 استفاده می‌کند.\n%3\n%4\n%5")
        .arg(ltr(QStringLiteral("Qt")), ltr(QStringLiteral("LGPLv3")),
             ltr(QStringLiteral("Qt: Copyright (C) The Qt Company Ltd. and other contributors.")),
             changes, licences);
}

void FrmAbout::Form_Load() {
    lblVersion()->setCaption(QStringLiteral("نسخه ") + VersionText());
    lblQtNotice()->setCaption(QtNotice());
    lblQtNotice()->setFont(fonts::withLatinDigits(lblQtNotice()->font()));
    // The notice is laid out in whatever face stands in for Arial: where that face needs
    // more lines, the label and the window grow downwards by what it needs, and every
    // other control keeps its place.
    Label* notice = lblQtNotice();
    const int extra = notice->heightForWidth(notice->width()) - notice->height();
    if (extra > 0) {
        notice->resize(notice->width(), notice->height() + extra);
        window()->setFixedSize(window()->width(), window()->height() + extra);
    }
    // The button is the window's only control that takes the focus, so Enter reaches it
    // as soon as the window is shown.
    cmdOK()->setFocus();
}

void FrmAbout::cmdOK_Click() { Unload(); }
