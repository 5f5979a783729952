// Arithmetic expressions typed into numeric fields: 2*3.5, sqrt(2), $FF, 5!.
#pragma once

#include <QString>
#include <stdexcept>
#include <string>
#include <string_view>

namespace korven {

/// An entry that cannot be turned into a number. The message begins "Entry could not be
/// evaluated:", a carriage return and the reason, ready for the field's message box.
class EAssignError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// The value of `text`, numbers written with the decimal separator of the user's locale.
/// Throws EAssignError for any entry that does not give a finite number, arithmetic faults
/// (division by zero, a function outside its domain, overflow) included.
long double EvaluateExpression(const QString& text);

/// The same with the decimal separator given, so that the result does not depend on the process
/// locale.
long double EvaluateExpression(std::string_view text, char decimalSeparator);

/// One operand of an expression (a number, a constant, a function applied to an operand, a
/// factorial or a hexadecimal integer), without operators.
long double EvaluateOperand(std::string_view text, char decimalSeparator);

}  // namespace korven
