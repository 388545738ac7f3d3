#pragma once

#include "AppControl.h"
#include "LogMenu.h"
#include "TerminalEcho.h"

#include <QList>
#include <QString>
#include <QStringList>

// Test doubles of the link's seams: they record what the link asked for.

class TRecordingTerminal : public TTerminalEcho {
public:
    struct TLine {
        QString text;
        TRgb colour;
    };
    void AppendLine(const QString &text, TRgb colour) override { Lines.append({text, colour}); }
    void Clear() override {
        Lines.clear();
        ++ClearCount;
    }
    QList<TLine> Lines;
    int ClearCount = 0;
};

class TRecordingApp : public TAppControl {
public:
    bool RestartApp() override {
        Calls << "RestartApp";
        return RestartStarts;
    }
    void ExitApp() override { Calls << "ExitApp"; }
    void StopStatusTimer() override { Calls << "StopStatusTimer"; }
    void StartStatusTimer() override { Calls << "StartStatusTimer"; }
    QStringList Calls;
    bool RestartStarts = true; // false: the new instance does not start
};

class TRecordingLogMenu : public TLogMenu {
public:
    void SetLoggingChecked(bool checked) override { Checked.append(checked); }
    QList<bool> Checked;
};

// Replaces every "HH:mm:ss.zzz" time of day in a line by "T", so lines compare literally.
QString NormaliseTimes(const QString &line);
// The lines of a file split at CR LF; fails the calling test when any other line end occurs.
QStringList ReadCrLfLines(const QString &path);
