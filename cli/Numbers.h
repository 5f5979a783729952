// Numbers in and out of text with "." as the decimal separator, whatever the locale.
#pragma once

#include <charconv>
#include <optional>
#include <string>
#include <string_view>

namespace korven::cli {

/// The number a whole field holds (blanks around it allowed); nothing for an empty field, a field
/// of asterisks or any other text.
inline std::optional<double> parseNumber(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\r')) s.remove_suffix(1);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    if (s.empty()) return std::nullopt;
    double v        = 0;
    const auto last = s.data() + s.size();
    const auto r    = std::from_chars(s.data(), last, v);
    if (r.ec != std::errc() || r.ptr != last) return std::nullopt;
    return v;
}

/// `v` with `decimals` digits after the point.
inline std::string fixed(double v, int decimals) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    return r.ec == std::errc() ? std::string(buf, r.ptr) : std::string("nan");
}

/// `v` with `digits` significant digits.
inline std::string significant(double v, int digits) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, digits);
    return r.ec == std::errc() ? std::string(buf, r.ptr) : std::string("nan");
}

/// `v` in its shortest form that reads back to the same double.
inline std::string shortest(double v) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return r.ec == std::errc() ? std::string(buf, r.ptr) : std::string("nan");
}

}  // namespace korven::cli
