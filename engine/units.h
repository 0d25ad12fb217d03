// The physical constants of the engine, each written once.
#pragma once

namespace corvane {

constexpr double tkzero = 273.15;            // kelvin at 0 degrees Celsius
constexpr double patm = 101325.0;            // Pa in one atmosphere
constexpr double mmhgatm = 760.0;            // mmHg in one atmosphere
constexpr double gascal = 1.98721;           // gas constant, cal/(mol K)

}  // namespace corvane
