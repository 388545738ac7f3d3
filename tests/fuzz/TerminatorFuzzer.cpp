// The terminator text and the reply that arrives in chunks: the #n parser takes any text,
// and the search over growing text finds the terminator exactly when it is there, however
// the chunks split it.
#include "VKComPort.h"

#include <cstdint>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string text = input.ConsumeRandomLengthString(16);
    const QByteArray terminatorText(text.data(), qsizetype(text.size()));
    const QByteArray terminator = TVKComPort::ParseTerminator(terminatorText);
    // A text without '#' is its own terminator; any result is at most as long as the text.
    if (!terminatorText.contains('#') && terminator != terminatorText)
        std::abort();
    if (terminator.size() > terminatorText.size())
        std::abort();
    if (terminator.isEmpty())
        return 0; // raw mode: no search

    QByteArray received;
    qsizetype searchFrom = 0;
    while (input.remaining_bytes() > 0) {
        const size_t length = input.ConsumeIntegralInRange<size_t>(0, 64);
        const std::string chunk = input.ConsumeBytesAsString(length);
        received.append(chunk.data(), qsizetype(chunk.size()));
        const bool found = TVKComPort::TerminatorReceived(received, terminator, searchFrom);
        if (found != received.contains(terminator))
            std::abort();
        if (found)
            break;
    }
    return 0;
}
