#include "WindowRegistry.h"

#include "WindowRoutines.h"

namespace mostarium {

WindowRegistry &WindowRegistry::instance()
{
    static WindowRegistry r;
    return r;
}

void WindowRegistry::registerFactory(const QString &name, Factory factory)
{
    m_factories.insert(name, std::move(factory));
}

QWidget *WindowRegistry::find(const QString &name) const
{
    auto it = m_windows.constFind(name);
    if (it == m_windows.constEnd() || it->isNull())
        return nullptr;
    return it->data();
}

QWidget *WindowRegistry::load(const QString &name)
{
    if (QWidget *w = find(name))
        return w;
    auto f = m_factories.constFind(name);
    if (f == m_factories.constEnd())
        return nullptr;
    QWidget *w = (*f)();
    if (!w)
        return nullptr;
    if (w->objectName().isEmpty())
        w->setObjectName(name);
    m_windows.insert(name, w);
    return w;
}

QWidget *WindowRegistry::show(const QString &name)
{
    QWidget *w = load(name);
    if (!w)
        return nullptr;
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

void WindowRegistry::unload(const QString &name)
{
    QWidget *w = find(name);
    m_windows.remove(name);
    if (!w)
        return;
    keepBoxesOff(w);
    w->hide();
    w->deleteLater();
}

void WindowRegistry::unloadAll(const QStringList &names)
{
    for (const QString &n : names)
        unload(n);
}

QStringList WindowRegistry::loadedNames() const
{
    QStringList names;
    for (auto it = m_windows.constBegin(); it != m_windows.constEnd(); ++it)
        if (!it->isNull())
            names << it.key();
    return names;
}

}  // namespace mostarium
