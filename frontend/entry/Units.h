// Unit codes of table columns and fields: their names in each unit system and the factors that
// convert stored values when a project changes its unit system.
#pragma once

#include <string>

namespace korven {

/// Unit systems of values and of the names shown for them.
enum TUnitSystem : int { kEnglish = 1, kSI = 2, kNoUnits = 3 };

/// The name of a unit code as a table column header shows it: every force code, then every
/// length code, replaced in turn ("F/L2^2" gives lbs/ft^2, kN/m^2 or F/L^2).
std::string UnitName(const std::string& code, int units);

/// The name of a unit code as a numeric field's caption shows it: only the first force code and
/// the first length code present are replaced; with `kNoUnits` the code is shown unchanged.
std::string FieldUnitName(const std::string& code, int units);

/// True when `code` is empty (dimensionless) or made of known force and length codes, such as
/// "F/L2^3" or "L".
bool IsValidUnitCode(const std::string& code);

/// The factor that converts a value of unit `code` from unit system `from` to `to` (1 when the
/// systems are equal or either is not English or SI). Throws std::invalid_argument for an
/// unknown code.
long double UnitFactor(const std::string& code, int from, int to);

}  // namespace korven
