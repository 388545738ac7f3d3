#include "CommandLine.h"

#include <QCoreApplication>
#include <algorithm>

bool IsLogSwitch(const QString &argument) {
    return argument.size() > 1 && (argument[0] == u'-' || argument[0] == u'/') &&
           QStringView(argument).mid(1).compare(QLatin1String("log"), Qt::CaseInsensitive) == 0;
}

bool HasLogSwitch(const QStringList &arguments) {
    return std::any_of(arguments.begin(), arguments.end(), IsLogSwitch);
}

TCommandLine::TCommandLine(const QStringList &arguments) {
    FParser.setApplicationDescription(QStringLiteral(
        "Controls a 6180-family pulse and delay generator on a serial port.\n\n"
        "-log or /LOG (any letter case): write the communication log in the working directory.\n"
        "Held at start: space to choose the port, left shift for demo mode.\n"
        "PULSEPANEL_PORTS=DIR: the serial ports are the links DIR/COM<n>."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    // "-version" as "--version", and "-logs" refused as a whole rather than letter by letter.
    FParser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    FParser.addOption(help);
    FParser.addOption(version);

    // The log switch follows its own rule ("/" and any letter case), which the parser's
    // option syntax cannot express; Startup reads it from the whole argument list.
    QStringList rest;
    for (qsizetype i = 0; i < arguments.size(); ++i)
        if (i == 0 || !IsLogSwitch(arguments[i]))
            rest << arguments[i];
    const bool parsed = FParser.parse(rest);
    if (FParser.isSet(help))
        FRequest = TRequest::Help;
    else if (FParser.isSet(version))
        FRequest = TRequest::Version;
    else if (!parsed)
        FError = FParser.errorText();
    else if (!FParser.positionalArguments().isEmpty())
        FError = QStringLiteral("Unexpected argument '%1'.").arg(FParser.positionalArguments()[0]);
    if (!FError.isEmpty())
        FRequest = TRequest::Error;
}

QString TCommandLine::VersionText() {
    return QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion();
}
