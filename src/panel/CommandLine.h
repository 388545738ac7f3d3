#pragma once

#include <QCommandLineParser>
#include <QStringList>

// True for the switch "log" after "-" or "/", in any letter case ("-log", "/LOG", "-Log").
bool IsLogSwitch(const QString &argument);

// True when the arguments hold the log switch.
bool HasLogSwitch(const QStringList &arguments);

// The program's command line: --help, --version and the log switch; any other option or
// argument is refused. Qt's own options (-platform, -style, ...) must have been taken out
// already, as QApplication does.
class TCommandLine {
public:
    enum class TRequest { Run, Help, Version, Error };

    // `arguments` as QCoreApplication::arguments() gives them, the program first.
    explicit TCommandLine(const QStringList &arguments);

    // --help and --version win over everything else on the line.
    TRequest Request() const { return FRequest; }
    // One line naming what was refused, for TRequest::Error.
    QString ErrorText() const { return FError; }
    // Usage and options. Names the program from the running application object, so it is
    // taken once one exists.
    QString HelpText() const { return FParser.helpText(); }
    // The application's name and version, "pulsepanel 1.0.0".
    static QString VersionText();

private:
    QCommandLineParser FParser;
    TRequest FRequest = TRequest::Run;
    QString FError;
};
