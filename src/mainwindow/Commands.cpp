// What the menu items, toolbar buttons and right-click shortcuts do. A command
// whose window is built elsewhere is enabled once that window is registered;
// a command whose work lives elsewhere is enabled by setCommand.
#include "frmRecept.h"

#include "Layout.h"
#include "ResetRecept.h"
#include "core/CalcError.h"
#include "core/Optimisers.h"
#include "core/Services.h"
#include "core/Session.h"
#include "platform/WindowRegistry.h"
#include "platform/WindowRoutines.h"

#include <QAction>
#include <QGroupBox>
#include <QMenu>
#include <QMouseEvent>
#include <cstdio>
#include <exception>

namespace mostarium {

namespace {
const QString Attentie = QStringLiteral("Attentie!");

void refuse(const QString &message) { services().msgBox(message, mb::Exclamation, Attentie); }

void setFrameCaption(QWidget *window, const char *frame, const QString &caption)
{
    if (auto *f = window->findChild<QGroupBox *>(QLatin1String(frame)))
        f->setTitle(caption);
}
} // namespace

void frmRecept::defineCommand(const QString &name, std::function<void()> handler)
{
    Command &c = m_commands[name];
    c.handler = std::move(handler);
    c.wired = true;
    if (QAction *a = action(name))
        a->setEnabled(true);
}

void frmRecept::defineWindowCommand(const QString &name, const QString &window, std::function<void()> handler)
{
    Command &c = m_commands[name];
    c.window = window;
    c.handler = handler ? std::move(handler) : std::function<void()>([this, window] { openWindow(window); });
}

void frmRecept::setCommand(const QString &name, std::function<void()> handler)
{
    if (!action(name)) {
        std::fprintf(stderr, "setCommand: no menu item %s\n", qPrintable(name));
        return;
    }
    defineCommand(name, std::move(handler));
}

void frmRecept::updateCommands()
{
    for (auto it = m_commands.begin(); it != m_commands.end(); ++it) {
        Command &c = it.value();
        if (c.wired || c.window.isEmpty() || !windows().hasFactory(c.window))
            continue;
        // Enabled once; what the start-up disables afterwards stays disabled.
        c.wired = true;
        if (QAction *a = action(it.key()))
            a->setEnabled(true);
    }
}

bool frmRecept::runCommand(const QString &name)
{
    QAction *a = action(name);
    if (!a || !a->isEnabled() || a->isSeparator() || a->menu())
        return false;
    a->trigger();
    return true;
}

void frmRecept::openWindow(const QString &window)
{
    // A recipe dialog would store into a recipe an optimiser is changing.
    if (receptDialogen().contains(window) && refuseWhileOptimising(m_s))
        return;
    windows().show(window);
}

void frmRecept::defineCommands()
{
    // Every plain item runs its command when triggered; an error that escapes
    // a command is reported here instead of ending the program.
    for (auto it = m_actions.constBegin(); it != m_actions.constEnd(); ++it) {
        QAction *a = it.value();
        if (a->isSeparator() || a->menu())
            continue;
        const QString name = it.key();
        connect(a, &QAction::triggered, this, [this, name] {
            const auto c = m_commands.constFind(name);
            if (c == m_commands.constEnd() || !c->handler)
                return;
            try {
                c->handler();
            } catch (const std::exception &e) {
                std::fprintf(stderr, "Error in %s_Click: %s\n", qPrintable(name), e.what());
                services().msgBox(QStringLiteral("Error in ") + name + QStringLiteral("_Click"), mb::OKOnly);
            }
            afterCommand();
        });
    }

    defineCommand(QStringLiteral("mnuDubBrouw"), [this] { mnuDubBrouw_Click(); });
    defineCommand(QStringLiteral("mnuHInhoudsopgave"), [this] { mnuHInhoudsopgave_Click(); });
    defineCommand(QStringLiteral("mnuKosten"), [this] { mnuKosten_Click(); });

    // Recipe dialogs (Part of the recipe editors).
    defineWindowCommand(QStringLiteral("mnuAlgemeen"), QStringLiteral("frmAlgemeen"));
    defineWindowCommand(QStringLiteral("mnuDoel"), QStringLiteral("frmDoelstellingen"), [this] { mnuDoel_Click(); });
    defineWindowCommand(QStringLiteral("mnuStorting"), QStringLiteral("frmStorting"));
    defineWindowCommand(QStringLiteral("mnuMaisSchema"), QStringLiteral("frmMaischSchema"));
    defineWindowCommand(QStringLiteral("mnuSpoelen"), QStringLiteral("frmSpoelen"));
    defineWindowCommand(QStringLiteral("mnuHopgift"), QStringLiteral("frmHopgift"), [this] { mnuHopgift_Click(); });
    defineWindowCommand(QStringLiteral("mnuToeVoegingen"), QStringLiteral("frmToevoegingen"));
    defineWindowCommand(QStringLiteral("mnuGistKeuze"), QStringLiteral("frmGistKeuze"));
    defineWindowCommand(QStringLiteral("mnuWizard"), QStringLiteral("frmAlgemeen"), [this] { mnuWizard_Click(); });
    defineWindowCommand(QStringLiteral("mnuEvaluatie"), QStringLiteral("frmEvaluatie"),
                        [this] { mnuEvaluatie_Click(); });
    defineWindowCommand(QStringLiteral("mnuKenmerken"), QStringLiteral("frmKenmerken"));
    defineWindowCommand(QStringLiteral("mnuAantekeningen"), QStringLiteral("frmAantekeningen"));

    // Output.
    defineWindowCommand(QStringLiteral("mnuAfdrukken"), QStringLiteral("frmAfdrukken"),
                        [this] { mnuAfdrukken_Click(); });
    defineWindowCommand(QStringLiteral("mnuKeurFormulier"), QStringLiteral("frmKeuringsformulier"));

    // Calculators.
    defineWindowCommand(QStringLiteral("mnuCorrectie"), QStringLiteral("frmEindbeStemming"),
                        [this] { mnuCorrectie_Click(); });
    defineWindowCommand(QStringLiteral("mnuCalculator"), QStringLiteral("frmHopOpslag"));
    defineWindowCommand(QStringLiteral("mnuHopPartitionMagic"), QStringLiteral("frmHopPartition"));
    defineWindowCommand(QStringLiteral("mnuContinueHoppen"), QStringLiteral("frmContinueHoppen"));
    defineWindowCommand(QStringLiteral("mnuConversie"), QStringLiteral("frmSuikerConv"));
    defineWindowCommand(QStringLiteral("mnuAfvullen"), QStringLiteral("frmSuikerSiroop"));
    defineWindowCommand(QStringLiteral("mnuWateraanpassing"), QStringLiteral("frmWaterAanpassing"));

    // Reference library.
    defineWindowCommand(QStringLiteral("mnuReceptSuggestie"), QStringLiteral("frmBiertypen1"));
    defineWindowCommand(QStringLiteral("mnuEenheden"), QStringLiteral("frmEenheden"));
    defineWindowCommand(QStringLiteral("mnuEditBierSoorten"), QStringLiteral("frmBierSoorten"));
    defineWindowCommand(QStringLiteral("mnuEBCSchatting"), QStringLiteral("frmEBCSchatting"));
    defineWindowCommand(QStringLiteral("mnuEBURef"), QStringLiteral("frmEBURef"));
    defineWindowCommand(QStringLiteral("mnuCO2Ref"), QStringLiteral("frmCO2Ref"));
    defineWindowCommand(QStringLiteral("mnuBierIndeling"), QStringLiteral("frmBierIndeling"));
    defineWindowCommand(QStringLiteral("mnuHelpLinks"), QStringLiteral("frmLinksEnLiteratuur"));

    // Settings, tips, notice and about.
    defineWindowCommand(QStringLiteral("mnuSysParameters"), QStringLiteral("frmSysParameters"));
    defineWindowCommand(QStringLiteral("mnuTips"), QStringLiteral("frmTip"));
    defineWindowCommand(QStringLiteral("mnuRegistreer"), QStringLiteral("frmRegistreer"));
    defineWindowCommand(QStringLiteral("mnuInfo"), QStringLiteral("frmInfo"));

    // File commands, recent files, optimisers, shopping list and the online
    // functions get their work through setCommand.
}

void frmRecept::mnuAfdrukken_Click()
{
    if (m_s.recipe.ReceptStatus < 1) {
        refuse(QStringLiteral("Niets af te drukken of op te slaan!"));
        return;
    }
    openWindow(QStringLiteral("frmAfdrukken"));
}

void frmRecept::mnuEvaluatie_Click()
{
    // A whole-number test: any part but the targets alone is enough.
    if (m_s.recipe.ReceptStatus < 2) {
        refuse(QStringLiteral("Niets te evalueren!"));
        return;
    }
    openWindow(QStringLiteral("frmEvaluatie"));
}

void frmRecept::mnuCorrectie_Click()
{
    if (!m_s.recipe.hasStatus(StatusDoelstellingen)) {
        refuse(QStringLiteral("Eindbestemming niet te bepalen!"));
        return;
    }
    QWidget *w = windows().load(QStringLiteral("frmEindbeStemming"));
    if (!w)
        return;
    const bool dubbel = m_s.app.dubbelBrouw;
    w->resize(layout::px(dubbel ? 7320 : 3735), w->height());
    setFrameCaption(w, "fraESDoelstelling",
                    dubbel ? QStringLiteral(" Doelstellingen dikbier ") : QStringLiteral(" Doelstellingen bier "));
    setFrameCaption(w, "fraESBestemming",
                    dubbel ? QStringLiteral(" Bestemming dikbier ") : QStringLiteral(" Bestemming bier "));
    openWindow(QStringLiteral("frmEindbeStemming"));
}

void frmRecept::mnuDoel_Click()
{
    if (refuseWhileOptimising(m_s))
        return;
    QWidget *w = windows().load(QStringLiteral("frmDoelstellingen"));
    if (!w)
        return;
    const bool dubbel = m_s.app.dubbelBrouw;
    w->resize(layout::px(dubbel ? 11000 : 5600), w->height());
    setFrameCaption(w, "fraDoel1",
                    dubbel ? QStringLiteral(" Doelstellingen te maken dikbier ")
                           : QStringLiteral(" Doelstellingen te maken bier "));
    openWindow(QStringLiteral("frmDoelstellingen"));
}

void frmRecept::mnuHopgift_Click()
{
    if (refuseWhileOptimising(m_s))
        return;
    QWidget *w = windows().load(QStringLiteral("frmHopgift"));
    if (!w)
        return;
    if (m_s.app.dubbelBrouw) {
        // The word stands once, however often the command is given.
        for (const char *name : {"fraAromaHop", "fraBitterHop"}) {
            auto *f = w->findChild<QGroupBox *>(QLatin1String(name));
            if (f && !f->title().endsWith(QLatin1String("dikbier ")))
                f->setTitle(f->title() + QStringLiteral("dikbier "));
        }
    }
    openWindow(QStringLiteral("frmHopgift"));
}

void frmRecept::mnuWizard_Click()
{
    m_s.app.wizardActief = true;
    const auto c = m_commands.constFind(QStringLiteral("mnuAlgemeen"));
    if (c != m_commands.constEnd() && c->handler)
        c->handler();
}

void frmRecept::mnuHInhoudsopgave_Click() { ShowHelpTopic(QStringLiteral("Inleiding.htm"), this); }

void frmRecept::mnuKosten_Click() { ToonOnderConstructie(); }

bool frmRecept::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        auto *me = static_cast<QMouseEvent *>(event);
        if (me->button() != Qt::RightButton)
            return false;
        rightClick(watched, me->globalPosition().toPoint());
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmRecept::rightClick(QObject *target, const QPoint &globalPos)
{
    const QString name = target->objectName();
    if (target == m_area) {
        m_menus.value(QStringLiteral("mnuBestand"))->popup(globalPos);
        return;
    }
    if (name == QLatin1String("fraBrouwSchema")) {
        m_menus.value(QStringLiteral("mnuRecOntwerpen"))->popup(globalPos);
        return;
    }
    if (name == QLatin1String("fraBSAHop") || name == QLatin1String("fraBSBHop"))
        openWindow(QStringLiteral("frmHopgift"));  // without the double-brew captions
    else if (name == QLatin1String("fraAhop2") || name == QLatin1String("fraBhop2"))
        openWindow(QStringLiteral("frmHopgift2"));
    else if (name == QLatin1String("fraBSIngrdienten"))
        openWindow(QStringLiteral("frmStorting"));
    else if (name == QLatin1String("fraBSMaiscschema"))
        openWindow(QStringLiteral("frmMaischSchema"));
    else if (name == QLatin1String("fraBSSpoelen"))
        openWindow(QStringLiteral("frmSpoelen"));
    else if (name.startsWith(QLatin1String("fraEval")))
        mnuEvaluatie_Click();
    else
        return;
    afterCommand();
}

} // namespace mostarium
