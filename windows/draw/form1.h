#pragma once

#include "app/controls.h"
#include "app/form.h"
#include "engine/ticket_counts.h"
#include "windows/draw/marker.h"

// The stage: a black, borderless window over the whole screen with six huge digit
// positions, the start and return buttons, a banner, and the hidden parameter fields
// that the range entry window writes before it shows the stage.
class Form1 : public Form {
  public:
    // The digit most recently drawn, and the ticks still to run at the current position.
    // Members of the form, so they outlive an unload of its window.
    float CurrentDigit = 0;
    double SpinsLeft = 0;
    // Whether the operator has been told, while the stage is shown, that the marker
    // animation cannot be read. Cleared when the stage is loaded and when the file loads.
    bool markerFailureReported = false;
    // The tickets the running draw leaves out, and whether each ticket could win once when
    // it started: fixed for the whole draw.
    engine::TicketList LeftOut;
    bool EachTicketOnce = false;

    Label* Label1() { return control<Label>(QStringLiteral("Label1")); }
    Label* Label2() { return control<Label>(QStringLiteral("Label2")); }
    Label* Label3() { return control<Label>(QStringLiteral("Label3")); }
    Label* Label4() { return control<Label>(QStringLiteral("Label4")); }
    Label* Label5() { return control<Label>(QStringLiteral("Label5")); }
    Label* Label6() { return control<Label>(QStringLiteral("Label6")); }
    Label* Label7() { return control<Label>(QStringLiteral("Label7")); }
    Label* Label8() { return control<Label>(QStringLiteral("Label8")); }
    Label* Label9() { return control<Label>(QStringLiteral("Label9")); }
    Label* Label10() { return control<Label>(QStringLiteral("Label10")); }
    Label* Label11() { return control<Label>(QStringLiteral("Label11")); }
    Label* Label12() { return control<Label>(QStringLiteral("Label12")); }
    Label* Label13() { return control<Label>(QStringLiteral("Label13")); }
    Label* Label14() { return control<Label>(QStringLiteral("Label14")); }
    Label* Label15() { return control<Label>(QStringLiteral("Label15")); }
    Label* Label20() { return control<Label>(QStringLiteral("Label20")); }
    CommandButton* Command1() { return control<CommandButton>(QStringLiteral("Command1")); }
    CommandButton* Command2() { return control<CommandButton>(QStringLiteral("Command2")); }
    Frame* Frame1() { return control<Frame>(QStringLiteral("Frame1")); }
    Timer* Timer1() { return control<Timer>(QStringLiteral("Timer1")); }
    Timer* Timer2() { return control<Timer>(QStringLiteral("Timer2")); }
    Timer* Timer3() { return control<Timer>(QStringLiteral("Timer3")); }
    Timer* Timer4() { return control<Timer>(QStringLiteral("Timer4")); }
    Timer* Timer5() { return control<Timer>(QStringLiteral("Timer5")); }
    Timer* Timer6() { return control<Timer>(QStringLiteral("Timer6")); }
    AniGifDisplay* g1() { return control<AniGifDisplay>(QStringLiteral("g1")); }

    // Digit position k (1 to 6), left to right, and its timer.
    Label* digitLabel(int k);
    Timer* digitTimer(int k);

    // The start button and the six ticks: the digit draw.
    void Command1_Click();
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void Timer4_Timer();
    void Timer5_Timer();
    void Timer6_Timer();
    // The tick handler of digit position k (1 to 6): one of Timer1_Timer to Timer6_Timer.
    void TimerTick(int k);

    void Command2_Click();

    static const design::Window& Design();

  protected:
    const design::Window& design() const override { return Design(); }
    void connectHandlers() override;
    void Form_Load() override;
    void Form_Activate() override;
    void screenChanged() override { centreOnScreen(); }

  private:
    // Centres the digit frame, both buttons and the banner on the screen the stage covers.
    void centreOnScreen();
    void traceLayout();
};

// The one draw window of the program.
Form1& form1();
