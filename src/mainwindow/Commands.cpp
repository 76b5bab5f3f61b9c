// What the menu items, toolbar buttons and right-click shortcuts do. A command
// that opens a window comes from the window catalogue and is enabled once that
// window is registered; a command whose work lives elsewhere is enabled by
// setCommand.
#include "frmRecept.h"

#include "Layout.h"
#include "ResetRecept.h"
#include "WindowCatalogue.h"
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
#include <stdexcept>

namespace mostarium {

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
    c.handler = handler ? std::move(handler) : std::function<void()>([this, window] { openWindow(window, true); });
}

void frmRecept::setCommand(const QString &name, std::function<void()> handler)
{
    // A misspelt name is a fault of the program, found by its tests.
    if (!action(name))
        throw std::invalid_argument("setCommand: no menu item " + name.toStdString());
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

bool frmRecept::openWindow(const QString &window, bool prepared)
{
    const WindowRow *row = catalogueRow(window);
    // A recipe dialog would store into a recipe an optimiser is changing.
    if (row && row->recipeDialog && refuseWhileOptimising(m_s))
        return false;
    if (prepared && row && row->prepare) {
        QWidget *w = windows().load(window);
        if (!w)
            return false;
        row->prepare(w, m_s);
    }
    return windows().show(window) != nullptr;
}

void frmRecept::openFromCommand(const QString &window)
{
    const WindowRow *row = catalogueRow(window);
    if (row && row->guard && !row->guard(m_s))
        return;
    openWindow(window, true);
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

    // Every window with a menu item, from the catalogue.
    for (const WindowRow &row : windowCatalogue()) {
        if (row.command.isEmpty())
            continue;
        if (!action(row.command))
            throw std::logic_error("window catalogue: no menu item " + row.command.toStdString());
        const QString window = row.window;
        defineWindowCommand(row.command, window, [this, window] { openFromCommand(window); });
    }
    // The wizard starts with the general-data dialog.
    if (const WindowRow *first = catalogueRowOfCommand(QStringLiteral("mnuAlgemeen")))
        defineWindowCommand(QStringLiteral("mnuWizard"), first->window, [this] { mnuWizard_Click(); });

    // File commands, recent files, optimisers, shopping list and the online
    // functions get their work through setCommand.
}

void frmRecept::mnuDoel_Click() { openFromCommand(QStringLiteral("frmDoelstellingen")); }

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
        openWindow(QStringLiteral("frmHopgift"), false);  // without the double-brew captions
    else if (name == QLatin1String("fraAhop2") || name == QLatin1String("fraBhop2"))
        openWindow(QStringLiteral("frmHopgift2"), false);
    else if (name == QLatin1String("fraBSIngrdienten"))
        openWindow(QStringLiteral("frmStorting"), false);
    else if (name == QLatin1String("fraBSMaiscschema"))
        openWindow(QStringLiteral("frmMaischSchema"), false);
    else if (name == QLatin1String("fraBSSpoelen"))
        openWindow(QStringLiteral("frmSpoelen"), false);
    else if (name.startsWith(QLatin1String("fraEval")))
        openFromCommand(QStringLiteral("frmEvaluatie"));
    else
        return;
    afterCommand();
}

}  // namespace mostarium
