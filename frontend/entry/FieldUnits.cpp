// Unit names of numeric fields.
#include "FieldUnits.h"

namespace korven {
namespace {

struct TUnitName {
    const char* Code;
    const char* English;
    const char* SI;
};

// clang-format off
constexpr TUnitName kForces[] = {
    {"F6", "slug",       "Mg"},
    {"F5", "sec",        "sec"},
    {"F4", "lb-sec2/in", "Mg"},
    {"F2", "tons",       "kN"},
    {"F1", "kips",       "kN"},
    {"F",  "lbs",        "kN"},
};
constexpr TUnitName kLengths[] = {
    {"L2", "ft",  "m"},
    {"L1", "in",  "mm"},
    {"L3", "rad", "rad"},
    {"L",  "in",  "m"},
};
// clang-format on

template <std::size_t N>
void ReplaceFirstPresent(QString& text, const TUnitName (&names)[N], int units) {
    for (const TUnitName& n : names) {
        const QLatin1String code(n.Code);
        if (text.contains(code)) {
            text.replace(code, QLatin1String(units == 2 ? n.SI : n.English));
            return;
        }
    }
}

}  // namespace

QString FieldUnitName(const QString& code, int units) {
    if (units == 3) return code;
    QString text = code;
    ReplaceFirstPresent(text, kForces, units);
    ReplaceFirstPresent(text, kLengths, units);
    return text;
}

}  // namespace korven
