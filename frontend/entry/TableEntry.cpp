// Typed cell texts read as numbers.
#include "entry/TableEntry.h"

#include <QString>
#include <cmath>

#include "entry/Evaluator.h"
#include "entry/Table.h"

namespace korven {

long double EvaluateEntry(const std::string& text) {
    if (text.find_first_not_of(" \t") == std::string::npos)
        throw EEntryError("Entry cannot be blank.");
    try {
        // an expression, with the user's decimal separator like every typed number
        const long double v = EvaluateExpression(QString::fromStdString(text));
        if (std::isfinite(v)) return v;
    } catch (const EAssignError&) {
    }
    throw EEntryError(text + " is not a valid number.");
}

}  // namespace korven
