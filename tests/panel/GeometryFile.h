#pragma once

#include <QMap>
#include <QRect>
#include <QString>

// Reads the file a program started with PULSEPANEL_GEOMETRY writes: where each visible
// control is on the screen (see TGeometryReport).
class TGeometryFile {
public:
    explicit TGeometryFile(const QString &path) : FPath(path) {}

    QMap<QString, QRect> Read() const;
    // The key of the widget holding the keyboard focus; empty when none does.
    QString Focus() const;
    // The control's rectangle once the file holds it (the window or list that shows it
    // may still be opening); an empty rectangle after the time limit.
    QRect WaitFor(const QString &key, int timeoutMs = 10000) const;
    // Whether the control is off the screen (its window or list closed) within the limit.
    bool WaitForGone(const QString &key, int timeoutMs = 10000) const;
    // Whether the widget of `key` takes the keyboard focus within the time limit.
    bool WaitForFocus(const QString &key, int timeoutMs = 10000) const;

private:
    QString FPath;
};
