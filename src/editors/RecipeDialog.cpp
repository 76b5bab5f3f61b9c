#include "RecipeDialog.h"

#include "core/Cp1252.h"
#include "core/Optimisers.h"
#include "core/Recalc.h"
#include "core/ScheduleDisplay.h"
#include "core/Session.h"
#include "platform/WindowRegistry.h"

#include <QLineEdit>

namespace mostarium {

namespace {

// The properties by which a box remembers its stored text and what it showed
// of it.
constexpr char StoredText[] = "mostariumStoredText";
constexpr char ShownText[] = "mostariumShownText";

}  // namespace

void loadText(QLineEdit *box, const QString &stored)
{
    box->setText(stored);
    box->setProperty(StoredText, stored);
    box->setProperty(ShownText, box->text());
}

QString keptText(QLineEdit *box)
{
    const QString typed = box->text();
    // Compared with what the box showed, not by isModified: a calendar's pick
    // replaces a box's text without marking it modified.
    const QVariant shown = box->property(ShownText);
    if (shown.isValid() && typed == shown.toString())
        return box->property(StoredText).toString();
    const QString kept = cp1252::storable(typed);
    if (kept != typed)
        box->setText(kept);
    return kept;
}

QString wizardSuccessor(const QString &dialog, bool dubbel)
{
    struct Step {
        const char *dialog, *enkel, *dubbel;
    };
    static const Step chain[] = {
        {"frmAlgemeen", "frmDoelstellingen", "frmDoelstellingen"},
        {"frmDoelstellingen", "frmStorting", "frmStorting"},
        {"frmStorting", "frmMaischSchema", "frmMaischSchema"},
        {"frmMaischSchema", "frmSpoelen", "frmSpoelen"},
        {"frmSpoelen", "frmHopgift", "frmHopgift"},
        {"frmHopgift", "frmToevoegingen", "frmHopgift2"},
        {"frmToevoegingen", "frmGistKeuze", ""},
        {"frmHopgift2", "", "frmGistKeuze"},
        {"frmGistKeuze", "", ""},
    };
    for (const Step &s : chain)
        if (dialog == QLatin1String(s.dialog))
            return QString::fromLatin1(dubbel ? s.dubbel : s.enkel);
    return {};
}

RecipeDialog::RecipeDialog(const QString &name, Session &s, Services &svc, QWidget *parent)
    : WindowBase(name, s, svc, parent)
{}

bool RecipeDialog::dubbel() const { return m_s.app.dubbelBrouw; }

QString RecipeDialog::successor() const
{
    return m_s.app.wizardActief ? wizardSuccessor(windowName(), dubbel()) : QString();
}

void RecipeDialog::openDialog(const QString &name)
{
    if (name.isEmpty())
        return;
    if (m_s.openDialog)
        m_s.openDialog(name);
    else
        windows().show(name);
}

void RecipeDialog::afterStore()
{
    UpdateBrouwschema(m_s);
    ShowBrouwschema(m_s);
}

void RecipeDialog::ok()
{
    // A recipe an optimiser is changing takes no store.
    if (refuseWhileOptimising(m_s))
        return;
    if (clicksOnOk())
        playClick();
    if (!check())
        return;
    if (setsChangedFlag())
        m_s.recipe.ReceptGewijzigd = true;
    beforeStore();
    store();
    m_s.recipeChanged();
    afterStore();
    // The main window repaints once, however many steps the store took.
    m_s.viewChanged();
    const QString next = successor();
    // The dialog is gone before its successor shows, so the successor may be
    // the same window anew.
    unload();
    openDialog(next);
}

void RecipeDialog::cancel()
{
    if (inChain())
        m_s.app.wizardActief = false;
    onCancelled();
    unload();
}

}  // namespace mostarium
