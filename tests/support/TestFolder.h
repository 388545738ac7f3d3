#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A fresh folder per test, with helpers to put bytes in and take them out.
class TTestFolder {
public:
    TTestFolder();
    QString Path() const { return FDir.path(); }
    QString File(const QString &name) const { return FDir.filePath(name); }
    // Makes the file's sub-folders as needed; returns the path.
    QString Write(const QString &name, const QByteArray &bytes) const;
    static QByteArray Read(const QString &path);
    // Names of everything in the folder (to see that no temporary file is left behind).
    QStringList Entries() const;

private:
    QTemporaryDir FDir;
};

// A sub-folder this process cannot write to while the object lives. Files put there
// beforehand stay readable. A root process takes the "nobody" user's rights meanwhile,
// since root writes anywhere.
class TReadOnlyFolder {
public:
    explicit TReadOnlyFolder(const QString &path);
    ~TReadOnlyFolder();
    TReadOnlyFolder(const TReadOnlyFolder &) = delete;
    TReadOnlyFolder &operator=(const TReadOnlyFolder &) = delete;
    bool Active() const { return FActive; }

private:
    QString FPath;
    bool FDroppedRights = false;
    bool FActive = false;
};
