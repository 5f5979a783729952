// The edit descriptors of the report, checked value by value.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <random>
#include <vector>

#include "run/Format.h"

using namespace korven::run;

namespace {

struct EditCase {
    char kind;  // I, F, E, A
    int w, d;
    double value;
    const char* expected;
};

std::string edit(const EditCase& c) {
    switch (c.kind) {
        case 'I':
            return editInteger(static_cast<std::int64_t>(c.value), c.w, c.d);
        case 'F':
            return editFixed(c.value, c.w, c.d);
        default:
            return editExponent(c.value, c.w, c.d);
    }
}

// clang-format off
const EditCase kCases[] = {
    {'E', 10, 3, 1200.0,      " 0.120E+04"},
    {'E', 10, 3, -1200.0,     "-0.120E+04"},
    {'E', 10, 3, 0.0,         " 0.000E+00"},
    {'E', 10, 3, 0.9996,      " 0.100E+01"},   // rounding carries into the exponent
    {'E', 10, 3, 0.00012345,  " 0.123E-03"},
    {'E', 10, 3, 1.0e10,      " 0.100E+11"},
    {'E', 9, 3, -1200.0,      "-.120E+04"},    // the leading zero goes first when room is short
    {'E', 8, 3, -1200.0,      "********"},
    {'E', 10, 3, 1.0e-120,    " 0.100-119"},   // three-digit exponent drops the E
    {'F', 10, 1, 1234.56,     "    1234.6"},
    {'F', 10, 1, -1234.56,    "   -1234.6"},
    {'F', 6, 3, 0.7,          " 0.700"},
    {'F', 5, 2, 0.125,        " 0.13"},        // half away from zero
    {'F', 5, 2, -0.125,       "-0.13"},
    {'F', 5, 2, 2.5,          " 2.50"},
    {'F', 4, 2, 0.5,          "0.50"},
    {'F', 3, 2, 0.5,          ".50"},
    {'F', 5, 1, -0.04,        "  0.0"},        // no sign on a value that rounds to zero
    {'F', 5, 1, 99999.0,      "*****"},
    {'F', 6, 0, 12.5,         "   13."},
    {'F', 9, 3, 0.0,          "    0.000"},
    {'I', 5, -1, 42,          "   42"},
    {'I', 5, -1, -42,         "  -42"},
    {'I', 2, -1, 123,         "**"},
    {'I', 2, 2, 5,            "05"},
    {'I', 4, 3, -7,           "-007"},
    {'I', 3, 0, 0,            "   "},
    {'I', 4, -1, 0,           "   0"},
};
// clang-format on

}  // namespace

TEST(Format, EditDescriptors) {
    for (const auto& c : kCases)
        EXPECT_EQ(edit(c), c.expected) << c.kind << c.w << "." << c.d << " of " << c.value;
}

// The integer edit of the exact binary value and the decimal expansion agree, on halfway cases,
// on the neighbours of powers of ten and on engine reals of every magnitude.
TEST(Format, IntegerEditAgreesWithTheDecimalExpansion) {
    std::mt19937_64 rng(14);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::vector<double> values = {0.0, 0.5, 0.05, 0.005, 1.5, 2.5, 9.5, 99.95, 0.9995, 5e-324};
    for (int e = -40; e <= 40; ++e) {
        const double p = std::pow(10.0, e);
        values.insert(values.end(), {p, std::nextafter(p, 0.0), std::nextafter(p, 1e300)});
        for (int k = 0; k < 40; ++k) {
            const double v = mantissa(rng) * p;
            values.push_back(v);
            values.push_back(static_cast<double>(static_cast<float>(v)));
        }
    }
    for (int d = 0; d <= 6; ++d)
        for (int k = 0; k < 200; ++k) {
            const double n = std::floor(mantissa(rng) * 1e4);
            values.push_back((n + 0.5) / std::pow(10.0, d));
            values.push_back(
                static_cast<double>(static_cast<float>((n + 0.5) / std::pow(10.0, d))));
        }
    int failures = 0;
    for (const double a : values)
        for (const double v : {a, -a}) {
            for (int d = 0; d <= 6 && failures < 10; ++d)
                for (const int w : {30, d + 2}) {
                    EXPECT_EQ(editFixed(v, w, d), detail::longFixed(v, w, d))
                        << "F" << w << "." << d << " of " << v;
                    failures += editFixed(v, w, d) != detail::longFixed(v, w, d);
                }
            for (int d = 1; d <= 6 && failures < 10; ++d)
                for (const int w : {30, d + 6}) {
                    EXPECT_EQ(editExponent(v, w, d), detail::longExponent(v, w, d))
                        << "E" << w << "." << d << " of " << v;
                    failures += editExponent(v, w, d) != detail::longExponent(v, w, d);
                }
        }
}

