// Real values as text in "general format" and text read back as reals: the form of every real in
// the project file, in field texts and in the evaluator's intermediate values.
#pragma once

#include <string>
#include <string_view>

namespace korven {

/// `value` with at most `digits` significant digits, shortest form, "." as separator: fixed
/// notation when the decimal exponent lies from -5 up to below `digits`, otherwise mantissa, "E",
/// a minus sign only for negative exponents and the exponent without leading zeros
/// (1E20, 1.5E-7, 1.2345679E8).
std::string FormatGeneral(long double value, int digits);

/// Reads `text` as a real written with `separator` as the decimal separator: an optional sign,
/// digits with an optional fraction (at least one digit), an optional exponent "E" or "e" with an
/// optional sign and digits. Nothing else may stand in the text. False, with `value` untouched,
/// for any other text and for values outside the range of long double, so that neither
/// infinities, NaN nor a silently flushed value can come out of a typed or stored number.
bool ParseReal(std::string_view text, char separator, long double& value);

}  // namespace korven
