// The common OK, Cancel and close box of the recipe dialogs, and the wizard's
// successor table.
#include "core/NumText.h"
#include "core/Paths.h"
#include "core/Session.h"
#include "editors/RecipeDialog.h"
#include "platform/NumericEdit.h"
#include "platform/WindowRegistry.h"

#include "support/FakeServices.h"
#include "support/RecipeBuilders.h"
#include "support/TempProgramFolder.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace mostarium;
using namespace mostarium::test;

namespace {

// A chain dialog of one box (volume 1..200) that stores into the targets.
class Probe : public RecipeDialog {
public:
    Probe(const QString &name, Session &s, Services &svc) : RecipeDialog(name, s, svc)
    {
        box = new NumericEdit(QStringLiteral("txtProbe"), false, this);
        box->setText(num::plain(m_s.recipe.Doelstellingen.has(1) ? m_s.recipe.Doelstellingen(1) : 0.0f));
        auto *okButton = new QPushButton(QStringLiteral("OK"), this);
        okButton->setObjectName(QStringLiteral("cmdOK"));
        okButton->setDefault(true);
        auto *cancelButton = new QPushButton(QStringLiteral("Annuleren"), this);
        cancelButton->setObjectName(QStringLiteral("cmdAnnuleren"));
        connect(okButton, &QPushButton::clicked, this, &RecipeDialog::ok);
        connect(cancelButton, &QPushButton::clicked, this, &RecipeDialog::cancel);
        auto *lay = new QVBoxLayout(this);
        lay->addWidget(box);
        lay->addWidget(okButton);
        lay->addWidget(cancelButton);
    }

    NumericEdit *box;

protected:
    bool check() override
    {
        const double v = num::val(box->text());
        const bool bad = !(v > 0 && v <= 200);
        box->setBad(bad);
        return !bad;
    }
    void store() override
    {
        m_s.recipe.Doelstellingen.redim(5);
        m_s.recipe.Doelstellingen(1) = float(num::val(box->text()));
        m_s.recipe.setStatus(StatusDoelstellingen);
    }
};

class RecipeDialogTest : public ::testing::Test {
protected:
    RecipeDialogTest()
    {
        session() = Session{};
        session().app.geluidAan = true;
        for (const char *name : {"frmAlgemeen", "frmDoelstellingen", "frmStorting", "frmHopgift", "frmHopgift2",
                                 "frmToevoegingen", "frmGistKeuze"}) {
            const QString n = QLatin1String(name);
            windows().registerFactory(n, [n] { return new Probe(n, session(), services()); });
        }
        session().openDialog = [this](const QString &name) {
            opened << name;
            windows().show(name);
        };
    }
    ~RecipeDialogTest() override
    {
        for (const QString &n : windows().loadedNames())
            windows().unload(n);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        session() = Session{};
        session().openDialog = nullptr;
    }

    Probe *open(const char *name) { return static_cast<Probe *>(windows().show(QLatin1String(name))); }
    static void click(QWidget *w, const char *button)
    {
        auto *b = w->findChild<QPushButton *>(QLatin1String(button));
        ASSERT_NE(b, nullptr);
        b->click();
    }
    static bool isOpen(const char *name) { return windows().isLoaded(QLatin1String(name)); }

    ScopedFakeServices fake;
    TempProgramFolder folder{true};
    QStringList opened;
};

}  // namespace

TEST(WizardChain, SuccessorsFollowTheBrewMode)
{
    struct Case {
        const char *dialog, *enkel, *dubbel;
    };
    const Case cases[] = {
        {"frmAlgemeen", "frmDoelstellingen", "frmDoelstellingen"},
        {"frmDoelstellingen", "frmStorting", "frmStorting"},
        {"frmStorting", "frmMaischSchema", "frmMaischSchema"},
        {"frmMaischSchema", "frmSpoelen", "frmSpoelen"},
        {"frmSpoelen", "frmHopgift", "frmHopgift"},
        {"frmHopgift", "frmToevoegingen", "frmHopgift2"},
        {"frmToevoegingen", "frmGistKeuze", ""},
        {"frmHopgift2", "", "frmGistKeuze"},
        {"frmGistKeuze", "", ""},
        {"frmEvaluatie", "", ""},
        {"frmKenmerken", "", ""},
        {"frmAantekeningen", "", ""},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(wizardSuccessor(QLatin1String(c.dialog), false), QLatin1String(c.enkel)) << c.dialog;
        EXPECT_EQ(wizardSuccessor(QLatin1String(c.dialog), true), QLatin1String(c.dubbel)) << c.dialog;
    }
}

