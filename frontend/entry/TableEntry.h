// The number that a typed table cell stands for.
#pragma once

#include <string>

namespace korven {

/// Evaluates a typed cell text (a number or an expression) into a finite value. Throws
/// EEntryError "Entry cannot be blank." for an empty text, else "<text> is not a valid number."
long double EvaluateEntry(const std::string& text);

}  // namespace korven
