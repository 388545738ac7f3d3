#include "ConnectionCaption.h"

QString WindowCaption(const QString &companyName, const QString &model, const QString &fileVersion,
                      int port, int baud) {
    return companyName + QStringLiteral(" Model ") + model + QStringLiteral("  SW Version: ") +
           fileVersion + QStringLiteral(" ComPort: ") + QString::number(port) +
           QStringLiteral(" Baud: ") + QString::number(baud);
}
