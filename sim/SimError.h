#pragma once

#include <cstddef>
#include <iterator>
#include <string>

// Why a line was refused; each maps to one error reply line.
enum class TSimError { None, Unknown, BadArgument, OutOfRange, BadRecord, Locked, WrongCode };

inline std::string ErrorReply(TSimError e) {
    // In the order of TSimError.
    static const char *const kReplies[] = {"ok",
                                           "ERR: unknown command",
                                           "ERR: bad argument",
                                           "ERR: out of range",
                                           "ERR: bad record",
                                           "ERR: secured",
                                           "ERR: wrong code"};
    static_assert(std::size(kReplies) == static_cast<size_t>(TSimError::WrongCode) + 1);
    return kReplies[static_cast<size_t>(e)];
}
