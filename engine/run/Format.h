// Fixed-format records written from edit descriptors (nX, Iw, Iw.m, Fw.d, Ew.d, Aw, 'text', /).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace korven::run {

/// One item of an output list: an integer, a real or a text.
using FormatItem = std::variant<std::int64_t, double, std::string_view>;

namespace detail {

// Syntax check of a layout, run at compile time by Format's constructor. Returns false on the
// first character that does not belong to a layout.
constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }

constexpr bool checkLayout(std::string_view s) {
    std::size_t i   = 0;
    auto skipBlanks = [&] {
        while (i < s.size() && s[i] == ' ') ++i;
    };
    auto number = [&](bool required) {
        const std::size_t start = i;
        while (i < s.size() && isDigit(s[i])) ++i;
        return !required || i > start;
    };
    skipBlanks();
    if (i >= s.size() || s[i] != '(') return false;
    ++i;
    int depth = 1;
    while (i < s.size() && depth > 0) {
        skipBlanks();
        if (i >= s.size()) return false;
        const char c = s[i];
        if (c == ',') {
            ++i;
            continue;
        }
        if (c == '/') {
            ++i;
            continue;
        }
        if (c == ')') {
            --depth;
            ++i;
            continue;
        }
        if (c == '\'') {
            ++i;
            while (true) {
                if (i >= s.size()) return false;
                if (s[i] == '\'') {
                    if (i + 1 < s.size() && s[i + 1] == '\'') {
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
            continue;
        }
        number(false);  // repeat count or blank count
        if (i >= s.size()) return false;
        const char d = s[i];
        if (d == '(') {
            ++depth;
            ++i;
            continue;
        }
        ++i;
        switch (d) {
            case 'X':
                break;
            case 'A':
                number(false);
                break;
            case 'I':
                if (!number(true)) return false;
                if (i < s.size() && s[i] == '.') {
                    ++i;
                    if (!number(true)) return false;
                }
                break;
            case 'F':
            case 'E':
                if (!number(true)) return false;
                if (i >= s.size() || s[i] != '.') return false;
                ++i;
                if (!number(true)) return false;
                break;
            default:
                return false;
        }
    }
    skipBlanks();
    return depth == 0 && i == s.size();
}

}  // namespace detail

/// A layout of edit descriptors, checked when the program is compiled.
class Format {
public:
    consteval Format(const char* text) : text_(text) {  // NOLINT(google-explicit-constructor)
        if (!detail::checkLayout(text_)) throw "malformed record layout";
    }
    constexpr std::string_view text() const { return text_; }

private:
    std::string_view text_;
};

/// Formats one value by a single edit descriptor; the pieces that tests look at directly.
std::string editInteger(std::int64_t value, int w, int m = -1);
std::string editFixed(double value, int w, int d);
std::string editExponent(double value, int w, int d);
std::string editText(std::string_view text, int w);

/// Formats the output list by the layout; the result holds one '\n' per record end, including the
/// final one. Throws std::logic_error when an item does not fit its descriptor's kind.
std::string formatRecord(std::string_view layout, const std::vector<FormatItem>& items);

template <class T>
FormatItem toItem(const T& v) {
    if constexpr (std::is_integral_v<T>)
        return FormatItem(static_cast<std::int64_t>(v));
    else if constexpr (std::is_floating_point_v<T>)
        return FormatItem(static_cast<double>(v));
    else
        return FormatItem(std::string_view(v));
}

template <class... Args>
std::string format(Format layout, const Args&... args) {
    return formatRecord(layout.text(), std::vector<FormatItem>{toItem(args)...});
}

}  // namespace korven::run
