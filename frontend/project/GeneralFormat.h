// Real values as text in "general format": the form of every real in the project file, in field
// texts and in the evaluator's intermediate values.
#pragma once

#include <string>

namespace korven {

/// `value` with at most `digits` significant digits, shortest form, "." as separator: fixed
/// notation when the decimal exponent lies from -5 up to below `digits`, otherwise mantissa, "E",
/// a minus sign only for negative exponents and the exponent without leading zeros
/// (1E20, 1.5E-7, 1.2345679E8).
std::string FormatGeneral(long double value, int digits);

}  // namespace korven
