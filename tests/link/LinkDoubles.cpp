#include "LinkDoubles.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

QString NormaliseTimes(const QString &line) {
    static const QRegularExpression time(QStringLiteral("\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d"));
    QString out = line;
    return out.replace(time, QStringLiteral("T"));
}

QStringList ReadCrLfLines(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot open " << path.toStdString();
        return {};
    }
    const QByteArray all = file.readAll();
    EXPECT_TRUE(all.isEmpty() || all.endsWith("\r\n")) << "last line not ended by CR LF";
    QList<QByteArray> parts = all.split('\n');
    parts.removeLast(); // after the last line end
    QStringList lines;
    for (const QByteArray &line : parts) {
        EXPECT_TRUE(line.endsWith('\r')) << "line without CR: " << line.toStdString();
        lines << QString::fromLatin1(line.endsWith('\r') ? line.chopped(1) : line);
    }
    return lines;
}
