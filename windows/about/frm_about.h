#pragma once

#include "app/controls.h"
#include "app/form.h"

// The about window: what the program is for, which version runs, how to reach its
// makers, and that copying it without permission is forbidden. Opened modeless from the
// range entry window's menu; OK, Enter, Esc and the close box close it.
class FrmAbout : public Form {
  public:
    CommandButton* cmdOK() { return control<CommandButton>(QStringLiteral("cmdOK")); }
    Label* lblVersion() { return control<Label>(QStringLiteral("lblVersion")); }
    Label* Label2() { return control<Label>(QStringLiteral("Label2")); }
    Label* Label3() { return control<Label>(QStringLiteral("Label3")); }
    Label* Label4() { return control<Label>(QStringLiteral("Label4")); }
    // The toolkit's notice: Qt, its copyright, the LGPLv3 and where the licences are.
    Label* lblQtNotice() { return control<Label>(QStringLiteral("lblQtNotice")); }
    // The contact lines, members 0 to 4 of one control array.
    Label* Label1(int index) {
        return control<Label>(QStringLiteral("Label1(%1)").arg(index));
    }
    Picture* Image1() { return control<Picture>(QStringLiteral("Image1")); }

    void cmdOK_Click();

    static const design::Window& Design();
    static QString QtNotice();

  protected:
    const design::Window& design() const override { return Design(); }
    void connectHandlers() override;
    void Form_Load() override;
};

// The one about window of the program.
FrmAbout& frmAbout();
