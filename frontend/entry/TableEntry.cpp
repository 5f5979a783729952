// Typed cell texts read as numbers.
#include "entry/TableEntry.h"

#include <cmath>

#include "entry/Table.h"
#include "project/GeneralFormat.h"

namespace korven {

long double EvaluateEntry(const std::string& text) {
    if (text.find_first_not_of(" \t") == std::string::npos)
        throw EEntryError("Entry cannot be blank.");
    long double v = 0;
    if (!ParseReal(text, '.', v) || !std::isfinite(v))
        throw EEntryError(text + " is not a valid number.");
    return v;
}

}  // namespace korven
