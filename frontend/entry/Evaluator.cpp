// Expression evaluation by rewriting text: groups in parentheses become their values, the rest is
// split at operators and folded pass by pass in order of precedence. Intermediate values travel
// as text with 18 significant digits, in the same form the user types.
#include "entry/Evaluator.h"

#include <QLocale>
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "project/GeneralFormat.h"

namespace korven {

namespace {

const std::string kPrefix = "Entry could not be evaluated:\r";

[[noreturn]] void Fail(const char* reason) { throw EAssignError(kPrefix + reason); }

// clang-format off
constexpr const char* kBlank       = "entry cannot be blank";
constexpr const char* kParentheses = "() (parentheses) do not match";
constexpr const char* kInvalid     = "invalid expression";
constexpr const char* kFactorial   = "! (factoral) applicable to integers only";
constexpr const char* kHex         = "invalid use of $ (hex function)";
constexpr const char* kCharacters  = "invalid character(s) in expression";
constexpr const char* kDivZero     = "division by zero";
constexpr const char* kInvalidOp   = "invalid floating point operation";
constexpr const char* kOverflow    = "floating point overflow";
// clang-format on

// Every value that leaves an operation passes here, so that neither NaN nor an infinity can reach
// a field or the project.
long double Checked(long double r) {
    if (std::isnan(r)) Fail(kInvalidOp);
    if (std::isinf(r)) Fail(kOverflow);
    // subnormal values would not read back from their own text
    if (r != 0 && std::fabs(r) < LDBL_MIN) return 0;
    return r;
}

long double Reciprocal(long double d) {
    if (d == 0) Fail(kDivZero);
    return Checked(1 / d);
}

long double Logarithm(long double x, long double (*f)(long double)) {
    if (x == 0) Fail(kDivZero);
    if (x < 0) Fail(kInvalidOp);
    return Checked(f(x));
}

// Whole numbers in [lo, hi]; anything beyond has no integer result.
long double InRange(long double r, long double lo, long double hi) {
    if (!(r >= lo && r <= hi)) Fail(kInvalidOp);
    return r;
}

constexpr long double kInt64Lo = -9223372036854775808.0L;
constexpr long double kInt64Hi = 9223372036854775807.0L;
constexpr long double kInt32Lo = -2147483648.0L;
constexpr long double kInt32Hi = 2147483647.0L;

long double RoundHalfEven(long double x) {
    const long double f    = std::floor(x);
    const long double diff = x - f;
    long double r          = f;
    if (diff > 0.5L || (diff == 0.5L && std::fmod(f, 2.0L) != 0)) r = f + 1;
    return InRange(r, kInt64Lo, kInt64Hi);
}

struct Function {
    const char* name;
    long double (*apply)(long double);
};

// A name that begins another must come after it, so that the longer one is recognised:
// "cosec" and "cosh" before "cos", "arctanh" before "arctan" before "tan".
const Function kFunctions[] = {
    {"arctanh",
     [](long double x) {
         if (std::fabs(x) == 1) Fail(kDivZero);
         return Checked(std::atanh(x));
     }},
    {"arctan", [](long double x) { return Checked(std::atan(x)); }},
    {"cotan", [](long double x) { return Reciprocal(std::tan(x)); }},
    {"tanh", [](long double x) { return Checked(std::tanh(x)); }},
    {"tan", [](long double x) { return Checked(std::tan(x)); }},
    {"arccosh", [](long double x) { return Checked(std::acosh(x)); }},
    {"arccos", [](long double x) { return Checked(std::acos(x)); }},
    {"cosec", [](long double x) { return Reciprocal(std::sin(x)); }},
    {"cosh", [](long double x) { return Checked(std::cosh(x)); }},
    {"cos", [](long double x) { return Checked(std::cos(x)); }},
    {"sec", [](long double x) { return Reciprocal(std::cos(x)); }},
    {"arcsinh", [](long double x) { return Checked(std::asinh(x)); }},
    {"arcsin", [](long double x) { return Checked(std::asin(x)); }},
    {"sinh", [](long double x) { return Checked(std::sinh(x)); }},
    {"sin", [](long double x) { return Checked(std::sin(x)); }},
    {"csc", [](long double x) { return Reciprocal(std::sin(x)); }},
    {"abs", [](long double x) { return std::fabs(x); }},
    {"frac", [](long double x) { return Checked(x - std::trunc(x)); }},
    {"int", [](long double x) { return std::trunc(x); }},
    {"ln", [](long double x) { return Logarithm(x, [](long double v) { return std::log(v); }); }},
    {"round", RoundHalfEven},
    {"ceil", [](long double x) { return InRange(std::ceil(x), kInt32Lo, kInt32Hi); }},
    {"floor", [](long double x) { return InRange(std::floor(x), kInt32Lo, kInt32Hi); }},
    {"log",
     [](long double x) { return Logarithm(x, [](long double v) { return std::log10(v); }); }},
    {"sqrt", [](long double x) { return Checked(std::sqrt(x)); }},
};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (Lower(text[i]) != prefix[i]) return false;
    }
    return true;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && StartsWithNoCase(a, b);
}

