// The program's command line: what it asks for and the one-line error for what it refuses.
#include "CommandLine.h"

#include <gtest/gtest.h>

namespace {

using TRequest = TCommandLine::TRequest;

struct TCase {
    QStringList Arguments; // after the program name
    TRequest Request;
    std::string Error;
};

TEST(CommandLineTest, RequestsAndRefusals) {
    const TCase cases[] = {
        {{}, TRequest::Run, ""},
        {{"-log"}, TRequest::Run, ""},
        {{"/LOG", "-LoG"}, TRequest::Run, ""},
        {{"--help"}, TRequest::Help, ""},
        {{"-h", "/log"}, TRequest::Help, ""},
        {{"-v"}, TRequest::Version, ""},
        {{"--bogus", "-version"}, TRequest::Version, ""},
        {{"--log"}, TRequest::Error, "Unknown option 'log'."},
        {{"-logs"}, TRequest::Error, "Unknown option 'logs'."},
        {{"-log", "--colour", "-x"}, TRequest::Error, "Unknown options: colour, x."},
        {{"log"}, TRequest::Error, "Unexpected argument 'log'."},
        {{"/LOG", "COM1", "COM2"}, TRequest::Error, "Unexpected argument 'COM1'."},
        {{"--", "-log"}, TRequest::Run, ""}, // the log switch counts anywhere on the line
    };
    for (const TCase &c : cases) {
        const TCommandLine line(QStringList{"pulsepanel"} + c.Arguments);
        const std::string shown = c.Arguments.join(' ').toStdString();
        EXPECT_EQ(line.Request(), c.Request) << shown;
        EXPECT_EQ(line.ErrorText().toStdString(), c.Error) << shown;
    }
}

// The start-up reads the switch from the arguments after the program name.
TEST(CommandLineTest, LogSwitchAfterDashOrSlashInAnyCase) {
    for (const char *on : {"/LOG", "-log", "/Log", "-LoG"})
        EXPECT_TRUE(HasLogSwitch({QStringLiteral("x"), QString::fromLatin1(on)})) << on;
    for (const char *off : {"log", "--log", "-logs", "/lo", "-", "/", "", " -log", "-log "})
        EXPECT_FALSE(HasLogSwitch({QString::fromLatin1(off)})) << off;
    EXPECT_FALSE(HasLogSwitch({}));
}

TEST(CommandLineTest, HelpNamesTheOptionsAndTheLogSwitch) {
    const QString help = TCommandLine({"pulsepanel"}).HelpText();
    for (const char *text : {"Usage: ", "-h, --help", "-v, --version", "-log or /LOG"})
        EXPECT_TRUE(help.contains(text)) << text;
}

} // namespace
