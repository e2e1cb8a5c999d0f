#pragma once

#include "app/controls.h"
#include "app/form.h"

class QAction;

// The range entry window, "main": the operator types the bounds here and starts the
// draw. It stays open while the stage and the about window come and go in front of it.
class MainForm : public Form {
  public:
    TextBox* Text1() { return control<TextBox>(QStringLiteral("Text1")); }
    TextBox* Text2() { return control<TextBox>(QStringLiteral("Text2")); }
    ComboBox* Combo2() { return control<ComboBox>(QStringLiteral("Combo2")); }
    ComboBox* Combo3() { return control<ComboBox>(QStringLiteral("Combo3")); }
    Label* Label1(int index) { return control<Label>(QStringLiteral("Label1(%1)").arg(index)); }
    Label* Label2() { return control<Label>(QStringLiteral("Label2")); }
    Label* Label3() { return control<Label>(QStringLiteral("Label3")); }
    QAction* about() { return control<QAction>(QStringLiteral("about")); }
    QAction* winners() { return control<QAction>(QStringLiteral("winners")); }

    // The digit filter of the two bound fields: a typed Persian or Arabic digit becomes
    // the digit 0 to 9 it stands for; any other character than 0 to 9 is discarded by
    // setting the key to 0.
    void Text1_KeyPress(int& KeyAscii);
    void Text2_KeyPress(int& KeyAscii);
    // Checks the bounds, fills them to six digits and hands them to the stage.
    void Label2_Click();
    // Opens the about window; it lives with the about window.
    void about_Click();
    // Opens the winners window; it lives with the winners window.
    void winners_Click();

    static const design::Window& Design();

  protected:
    const design::Window& design() const override { return Design(); }
    void connectHandlers() override;
    void Form_Load() override;
    void Form_Activate() override;
    // Rows of the sitting that are in no file yet are not let go without a word.
    void Form_QueryUnload(bool& cancel) override;

  private:
    void selectDrawSetting();
};

// The one range entry window of the program.
MainForm& mainForm();
