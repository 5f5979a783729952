// Unit names shown in the caption labels of numeric fields.
#pragma once

#include <QString>

namespace korven {

/// `code` with its force and length codes replaced by the names of unit system `units`
/// (1 English, 2 SI); with 3 ("none") the code is returned unchanged. Of the force codes only the
/// first one present (in the order F6, F5, F4, F2, F1, F) is replaced, every occurrence of it;
/// the same then for the length codes (L2, L1, L3, L).
QString FieldUnitName(const QString& code, int units);

}  // namespace korven
