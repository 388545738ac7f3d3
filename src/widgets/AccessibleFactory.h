#pragma once

#include <QAccessible>

// Gives every TWidget the accessible interface TInterface. TWidget's constructor calls
// it; the factory is installed once per process.
template <class TInterface, class TWidget> void InstallAccessibleFactory() {
    static const bool installed = [] {
        QAccessible::installFactory([](const QString &, QObject *object) -> QAccessibleInterface * {
            auto *widget = qobject_cast<TWidget *>(object);
            return widget ? new TInterface(widget) : nullptr;
        });
        return true;
    }();
    Q_UNUSED(installed);
}
