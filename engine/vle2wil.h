// The engine's side of the four exported functions, which include/corvane.h declares:
// their failure result and the codes of their pressure-unit argument.
#pragma once
#include <cstdint>

#include "corvane.h"

namespace corvane {

constexpr double failval = 1.0E+100;         // result of an exported function that fails

// Pressure units, the values of the argument punit; any other value fails.
constexpr std::int32_t unitpa = 0;
constexpr std::int32_t unitmmhg = 1;
constexpr std::int32_t unitatm = 2;

}  // namespace corvane
