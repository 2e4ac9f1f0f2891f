// Percentages as the CSV files show them: a general format with 15
// significant digits and the user's decimal symbol.
#pragma once

#include <cstdint>
#include <string>

namespace vendral {

// The value taken to 18 significant digits, those rounded half up to 15,
// trailing zeros dropped; fixed notation from 0.0001 up to 15 integer
// digits, exponent notation (5E-5) below.
std::string ValueText(long double value, char decimal_symbol);

// hits / total * 100 in extended precision, as ValueText; total > 0.
std::string PercentageText(std::int64_t hits, std::int64_t total, char decimal_symbol);

}  // namespace vendral
