// Unit names and conversion factors of unit codes.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "entry/Units.h"

using namespace korven;

TEST(Units, TableHeaderNames) {
    struct Case {
        const char* code;
        int units;
        const char* name;
    };
    const Case cases[] = {
        {"F/L2^2", kEnglish, "lbs/ft^2"},
        {"F/L2^2", kSI, "kN/m^2"},
        {"F/L2^2", kNoUnits, "F/L^2"},
        {"F/L^2", kEnglish, "lbs/in^2"},
        {"F/L2^3", kSI, "kN/m^3"},
        {"L", kSI, "m"},
        {"L1", kSI, "mm"},
        {"F2", kEnglish, "tons"},
        {"F1", kEnglish, "kips"},
        {"F4", kEnglish, "lb-sec2/in"},
        {"F4", kNoUnits, "M"},
        {"F5", kNoUnits, "T"},
        {"F6", kSI, "Mg"},
        {"L3", kEnglish, "rad"},
        {"", kEnglish, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(UnitName(c.code, c.units), c.name) << c.code;
}

TEST(Units, FieldNamesReplaceOnlyTheFirstCodePresent) {
    EXPECT_EQ(FieldUnitName("F/L2^2", kEnglish), "lbs/ft^2");
    EXPECT_EQ(FieldUnitName("F/L^2", kSI), "kN/m^2");
    EXPECT_EQ(FieldUnitName("L2", kSI), "m");
    EXPECT_EQ(FieldUnitName("F/L2^2", kNoUnits), "F/L2^2");
    // "F" is not looked for once "F2" was found, so the second force code stays
    EXPECT_EQ(FieldUnitName("F2/F", kEnglish), "tons/F");
}

TEST(Units, FactorsFromTheClosedForm) {
    const long double F = 224.8089237L, L = 39.37007874L, L2 = 3.280839895L;
    struct Case {
        const char* code;
        long double toSI;
    };
    const Case cases[] = {
        {"L2", 1 / L2},
        {"L", 1 / L},
        {"F/L2^2", 1 / (F / (L2 * L2))},
        {"F/L2^3", 1 / (F / (L2 * L2 * L2))},
        {"F/L^2", 1 / (F / (L * L))},
        {"F2", 1 / 0.1124044745L},
        {"", 1},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(UnitFactor(c.code, kEnglish, kSI) / c.toSI, 1.0L, 1e-15L) << c.code;
        EXPECT_NEAR(UnitFactor(c.code, kSI, kEnglish) * c.toSI, 1.0L, 1e-15L) << c.code;
        EXPECT_EQ(UnitFactor(c.code, kSI, kSI), 1.0L);
        EXPECT_EQ(UnitFactor(c.code, kEnglish, kNoUnits), 1.0L);
    }
    // a unit weight of 120 pcf is 18.85 kN/m^3
    EXPECT_NEAR(120 * UnitFactor("F/L2^3", kEnglish, kSI), 18.85L, 0.005L);
}

TEST(Units, UnknownCodesAreRejected) {
    for (const char* code : {"X", "F/", "/L", "L2^", "F7", "F/L2^2x", "L^999"}) {
        EXPECT_FALSE(IsValidUnitCode(code)) << code;
        EXPECT_THROW(UnitFactor(code, kEnglish, kSI), std::invalid_argument) << code;
    }
    EXPECT_TRUE(IsValidUnitCode("F*L2"));
}
