// General format of reals, independent of the process locale.
#include "project/GeneralFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace korven {

std::string FormatGeneral(long double value, int digits) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0) return "0";
    if (digits < 1) digits = 1;

    char buf[128];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, digits - 1);
    const std::string s(buf, res.ptr);  // [-]d.ddde[+-]XX
    const bool neg     = s[0] == '-';
    const auto e       = s.find('e');
    std::string mant   = s.substr(neg ? 1 : 0, e - (neg ? 1 : 0));
    const int exponent = std::atoi(s.c_str() + e + 1);
    mant.erase(std::remove(mant.begin(), mant.end(), '.'), mant.end());
    while (mant.size() > 1 && mant.back() == '0') mant.pop_back();

    std::string out = neg ? "-" : "";
    if (exponent >= -5 && exponent < digits) {
        if (exponent < 0) {
            out += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + mant;
        } else if (static_cast<int>(mant.size()) <= exponent + 1) {
            out += mant + std::string(static_cast<std::size_t>(exponent + 1) - mant.size(), '0');
        } else {
            out += mant.substr(0, static_cast<std::size_t>(exponent + 1)) + "."
                   + mant.substr(static_cast<std::size_t>(exponent + 1));
        }
    } else {
        out += mant.substr(0, 1);
        if (mant.size() > 1) out += "." + mant.substr(1);
        out += "E" + std::to_string(exponent);
    }
    return out;
}

bool ParseReal(std::string_view text, char separator, long double& value) {
    std::string plain;  // sign, digits, "." and exponent, as from_chars wants them
    plain.reserve(text.size());
    std::size_t i     = 0;
    const auto digits = [&] {
        const std::size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') plain += text[i++];
        return i - start;
    };
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') plain += '-';
        ++i;
    }
    std::size_t mantissa = digits();
    if (i < text.size() && text[i] == separator) {
        plain += '.';
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0) return false;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        plain += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain += text[i++];
        if (digits() == 0) return false;
    }
    if (i != text.size()) return false;

    long double result = 0;
    const auto res     = std::from_chars(plain.data(), plain.data() + plain.size(), result);
    if (res.ec != std::errc() || res.ptr != plain.data() + plain.size()) return false;
    if (!std::isfinite(result)) return false;
    value = result;
    return true;
}

}  // namespace korven
