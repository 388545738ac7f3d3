// Settings and calibration files (one reader serves both): any bytes are either refused
// with a message naming the file, or split into lines that hold no line ends, no control
// characters and nothing a command cannot carry as 8-bit text.
#include "SettingsFileReader.h"
#include "SettingsLines.h"

#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString path = QStringLiteral("/fuzz/settings.txt");
    const TSettingsFileContent content = TSettingsFileReader::Parse(path, bytes);
    if (!content.Ok) {
        Check(
            content.Error.startsWith(QStringLiteral("Cannot read file \"/fuzz/settings.txt\": ")));
        Check(content.Lines.isEmpty());
        return 0;
    }
    Check(content.Error.isEmpty());
    Check(content.Lines.size() == Instrument::SplitFileLines(bytes).size());
    for (const QByteArray &line : content.Lines) {
        Check(line.size() <= TSettingsFileReader::MaxLineLength);
        for (const char c : line)
            Check((static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) || c == '\t');
    }
    for (const QByteArray &command : content.CommandLines())
        Check(!command.contains("//"));
    return 0;
}