bool IsFunctionName(std::string_view text) {
    if (text == "!" || text == "$") return true;
    return std::any_of(std::begin(kFunctions), std::end(kFunctions),
                       [&](const Function& f) { return EqualsNoCase(text, f.name); });
}

long double Factorial(long double x) {
    if (x != std::trunc(x)) Fail(kFactorial);
    const long double n = std::fabs(x);
    // 1755! is beyond the extended range; stopping here also bounds the loop
    if (n > 1754) Fail(kOverflow);
    long double r = 1;
    for (int k = 2; k <= static_cast<int>(n); ++k) r *= k;
    return Checked(x < 0 ? -r : r);
}

long double Hex(std::string_view digits) {
    if (digits.empty()) Fail(kHex);
    // leading zeros do not count against the 32 bits
    while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
    if (digits.size() > 8) Fail(kHex);
    std::uint32_t v = 0;
    for (char c : digits) {
        const char l = Lower(c);
        int d        = 0;
        if (l >= '0' && l <= '9') {
            d = l - '0';
        } else if (l >= 'a' && l <= 'f') {
            d = l - 'a' + 10;
        } else {
            Fail(kHex);
        }
        v = v * 16 + static_cast<std::uint32_t>(d);
    }
    // the 32-bit signed pattern a hex field writes: $FFFFFFFF is -1, so a field's own text reads
    // back to its value
    return static_cast<std::int32_t>(v);
}

std::string DeleteDoubleMinus(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '-' && i + 1 < s.size() && s[i + 1] == '-') {
            ++i;
            continue;
        }
        out += s[i];
    }
    return out;
}

std::string AsText(long double v, char sep) {
    std::string s = FormatGeneral(v, 18);
    std::replace(s.begin(), s.end(), '.', sep);
    return s;
}

bool IsOperator(char c) {
    return c == '^' || c == '*' || c == '/' || c == '%' || c == '&' || c == '+' || c == '|'
           || c == '=';
}

// The character before a minus that makes the minus part of the operand after it.
bool BeforeUnaryMinus(char c) {
    return c == '%' || c == '&' || c == '*' || c == '+' || c == '/' || c == '=' || c == 'E'
           || c == '^' || c == 'e' || c == '|' || c == '-';
}

long double Remainder(long double a, long double b) {
    const long double ta = InRange(std::trunc(a), kInt64Lo, kInt64Hi);
    const long double tb = InRange(std::trunc(b), kInt64Lo, kInt64Hi);
    const auto ia        = static_cast<std::int64_t>(ta);
    const auto ib        = static_cast<std::int64_t>(tb);
    if (ib == 0) Fail(kDivZero);
    if (ib == -1) return 0;  // INT64_MIN % -1 would trap
    return static_cast<long double>(ia % ib);
}

long double Apply(char op, long double a, long double b) {
    switch (op) {
        case '^':
            if (a == 0 && b < 0) Fail(kDivZero);
            return Checked(std::pow(a, b));
        case '*':
            return Checked(a * b);
        case '/':
            if (b == 0) Fail(a == 0 ? kInvalidOp : kDivZero);
            return Checked(a / b);
        case '&':
            return a != 0 && b != 0 ? 1 : 0;
        case '+':
            return Checked(a + b);
        case '-':
            return Checked(a - b);
        case '|':
            return a != 0 || b != 0 ? 1 : 0;
        default:
            return a == b ? 1 : 0;  // '='
    }
}

}  // namespace

