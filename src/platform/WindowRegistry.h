#pragma once

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

namespace mostarium {

// One instance per window name: created and loaded on first use, raised when
// opened again, closed by unloading (deleted later, never from its own handler).
class WindowRegistry {
public:
    using Factory = std::function<QWidget *()>;

    static WindowRegistry &instance();

    void registerFactory(const QString &name, Factory factory);
    bool hasFactory(const QString &name) const { return m_factories.contains(name); }
    Factory factory(const QString &name) const { return m_factories.value(name); }
    void unregisterFactory(const QString &name) { m_factories.remove(name); }

    // The loaded window, or nullptr.
    QWidget *find(const QString &name) const;
    bool isLoaded(const QString &name) const { return find(name) != nullptr; }
    // The loaded window, created first when it is not.
    QWidget *load(const QString &name);
    // Load, show modeless, bring to the front.
    QWidget *show(const QString &name);
    // Hide and delete later; nothing when not loaded.
    void unload(const QString &name);
    // Every loaded window of these names.
    void unloadAll(const QStringList &names);
    QStringList loadedNames() const;

    template <typename W>
    W *load(const QString &name)
    {
        return qobject_cast<W *>(load(name));
    }
    template <typename W>
    W *find(const QString &name) const
    {
        return qobject_cast<W *>(find(name));
    }

private:
    QHash<QString, Factory> m_factories;
    QHash<QString, QPointer<QWidget>> m_windows;
};

inline WindowRegistry &windows() { return WindowRegistry::instance(); }

}  // namespace mostarium
