#pragma once

#include "app/controls.h"
#include "app/form.h"

// The first window of the run: the program's caption, a photograph, the emblem and the
// version, on a white card with a light green margin. It waits, without a time-out, for
// a typed key or a click on the card, and then hands over to the range entry window.
class FrmSplash : public Form {
  public:
    Frame* Frame1() { return control<Frame>(QStringLiteral("Frame1")); }
    Label* lblProductName() { return control<Label>(QStringLiteral("lblProductName")); }
    Picture* imgLogo() { return control<Picture>(QStringLiteral("imgLogo")); }
    Picture* Image1() { return control<Picture>(QStringLiteral("Image1")); }
    Label* Label1() { return control<Label>(QStringLiteral("Label1")); }
    Label* lblVersion() { return control<Label>(QStringLiteral("lblVersion")); }

    void Frame1_Click();

    static const design::Window& Design();

  protected:
    const design::Window& design() const override { return Design(); }
    void connectHandlers() override;
    void Form_Load() override;
    void Form_KeyPress(int& key) override;

  private:
    void moveOn();
};

// The one splash window of the program.
FrmSplash& frmSplash();