long double EvaluateOperand(std::string_view text, char sep) {
    // One deletion pass leaves no "--" behind, and taking a function name off the front or a "!"
    // off the end cannot make a new pair, so the nested operands need no pass of their own.
    const std::string whole = DeleteDoubleMinus(text);
    std::string_view s      = whole;
    // Functions and factorials nest ("sqrtsqrt16", "3!!"): they are taken off into a list and
    // applied innermost first, so that no input can nest deeper than this one call.
    std::vector<const Function*> pending;  // null for a factorial
    long double value = 0;
    for (;;) {
        if (EqualsNoCase(s, "pi")) {
            value = std::numbers::pi_v<long double>;
        } else if (EqualsNoCase(s, "-pi")) {
            value = -std::numbers::pi_v<long double>;
        } else if (EqualsNoCase(s, "e")) {
            value = std::numbers::e_v<long double>;
        } else if (EqualsNoCase(s, "-e")) {
            value = -std::numbers::e_v<long double>;
        } else {
            const auto f =
                std::find_if(std::begin(kFunctions), std::end(kFunctions),
                             [&](const Function& fn) { return StartsWithNoCase(s, fn.name); });
            if (f != std::end(kFunctions)) {
                pending.push_back(f);
                s.remove_prefix(std::char_traits<char>::length(f->name));
                continue;
            }
            if (!s.empty() && s.back() == '!') {
                pending.push_back(nullptr);
                s.remove_suffix(1);
                continue;
            }
            if (!s.empty() && s.front() == '$') {
                value = Hex(s.substr(1));
            } else if (!ParseReal(s, sep, value)) {
                Fail(kCharacters);
            }
        }
        break;
    }
    for (auto it = pending.rbegin(); it != pending.rend(); ++it) {
        value = *it ? (*it)->apply(value) : Factorial(value);
    }
    return Checked(value);
}

namespace {

// An expression without parentheses.
long double EvaluateFlat(std::string_view text, char sep) {
    // Which minus signs are operators is settled once, before the text is split.
    std::vector<std::string> operands;
    std::vector<char> operators;
    std::string operand;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c    = text[i];
        bool isOperator = IsOperator(c);
        if (c == '-') {
            isOperator =
                !(i == 0 || IsFunctionName(text.substr(0, i)) || BeforeUnaryMinus(text[i - 1]));
        }
        if (isOperator) {
            operands.push_back(std::move(operand));
            operand.clear();
            operators.push_back(c);
        } else {
            operand += c;
        }
    }
    if (!operand.empty()) operands.push_back(std::move(operand));
    if (operands.size() != operators.size() + 1) Fail(kInvalid);

    // Each pass folds its operators left to right into the operand before them.
    const std::string_view passes[] = {"^", "*/%&", "+-|", "="};
    for (std::string_view pass : passes) {
        std::vector<std::string> keptOperands{std::move(operands.front())};
        std::vector<char> keptOperators;
        for (std::size_t k = 0; k < operators.size(); ++k) {
            const char op = operators[k];
            if (pass.find(op) == std::string_view::npos) {
                keptOperators.push_back(op);
                keptOperands.push_back(std::move(operands[k + 1]));
                continue;
            }
            const long double a = EvaluateOperand(keptOperands.back(), sep);
            const long double b = EvaluateOperand(operands[k + 1], sep);
            keptOperands.back() = op == '%'
                                      ? std::to_string(static_cast<std::int64_t>(Remainder(a, b)))
                                      : AsText(Apply(op, a, b), sep);
        }
        operands  = std::move(keptOperands);
        operators = std::move(keptOperators);
    }
    return EvaluateOperand(operands.front(), sep);
}

}  // namespace

long double EvaluateExpression(std::string_view input, char sep) {
    if (input.empty()) Fail(kBlank);
    // The innermost group is always the one closed first: replacing groups as their ")" comes up
    // gives the values in the same order as searching the text again after every replacement.
    std::string text;
    text.reserve(input.size());
    std::vector<std::size_t> opens;
    for (char c : input) {
        if (c == ' ' || c == '\t') continue;
        if (c == '(') opens.push_back(text.size());
        if (c != ')') {
            text += c;
            continue;
        }
        if (opens.empty()) Fail(kParentheses);
        const std::size_t open = opens.back();
        opens.pop_back();
        const std::string_view inner = std::string_view(text).substr(open + 1);
        if (inner.empty()) Fail(kBlank);
        const std::string value = AsText(EvaluateFlat(inner, sep), sep);
        text.resize(open);
        text += value;
    }
    return EvaluateFlat(text, sep);
}

long double EvaluateExpression(const QString& text) {
    const QString point = QLocale().decimalPoint();
    const char32_t sep  = point.size() == 1 ? point.at(0).unicode() : 0;
    if (sep > 32 && sep < 127 && sep != '(' && sep != ')' && sep != '-' && sep != '!' && sep != '$'
        && !IsOperator(static_cast<char>(sep))) {
        return EvaluateExpression(text.toStdString(), static_cast<char>(sep));
    }
    // A separator outside plain ASCII stands in for a control character that no one types.
    QString replaced = text;
    replaced.replace(point, QString(QChar(1)));
    return EvaluateExpression(replaced.toStdString(), '\x01');
}

}  // namespace korven
