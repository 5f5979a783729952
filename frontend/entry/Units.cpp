// Unit names and conversion factors of the unit codes.
#include "entry/Units.h"

#include <cmath>
#include <stdexcept>
#include <string_view>

namespace korven {
namespace {

struct UnitCode {
    std::string_view code;
    std::string_view english, si, none;
    long double factor;  ///< English units per SI unit
};

// clang-format off
// Table header order: every force code before the length codes, two-character codes before "F"
// and "L" so that "F2" is not read as "F" followed by a 2.
constexpr UnitCode kCodes[] = {
    {"F2", "tons",       "kN",  "F", 0.1124044745L},
    {"F1", "kips",       "kN",  "F", 0.2248089237L},
    {"F4", "lb-sec2/in", "Mg",  "M", 5.7101483L},
    {"F5", "sec",        "sec", "T", 1.0L},
    {"F6", "slug",       "Mg",  "F", 68.364249L},
    {"F",  "lbs",        "kN",  "F", 224.8089237L},
    {"L3", "rad",        "rad", "L", 1.0L},
    {"L2", "ft",         "m",   "L", 3.280839895L},
    {"L1", "in",         "mm",  "L", 0.03937007874L},
    {"L",  "in",         "m",   "L", 39.37007874L},
};
// clang-format on

const UnitCode* findCode(std::string_view name) {
    for (const auto& u : kCodes)
        if (u.code == name) return &u;
    return nullptr;
}

std::string_view nameIn(const UnitCode& u, int units) {
    return units == kEnglish ? u.english : units == kSI ? u.si : u.none;
}

void replaceAll(std::string& s, std::string_view what, std::string_view with) {
    for (auto p = s.find(what); p != std::string::npos; p = s.find(what, p + with.size()))
        s.replace(p, what.size(), with);
}

// f of one side of a unit code ("F", "L2^3", empty): the product of its codes' factors raised to
// their exponents. Returns false for anything that is not such a product.
bool partFactor(std::string_view part, long double& f) {
    f             = 1.0L;
    std::size_t i = 0;
    while (i < part.size()) {
        if (part[i] != 'F' && part[i] != 'L') return false;
        std::size_t j = i + 1;
        if (j < part.size() && part[j] >= '0' && part[j] <= '9') ++j;
        const UnitCode* u = findCode(part.substr(i, j - i));
        if (!u) return false;
        int exponent = 1;
        if (j < part.size() && part[j] == '^') {
            ++j;
            const std::size_t start = j;
            exponent                = 0;
            while (j < part.size() && part[j] >= '0' && part[j] <= '9' && exponent < 100)
                exponent = exponent * 10 + (part[j++] - '0');
            if (j == start || exponent >= 100) return false;
        }
        f *= std::pow(u->factor, static_cast<long double>(exponent));
        i = j;
        if (i < part.size() && (part[i] == '*' || part[i] == '-' || part[i] == '.')) {
            if (++i == part.size()) return false;
        }
    }
    return true;
}

bool codeFactor(std::string_view code, long double& f) {
    const auto slash = code.find('/');
    long double n = 1.0L, d = 1.0L;
    if (slash == std::string_view::npos) {
        if (!partFactor(code, n)) return false;
    } else {
        if (slash == 0 || !partFactor(code.substr(0, slash), n)
            || !partFactor(code.substr(slash + 1), d) || slash + 1 == code.size())
            return false;
    }
    f = n / d;
    return true;
}

}  // namespace

std::string UnitName(const std::string& code, int units) {
    std::string s = code;
    for (const auto& u : kCodes) replaceAll(s, u.code, nameIn(u, units));
    return s;
}

std::string FieldUnitName(const std::string& code, int units) {
    if (units != kEnglish && units != kSI) return code;
    std::string s = code;
    // the field looks for the codes in its own order and replaces only the first one present
    constexpr std::string_view forces[]  = {"F6", "F5", "F4", "F2", "F1", "F"};
    constexpr std::string_view lengths[] = {"L2", "L1", "L3", "L"};
    for (auto c : forces)
        if (s.find(c) != std::string::npos) {
            replaceAll(s, c, nameIn(*findCode(c), units));
            break;
        }
    for (auto c : lengths)
        if (s.find(c) != std::string::npos) {
            replaceAll(s, c, nameIn(*findCode(c), units));
            break;
        }
    return s;
}

bool IsValidUnitCode(const std::string& code) {
    long double f = 0;
    return code.empty() || codeFactor(code, f);
}

long double UnitFactor(const std::string& code, int from, int to) {
    long double f = 1.0L;
    if (!code.empty() && !codeFactor(code, f))
        throw std::invalid_argument("unknown unit code \"" + code + "\"");
    if (from == kEnglish && to == kSI) return 1.0L / f;
    if (from == kSI && to == kEnglish) return f;
    return 1.0L;
}

}  // namespace korven
