// Expression evaluator: values and messages of typed entries.
#include <gtest/gtest.h>

#include <QLocale>
#include <cmath>
#include <numbers>
#include <string>

#include "entry/Evaluator.h"

namespace korven {
namespace {

const std::string kPrefix = "Entry could not be evaluated:\r";

std::string ErrorOf(std::string_view text, char sep) {
    try {
        const long double v = EvaluateExpression(text, sep);
        return "value " + std::to_string(static_cast<double>(v));
    } catch (const EAssignError& e) {
        return e.what();
    }
}

TEST(EvaluateExpression, Values) {
    struct Case {
        const char* text;
        long double expected;
    };
    const long double e = std::numbers::e_v<long double>;
    // clang-format off
    const Case cases[] = {
        {"2+3*4", 14},             {"(2+3)*4", 20},          {"2^3^2", 64},
        {"-2^2", 4},               {"10%3", 1},              {"-7%2", -1},
        {"7.9%2", 1},              {"4-(2-5)", 7},           {"2--3", 5},
        {"2---3", -1},             {"1.5E-3*2", 0.003L},     {"2e3", 2000},
        {"sqrt(16)", 4},           {"sin(pi/2)", 1},         {"ln(e)", 1},
        {"cosec(pi/2)", 1},        {"csc(pi/2)", 1},         {"sec(0)", 1},
        {"cos(pi)", -1},           {"cosh(0)", 1},           {"tan(pi/4)", 1},
        {"cotan(pi/4)", 1},        {"arctan(1)*4", std::numbers::pi_v<long double>},
        {"arcsin(1)*2", std::numbers::pi_v<long double>},    {"arccos(1)", 0},
        {"arcsinh(0)", 0},         {"arccosh(1)", 0},        {"arctanh(0)", 0},
        {"tanh(0)", 0},            {"sinh(0)", 0},           {"log(1000)", 3},
        {"sqrtsqrt16", 2},         {"SQRT(16)", 4},          {"abs(-2.5)", 2.5L},
        {"frac(-2.5)", -0.5L},     {"int(-2.7)", -2},        {"round(2.5)", 2},
        {"round(3.5)", 4},         {"round(-2.5)", -2},      {"round(2.6)", 3},
        {"ceil(1.2)", 2},          {"floor(-1.2)", -2},      {"5!", 120},
        {"0!", 1},                 {"(-3)!", -6},            {"3!!", 720},
        {"2*3!", 12},              {"$1F", 31},              {"$ff", 255},
        {"$FFFFFFFF", -1}, {"$000000001F", 31},                        {"3=3", 1},
        {"3=4", 0},                {"0|0", 0},               {"0|2", 1},
        {"1&0", 0},                {"2&3", 1},               {"1+1=2", 1},
        {"(e)-1", e - 1},          {"e", e},                 {"-E", -e},
        {"-PI", -std::numbers::pi_v<long double>},           {"2 * 3", 6},
        {"\t2\t*3 ", 6},           {"2^-1", 0.5L},           {"(1E10*1E10)*2", 2E20L},
        {"(2E-7)*3", 6E-7L},       {"9223372036854775807%10", 7},
        {"1/3", 1.0L / 3},         {"2^0.5", std::sqrt(2.0L)},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        long double v = 0;
        ASSERT_NO_THROW(v = EvaluateExpression(c.text, '.'));
        // intermediate values carry 18 significant digits
        EXPECT_LE(std::fabs(v - c.expected), 1E-17L * std::max(1.0L, std::fabs(c.expected)))
            << static_cast<double>(v);
    }
}

// "$" numbers are the 32-bit signed pattern that a hex field writes, at both ends of the range
TEST(EvaluateExpression, HexReadsTheSigned32BitPattern) {
    const std::pair<const char*, long double> cases[] = {
        {"$7FFFFFFF", 2147483647.0L},
        {"$80000000", -2147483648.0L},
        {"$80000001", -2147483647.0L},
        {"$FFFFFFFE", -2},
        {"$0000", 0},
        {"$00000000FFFFFFFF", -1},
        {"$FFFF", 65535},
        {"$10000", 65536},

        {"$FFFFFFFF+1", 0},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(EvaluateExpression(text), value) << text;
}

TEST(EvaluateExpression, Messages) {
    struct Case {
        const char* text;
        const char* reason;
    };
    // clang-format off
    const Case cases[] = {
        {"",            "entry cannot be blank"},
        {"   ",         "invalid expression"},
        {"2+",          "invalid expression"},
        {"2+3)",        "() (parentheses) do not match"},
        {")(",          "() (parentheses) do not match"},
        {"(2+3",        "invalid character(s) in expression"},
        {"+5",          "invalid character(s) in expression"},
        {"2++3",        "invalid character(s) in expression"},
        {"e-1",         "invalid character(s) in expression"},
        {"-sqrt(4)",    "invalid character(s) in expression"},
        {"2*sin(-1)",   "invalid character(s) in expression"},
        {"1E+5",        "invalid character(s) in expression"},
        {"1,5",         "invalid character(s) in expression"},
        {"abc",         "invalid character(s) in expression"},
        {"exp(1)",      "invalid character(s) in expression"},
        {"()",          "entry cannot be blank"},
        {"2.5!",        "! (factoral) applicable to integers only"},
        {"pi!",         "! (factoral) applicable to integers only"},
        {"$",           "invalid use of $ (hex function)"},
        {"$1G",         "invalid use of $ (hex function)"},
        {"$100000000",  "invalid use of $ (hex function)"},
        // arithmetic faults are invalid entries too, never a crash or a NaN
        {"1/0",         "division by zero"},
        {"0/0",         "invalid floating point operation"},
        {"0^-1",        "division by zero"},
        {"ln(0)",       "division by zero"},
        {"log(-1)",     "invalid floating point operation"},
        {"sqrt(-4)",    "invalid floating point operation"},
        {"arcsin(2)",   "invalid floating point operation"},
        {"arccosh(0)",  "invalid floating point operation"},
        {"arctanh(1)",  "division by zero"},
        {"cotan(0)",    "division by zero"},
        {"cosec(0)",    "division by zero"},
        {"(-8)^(1/3)",  "invalid floating point operation"},
        {"10^5000",     "floating point overflow"},
        {"1E4000*1E4000", "floating point overflow"},
        {"sinh(1E5)",   "floating point overflow"},
        {"1755!",       "floating point overflow"},
        {"1E300!",      "floating point overflow"},
        {"5%0",         "division by zero"},
        {"1E19%2",      "invalid floating point operation"},
        {"floor(1E10)", "invalid floating point operation"},
        {"ceil(-3E9)",  "invalid floating point operation"},
        {"round(1E19)", "invalid floating point operation"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ErrorOf(c.text, '.'), kPrefix + c.reason);
    }
}

TEST(EvaluateExpression, TypedNumbersUseTheGivenSeparatorAlsoInIntermediateValues) {
    EXPECT_EQ(EvaluateExpression("1,5*2", ','), 3);
    EXPECT_EQ(EvaluateExpression("(1/4)+1", ','), 1.25L);
    EXPECT_EQ(EvaluateExpression("sqrt(2,25)", ','), 1.5L);
    EXPECT_EQ(ErrorOf("1.5*2", ','), kPrefix + "invalid character(s) in expression");
    EXPECT_EQ(ErrorOf("2,5!", ','), kPrefix + "! (factoral) applicable to integers only");
}

TEST(EvaluateExpression, FollowsTheUserLocale) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(EvaluateExpression(QString("1,5+1")), 2.5L);
    EXPECT_THROW(EvaluateExpression(QString("1.5+1")), EAssignError);
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(EvaluateExpression(QString("1.5+1")), 2.5L);
    QLocale::setDefault(QLocale::system());
}

TEST(EvaluateExpression, LongAndDeepEntriesNeitherOverflowTheStackNorHang) {
    std::string sum = "1";
    for (int i = 0; i < 20000; ++i) sum += "+1*1";
    EXPECT_EQ(EvaluateExpression(sum, '.'), 20001);
    std::string functions;
    for (int i = 0; i < 100000; ++i) functions += "abs";
    EXPECT_EQ(EvaluateExpression(functions + "1", '.'), 1);
    EXPECT_EQ(EvaluateExpression("1" + std::string(100000, '!'), '.'), 1);
    EXPECT_EQ(EvaluateExpression(std::string(20000, '(') + "2" + std::string(20000, ')'), '.'), 2);
}

}  // namespace
}  // namespace korven