TEST(Format, NonFiniteValuesPrintAsterisks) {
    EXPECT_EQ(editFixed(std::numeric_limits<double>::quiet_NaN(), 6, 2), "******");
    EXPECT_EQ(editExponent(std::numeric_limits<double>::infinity(), 10, 3), "**********");
}

TEST(Format, TextIsCutOrRightJustified) {
    EXPECT_EQ(editText("ABCDEF", 3), "ABC");
    EXPECT_EQ(editText("AB", 4), "  AB");
    EXPECT_EQ(editText("AB", -1), "AB");
}

TEST(Format, RecordsBlanksLiteralsAndLineEnds) {
    constexpr Format kRow = "(6X,A,'=',F9.3,2X,A)";
    EXPECT_EQ(format(kRow, "DIAMETER", 3.0f, "FT."), "      DIAMETER=    3.000  FT.\n");
    constexpr Format kTwoEmpty = "(5X,'TOTAL LOAD =',F10.1//)";
    EXPECT_EQ(format(kTwoEmpty, 250.0), "     TOTAL LOAD =     250.0\n\n\n");
    constexpr Format kLead = "(/5X,'A')";
    EXPECT_EQ(format(kLead), "\n     A\n");
    constexpr Format kQuote = "('IT''S')";
    EXPECT_EQ(format(kQuote), "IT'S\n");
    // blanks that nothing follows do not lengthen the record
    constexpr Format kTrailing = "(5X,'A',3X/2X)";
    EXPECT_EQ(format(kTrailing), "     A\n\n");
    constexpr Format kEmptyText = "(5X,A)";
    EXPECT_EQ(format(kEmptyText, ""), "\n");
}

TEST(Format, RepeatsGroupsAndReversion) {
    constexpr Format kRepeat = "(3I3)";
    EXPECT_EQ(format(kRepeat, 1, 2, 3), "  1  2  3\n");
    constexpr Format kGroup = "(1X,2(I2,'|'))";
    EXPECT_EQ(format(kGroup, 1, 2), "  1| 2|\n");
    // more items than descriptors: a new record from the last group
    constexpr Format kRevert = "('X',(I3))";
    EXPECT_EQ(format(kRevert, 1, 2, 3), "X  1\n  2\n  3\n");
    // the list ends at the first data descriptor without an item
    constexpr Format kStop = "(I3,' A',I3,' B')";
    EXPECT_EQ(format(kStop, 7), "  7 A\n");
}

TEST(Format, ItemOfTheWrongKindIsRefused) {
    constexpr Format kInt = "(I5)";
    EXPECT_THROW(format(kInt, 1.5), std::logic_error);
    constexpr Format kReal = "(F5.1)";
    EXPECT_THROW(format(kReal, "text"), std::logic_error);
}

TEST(Format, DecimalPointWhateverTheLocale) {
    const char* old         = std::setlocale(LC_ALL, nullptr);
    const std::string saved = old ? old : "C";
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "no German locale installed";
    EXPECT_EQ(editFixed(1.5, 6, 2), "  1.50");
    EXPECT_EQ(editExponent(1200.0, 10, 3), " 0.120E+04");
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(Format, LayoutsAreCheckedWhenCompiled) {
    static_assert(detail::checkLayout("(5X,I5,F10.2,E10.3,A,A12,'x'/)"));
    static_assert(!detail::checkLayout("(5X,F10)"));
    static_assert(!detail::checkLayout("(5X,'open)"));
    static_assert(!detail::checkLayout("5X,I5"));
    static_assert(!detail::checkLayout("(Q5)"));
}
