#include "CommandLine.h"

bool HasLogSwitch(const QStringList &arguments) {
    for (const QString &argument : arguments) {
        if (argument.size() < 2 || (argument[0] != u'-' && argument[0] != u'/'))
            continue;
        if (argument.mid(1).compare(QLatin1String("log"), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}