TEST_F(RecipeDialogTest, ABadValueTurnsRedStoresNothingAndTheClickStillSounds)
{
    session().app.wizardActief = true;
    Probe *p = open("frmDoelstellingen");
    p->box->setText(QStringLiteral("250"));
    click(p, "cmdOK");
    EXPECT_TRUE(p->box->isBad());
    EXPECT_TRUE(isOpen("frmDoelstellingen"));
    EXPECT_FALSE(session().recipe.ReceptGewijzigd);
    EXPECT_FALSE(session().recipe.hasStatus(StatusDoelstellingen));
    EXPECT_TRUE(opened.isEmpty()) << "the wizard waits";
    EXPECT_EQ(fake.sounds, QStringList{paths::file(QStringLiteral("Sounds/ploc.wav"))});
}

TEST_F(RecipeDialogTest, AGoodOkStoresRecalculatesOpensTheSuccessorAndUnloads)
{
    session().app.wizardActief = true;
    const auto revision = session().view.revision;
    Probe *p = open("frmDoelstellingen");
    p->box->setText(QStringLiteral("20"));
    click(p, "cmdOK");
    EXPECT_FALSE(p->box->isBad());
    EXPECT_TRUE(session().recipe.ReceptGewijzigd);
    EXPECT_TRUE(session().recipe.hasStatus(StatusDoelstellingen));
    EXPECT_EQ(session().recipe.Doelstellingen(1), 20.0f);
    EXPECT_GT(session().view.revision, revision) << "recalculated";
    EXPECT_FALSE(isOpen("frmDoelstellingen"));
    EXPECT_EQ(opened, QStringList{QStringLiteral("frmStorting")});
}

TEST_F(RecipeDialogTest, OutsideTheWizardNoSuccessorOpens)
{
    Probe *p = open("frmDoelstellingen");
    p->box->setText(QStringLiteral("20"));
    click(p, "cmdOK");
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(RecipeDialogTest, CancelEndsTheWizardTheCloseBoxLeavesItWaiting)
{
    session().app.wizardActief = true;
    open("frmStorting")->close();
    EXPECT_FALSE(isOpen("frmStorting"));
    EXPECT_TRUE(session().app.wizardActief) << "the close box";

    // The chain goes on from the dialog whose OK runs next.
    Probe *p = open("frmAlgemeen");
    p->box->setText(QStringLiteral("20"));
    click(p, "cmdOK");
    EXPECT_EQ(opened, QStringList{QStringLiteral("frmDoelstellingen")});

    click(windows().find(QStringLiteral("frmDoelstellingen")), "cmdAnnuleren");
    EXPECT_FALSE(session().app.wizardActief);
    EXPECT_FALSE(isOpen("frmDoelstellingen"));

    // Esc is Cancel too.
    session().app.wizardActief = true;
    QTest::keyClick(open("frmStorting"), Qt::Key_Escape);
    EXPECT_FALSE(session().app.wizardActief);
}

TEST_F(RecipeDialogTest, ReopeningKeepsTheEditsOfAnOpenDialog)
{
    Probe *p = open("frmDoelstellingen");
    p->box->setText(QStringLiteral("33"));
    EXPECT_EQ(open("frmDoelstellingen"), p);
    EXPECT_EQ(p->box->text(), "33");
}

TEST_F(RecipeDialogTest, NothingIsStoredWhileAnOptimiserRuns)
{
    Probe *p = open("frmDoelstellingen");
    p->box->setText(QStringLiteral("20"));
    session().app.optimiserBusy = true;
    click(p, "cmdOK");
    session().app.optimiserBusy = false;
    EXPECT_FALSE(session().recipe.hasStatus(StatusDoelstellingen));
    EXPECT_FALSE(session().recipe.ReceptGewijzigd);
    EXPECT_TRUE(isOpen("frmDoelstellingen"));
    EXPECT_EQ(fake.messages.size(), 1u);
}
