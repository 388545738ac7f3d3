#include "CtlOptions.h"

#include "NumberFormat.h"
#include "SettingKeys.h"

namespace {

struct TVerb {
    const char *Name;
    const char *Synopsis;
    const char *Help;
    int MinArgs;
    int MaxArgs; // -1: any
};

const TVerb Verbs[] = {
    {"list", "list", "Ports as COM numbers with their devices.", 0, 0},
    {"find", "find", "Searches like the panel; prints port, rate and identity.", 0, 0},
    {"identify", "identify", "Brand, model, channel count, serial number, versions.", 0, 0},
    {"get", "get [--json]", "The full read-back, as settings-file lines or as JSON.", 0, 0},
    {"set", "set KEY VALUE ...",
     "Named settings, checked against the model's ranges and steps, sent as the panel sends "
     "them.",
     2, -1},
    {"send", "send CMD ...", "Raw commands; prints each reply.", 1, -1},
    {"run", "run", "Starts the outputs.", 0, 0},
    {"stop", "stop", "Stops the outputs.", 0, 0},
    {"status", "status [--watch]",
     "Run state and shot count; --watch polls every second until interrupted.", 0, 0},
    {"save", "save FILE", "Reads the instrument back and writes the settings file.", 1, 1},
    {"restore", "restore FILE", "Replays a settings file and reads the instrument back.", 1, 1},
    {"bin", "bin save|recall N", "Saves to or recalls from storage bin N.", 2, 2},
};

const TVerb *FindVerb(const QString &name) {
    for (const TVerb &v : Verbs)
        if (name == QLatin1String(v.Name))
            return &v;
    return nullptr;
}

// The options that only switch something on.
const struct {
    const char *Name;
    bool TCtlOptions::*Member;
} Flags[] = {
    {"--log", &TCtlOptions::Log},   {"--quiet", &TCtlOptions::Quiet},
    {"--help", &TCtlOptions::Help}, {"--version", &TCtlOptions::Version},
    {"--json", &TCtlOptions::Json}, {"--watch", &TCtlOptions::Watch},
};

bool TCtlOptions::*FindFlag(const QString &name) {
    for (const auto &f : Flags)
        if (name == QLatin1String(f.Name))
            return f.Member;
    return nullptr;
}

const char *const OptionsHelp = "Options:\n"
                                "  --port N   use COM N, skip the search\n"
                                "  --baud B   the rate on that port (default 115200)\n"
                                "  --log      write the communication log\n"
                                "  --quiet    no messages but errors\n"
                                "  --help     this text (after a verb: that verb's)\n"
                                "  --version  the program's version\n";

const char *const ExitCodesHelp = "Exit codes:\n"
                                  "  0 done           1 other failure  2 bad usage\n"
                                  "  3 no instrument  4 lost reply     5 value refused\n"
                                  "  6 bad file       7 port held by another program\n";

QString VerbHelp(const TVerb &v) {
    return QStringLiteral("  %1 %2\n")
        .arg(QLatin1String(v.Synopsis), -20)
        .arg(QLatin1String(v.Help));
}

} // namespace

TCtlOptions TCtlOptions::Parse(const QStringList &arguments) {
    TCtlOptions o;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (!a.startsWith(QLatin1String("--"))) {
            if (o.Verb.isEmpty())
                o.Verb = a;
            else
                o.Args << a;
            continue;
        }
        if (a == "--port" || a == "--baud") {
            const auto value = i + 1 < arguments.size() ? Instrument::ParseInt32(arguments[i + 1])
                                                        : std::optional<std::int32_t>();
            if (!value || *value < 1) {
                o.Error = a + QStringLiteral(" needs a positive number");
                return o;
            }
            (a == "--port" ? o.Port : o.Baud) = *value;
            ++i;
        } else if (const auto flag = FindFlag(a)) {
            o.*flag = true;
        } else {
            o.Error = QStringLiteral("unknown option ") + a;
            return o;
        }
    }
    if (o.Help || o.Version)
        return o;
    const TVerb *verb = FindVerb(o.Verb);
    if (o.Verb.isEmpty())
        o.Error = QStringLiteral("no verb given");
    else if (!verb)
        o.Error = QStringLiteral("unknown verb ") + o.Verb;
    else if (o.Args.size() < verb->MinArgs || (verb->MaxArgs >= 0 && o.Args.size() > verb->MaxArgs))
        o.Error = QStringLiteral("wrong number of arguments for ") + o.Verb;
    else if (o.Verb == "set" && o.Args.size() % 2)
        o.Error = QStringLiteral("set takes pairs of KEY VALUE");
    else if (o.Verb == "bin" && o.Args[0] != "save" && o.Args[0] != "recall")
        o.Error = QStringLiteral("bin takes save or recall");
    else if (o.Verb == "bin" && !Instrument::ParseInt32(o.Args[1]))
        o.Error = QStringLiteral("bin number ") + o.Args[1] + QStringLiteral(" is not a number");
    else if (o.Json && o.Verb != "get")
        o.Error = QStringLiteral("--json belongs to get");
    else if (o.Watch && o.Verb != "status")
        o.Error = QStringLiteral("--watch belongs to status");
    else if (o.Baud && !o.Port)
        o.Error = QStringLiteral("--baud needs --port");
    return o;
}

QString TCtlOptions::UsageLine(const QString &verb) {
    const TVerb *v = FindVerb(verb);
    return QStringLiteral("Usage: pulsectl [options] ") +
           (v ? QLatin1String(v->Synopsis) : QLatin1String("VERB [arguments]")) +
           QStringLiteral(" (pulsectl --help tells more)");
}

QString TCtlOptions::HelpText(const QString &verb) {
    QString text;
    if (const TVerb *v = FindVerb(verb)) {
        text = QStringLiteral("Usage: pulsectl [options] ") + QLatin1String(v->Synopsis) +
               QStringLiteral("\n\n") + QLatin1String(v->Help) + QStringLiteral("\n\n");
    } else {
        text = QStringLiteral("Usage: pulsectl [options] VERB [arguments]\n\n"
                              "The pulse and delay generator from scripts and the shell.\n\n"
                              "Verbs:\n");
        for (const TVerb &v : Verbs)
            text += VerbHelp(v);
        text += QLatin1Char('\n');
    }
    if (verb.isEmpty() || verb == "set") {
        text += QStringLiteral("Keys of set (N: channel number; values in SI units):\n") +
                TSettingKeys::HelpLines().join(QLatin1Char('\n')) + QStringLiteral("\n\n");
    }
    return text + QLatin1String(OptionsHelp) + QLatin1Char('\n') + QLatin1String(ExitCodesHelp);
}
