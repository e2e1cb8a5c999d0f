#pragma once

#include "app/controls.h"
#include "app/form.h"

#include <QCheckBox>
#include <QMessageBox>
#include <QTableWidget>
#include <functional>

// The winners window: every draw the stage finished in this run, newest at the bottom,
// with its time, bounds and whether the winner was there; the switch that lets each ticket
// win only once; and the record of the sitting, as a CSV file kept up to date and as a PDF
// for the witnesses to sign. Opened modeless from the range entry window's menu. The list
// itself lives in the sitting, whether or not this window is open.
class FrmWinners : public Form {
  public:
    FrmWinners();

    QCheckBox* Check1() { return control<QCheckBox>(QStringLiteral("Check1")); }
    QTableWidget* Grid1() { return control<QTableWidget>(QStringLiteral("Grid1")); }
    CommandButton* cmdAbsent() { return control<CommandButton>(QStringLiteral("cmdAbsent")); }
    CommandButton* cmdSave() { return control<CommandButton>(QStringLiteral("cmdSave")); }
    CommandButton* cmdPdf() { return control<CommandButton>(QStringLiteral("cmdPdf")); }
    CommandButton* cmdClear() { return control<CommandButton>(QStringLiteral("cmdClear")); }
    // Which file, if any, the list is kept in.
    Label* lblFile() { return control<Label>(QStringLiteral("lblFile")); }

    void Check1_Click();
    // Marks the selected row absent, or present again.
    void cmdAbsent_Click();
    // Chooses the CSV file; from then on it is rewritten after every change.
    void cmdSave_Click();
    void cmdPdf_Click();
    // Empties the list once the operator has said yes.
    void cmdClear_Click();

    // Before the range entry window goes: true when every row is in a file, or the operator
    // has saved them or chosen to leave without saving; false to stay open. An operator who
    // never opened this window is not asked: the program closes as it always did.
    bool confirmLeaving(QWidget* over);

    // The operator's answers, for tests: the file a save dialog returns (empty: cancelled)
    // and the button a question returns. Empty functions bring the dialogs back.
    using Chooser = std::function<QString(const QString& suggested)>;
    using Answerer = std::function<QMessageBox::StandardButton(const QString& question)>;
    static void setChooser(Chooser chooser);
    static void setAnswerer(Answerer answerer);

    static const design::Window& Design();

  protected:
    const design::Window& design() const override { return Design(); }
    void connectHandlers() override;
    void Form_Load() override;

  private:
    bool opened_ = false; // in this run
    // Fills the list from the sitting and sets the buttons for its selected row.
    void showSitting();
    void showSelection();
    int selectedRow();
};

// The one winners window of the program.
FrmWinners& frmWinners();
