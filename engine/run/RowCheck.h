// The check of the values of a result row before the writers print them: the record formatter
// prints a value that is not a finite number as asterisks, and this says which one and where.
#pragma once

#include <initializer_list>
#include <string_view>

#include "run/RunContext.h"

namespace korven::run {

/// A value of a row with the name the report gives it.
struct RowValue {
    std::string_view name;
    real value;
};

/// For each value that is not finite, a framed warning naming the quantity, the depth (ft,
/// converted for SI projects) and the stem diameter of the pass, to the runtime file and the
/// report; once per quantity in each diameter pass. True when every value is finite.
bool checkRowValues(RunContext& ctx, real depth, std::initializer_list<RowValue> values);

}  // namespace korven::run
