// The number that a typed table cell stands for.
#pragma once

#include <string>

namespace korven {

/// Evaluates a typed cell text (a number or an expression such as 2*3.5, in the user's decimal
/// separator) into a finite value. Throws EEntryError "Entry cannot be blank." for an empty
/// text, else "<text> is not a valid number." for any text that gives no number.
long double EvaluateEntry(const std::string& text);

}  // namespace korven
