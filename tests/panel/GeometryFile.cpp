#include "GeometryFile.h"

#include <QFile>
#include <QTest>

QMap<QString, QRect> TGeometryFile::Read() const {
    QMap<QString, QRect> out;
    QFile file(FPath);
    if (!file.open(QIODevice::ReadOnly))
        return out;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QList<QByteArray> f = line.split('\t');
        if (f.size() == 5)
            out.insert(QString::fromUtf8(f[0]),
                       QRect(f[1].toInt(), f[2].toInt(), f[3].toInt(), f[4].toInt()));
    }
    return out;
}

QString TGeometryFile::Focus() const {
    QFile file(FPath);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray first = file.readLine().trimmed();
    return first.startsWith("@focus\t") ? QString::fromUtf8(first.mid(7)) : QString();
}

bool TGeometryFile::WaitForFocus(const QString &key, int timeoutMs) const {
    return QTest::qWaitFor([&] { return Focus() == key; }, timeoutMs);
}

bool TGeometryFile::WaitForGone(const QString &key, int timeoutMs) const {
    return QTest::qWaitFor([&] { return !Read().contains(key); }, timeoutMs);
}

QRect TGeometryFile::WaitFor(const QString &key, int timeoutMs) const {
    QRect found;
    (void)QTest::qWaitFor(
        [&] {
            found = Read().value(key);
            return !found.isEmpty();
        },
        timeoutMs);
    return found;
}
