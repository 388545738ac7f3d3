#pragma once

#include <string>

// Why a line was refused; each maps to one error reply line.
enum class TSimError { None, Unknown, BadArgument, OutOfRange, BadRecord, Locked, WrongCode };

inline std::string ErrorReply(TSimError e) {
    switch (e) {
    case TSimError::None:
        return "ok";
    case TSimError::Unknown:
        return "ERR: unknown command";
    case TSimError::BadArgument:
        return "ERR: bad argument";
    case TSimError::OutOfRange:
        return "ERR: out of range";
    case TSimError::BadRecord:
        return "ERR: bad record";
    case TSimError::Locked:
        return "ERR: secured";
    case TSimError::WrongCode:
        return "ERR: wrong code";
    }
    return "ERR: unknown command";
}
