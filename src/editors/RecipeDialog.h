#pragma once

#include "platform/WindowBase.h"

class QLineEdit;

namespace mostarium {

// Shows a stored text in a box. A box holds at most maxLength (32,767)
// characters, so it remembers the stored text: while the box still shows what
// it was loaded with, keptText gives the stored text back whole.
void loadText(QLineEdit *box, const QString &stored);
// A box's text as the recipe keeps it: the stored text of loadText while the
// box is as it was loaded, else what it shows with each letter the recipe file
// cannot hold as its nearest (cp1252::storable). The box then shows what is
// kept.
QString keptText(QLineEdit *box);

// The dialog a chain dialog's successful OK opens next, by the brew mode;
// empty when the chain ends there (or the dialog is not in the chain).
QString wizardSuccessor(const QString &dialog, bool dubbel);

// The base of the recipe dialogs: load fills the boxes from the recipe state,
// check marks every box red or white and answers with one bool, store writes
// the part back. OK runs the common sequence: the click, the check, the
// changed flag, the store, the recalculation, the wizard's next dialog, the
// unload. Cancel ends the wizard; the close box leaves it waiting.
class RecipeDialog : public WindowBase {
    Q_OBJECT
public:
    RecipeDialog(const QString &name, Session &s, Services &svc, QWidget *parent = nullptr);

    // The OK and Cancel buttons call these.
    void ok();
    void cancel();

protected:
    // Every box visited and marked; true when none failed.
    virtual bool check() { return true; }
    // What must still see the old stored values (before the store).
    virtual void beforeStore() {}
    // The part into the recipe state, with its progress bit.
    virtual void store() = 0;
    // After the store: by default the recalculation and the schedule shown.
    virtual void afterStore();
    // Whether the OK sets the changed flag before storing (the dialogs that
    // set it per filled entry do so in their store).
    virtual bool setsChangedFlag() const { return true; }
    // Whether the OK plays the click.
    virtual bool clicksOnOk() const { return true; }
    // Whether Cancel ends the wizard (the chain dialogs).
    virtual bool inChain() const { return true; }
    // What Cancel undoes besides unloading (the targets' style names, ...).
    virtual void onCancelled() {}
    // The next dialog after a successful OK.
    virtual QString successor() const;
    // Opens a dialog as its menu command would (the main window's hook).
    void openDialog(const QString &name);

    bool dubbel() const;
    void onCancel() override { cancel(); }
};

}  // namespace mostarium
