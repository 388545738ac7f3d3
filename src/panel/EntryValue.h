#pragma once

#include "NumberFormat.h"

#include <cstdint>

// A mirror keeps a numeric entry's value the way its record field holds it: counts as
// the instrument counts them, levels and times as they are.
namespace EntryValue {

inline void Store(std::uint32_t &field, double value) {
    field = Instrument::CountAsUnsigned(value);
}
inline void Store(std::int32_t &field, double value) {
    field = Instrument::CountAsSigned(value);
}
inline void Store(double &field, double value) {
    field = value;
}

} // namespace EntryValue
