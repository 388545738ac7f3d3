// Port-map entries: a directory of names and links as a user or a udev rule may leave it,
// and the item texts of the port dialog. The map lists only COM<n> entries that lead to
// something openable, each number once, ascending; an item text gives back its number.
#include "PortMap.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <memory>
#include <unistd.h>

namespace {

std::unique_ptr<QTemporaryDir> Work;

void Check(bool condition) {
    if (!condition)
        std::abort();
}

// A name as a directory entry can carry it: no '/' and no NUL, not "." or "..".
QString EntryName(FuzzedDataProvider &input) {
    QString name = QString::fromLatin1(input.ConsumeRandomLengthString(12).c_str());
    name.remove(QLatin1Char('/'));
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        name = QStringLiteral("COM");
    return name;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (!Work)
        Work = std::make_unique<QTemporaryDir>();
    FuzzedDataProvider input(data, size);

    const qint32 number = input.ConsumeIntegral<qint32>();
    const QString device = QString::fromLatin1(input.ConsumeRandomLengthString(20).c_str());
    const QString item = TPortMap::ItemText(number, device);
    if (number > 0)
        Check(TPortMap::NumberOfItem(item) == number);
    const QString text = QString::fromLatin1(input.ConsumeRandomLengthString(20).c_str());
    const qint32 named = TPortMap::NumberOfName(text);
    Check(named >= 0);
    if (named > 0) {
        Check(text.startsWith(QLatin1String("COM")) && text.size() > 3);
        for (const QChar c : QStringView(text).mid(3))
            Check(c >= u'0' && c <= u'9');
        Check(text.mid(3).toLongLong() == named);
    }

    QDir dir(Work->filePath(QStringLiteral("ports")));
    dir.removeRecursively();
    QDir().mkpath(dir.path());
    const QString targets[] = {QStringLiteral("/dev/null"), Work->path(),
                               dir.filePath(QStringLiteral("missing")),
                               dir.filePath(QStringLiteral("COM1"))};
    const int entries = input.ConsumeIntegralInRange(0, 6);
    for (int i = 0; i < entries; ++i) {
        // Not QDir::filePath: a name starting with ':' would leave the folder.
        const QString path = dir.path() + QLatin1Char('/') + EntryName(input);
        const int kind = input.ConsumeIntegralInRange(0, 4);
        if (kind == 4) {
            QFile file(path);
            (void)file.open(QIODevice::WriteOnly);
        } else {
            (void)::symlink(QFile::encodeName(targets[kind]).constData(),
                            QFile::encodeName(path).constData());
        }
    }

    const TPortMap map = TPortMap::FromDirectory(dir.path());
    qint32 previous = 0;
    for (const TPortEntry &e : map.Entries()) {
        Check(e.Number > previous);
        previous = e.Number;
        const QFileInfo target(e.Device);
        Check(target.exists() && !target.isDir());
        Check(map.DevicePath(e.Number) == e.Device);
    }
    return 0;
}
