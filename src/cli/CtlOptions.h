#pragma once

#include <QString>
#include <QStringList>

// The command line of pulsectl: one verb, its arguments and the options, which may stand
// anywhere. Parse checks what can be checked without an instrument (verb, options,
// argument counts); Error names the first problem.
struct TCtlOptions {
    QString Verb;
    QStringList Args;
    int Port = 0; // 0: search
    int Baud = 0; // 0: the panel's 115200 for a named port
    bool Log = false;
    bool Quiet = false;
    bool Help = false;
    bool Version = false;
    bool Json = false;
    bool Watch = false;
    QString Error;

    static TCtlOptions Parse(const QStringList &arguments); // without the program name
    // "Usage: pulsectl [options] " and the verb's synopsis, after an error.
    static QString UsageLine(const QString &verb);
    // The whole help (no verb) or one verb's.
    static QString HelpText(const QString &verb);
};
