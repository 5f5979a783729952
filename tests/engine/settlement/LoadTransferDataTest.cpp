// Unit captions, curve families, depth-table lookups and the TZDATA.DAT records.
#include <gtest/gtest.h>

#include "SettlementFixture.h"
#include "settlement/LoadTransferData.h"
#include "settlement/TzListing.h"

namespace korven::settlement {
namespace {

using test::SettlementRun;

TEST(UnitCaptions, EnglishAndSi) {
    const UnitCaptions en = unitCaptions(1);
    const UnitCaptions si = unitCaptions(2);
    EXPECT_EQ(en.LENGTH, "IN.");
    EXPECT_EQ(en.FORCE, "ton");
    EXPECT_EQ(en.STRESS, "PSI");
    EXPECT_EQ(en.AREA, "SQ IN");
    EXPECT_EQ(en.LENGTH2, "IN.");
    EXPECT_EQ(si.LENGTH, " M.");
    EXPECT_EQ(si.FORCE, "KN.");
    EXPECT_EQ(si.STRESS, "KPA");
    EXPECT_EQ(si.AREA, " SQ M");
    EXPECT_EQ(si.LENGTH2, " M.");
}

TEST(CurveFamilies, SideFamilyByCode) {
    // sand keeps its own family, gravelly sand and gravel their own, every other code the clay one
    EXPECT_FLOAT_EQ(sideFamily(1).RATIO[0][1], 0.335f);
    EXPECT_FLOAT_EQ(sideFamily(8).RATIO[0][1], 0.15f);
    EXPECT_FLOAT_EQ(sideFamily(8).MOVE[8], 0.022f);
    EXPECT_FLOAT_EQ(sideFamily(9).RATIO[2][9], 0.99f);
    for (int code : {2, 3, 4, 5, 6, 7}) EXPECT_FLOAT_EQ(sideFamily(code).RATIO[1][4], 1.01f);
    for (int code : {1, 8, 9}) EXPECT_FLOAT_EQ(tipFamily(code).RATIO[0][9], 1.46f);
    for (int code : {2, 3}) EXPECT_FLOAT_EQ(tipFamily(code).RATIO[0][9], 0.991f);
}

TEST(CurveFamilies, EveryCurveStartsAtTheOrigin) {
    for (int code = 1; code <= 9; ++code) {
        for (const CurveFamily* f : {&sideFamily(code), &tipFamily(code)}) {
            EXPECT_EQ(f->MOVE[0], 0.0f);
            for (const auto& line : f->RATIO) EXPECT_EQ(line[0], 0.0f);
        }
    }
}

TEST(CurveAt, LinearBetweenPointsAndHeldBeyondTheLast) {
    run::Array<real, 10> w, v;
    for (int j = 1; j <= 10; ++j) {
        w(j) = static_cast<real>(j - 1);
        v(j) = static_cast<real>(10 * (j - 1));
    }
    EXPECT_FLOAT_EQ(curveAt(w, v, 10, 2.5f), 25.0f);
    EXPECT_FLOAT_EQ(curveAt(w, v, 10, 9.0f), 90.0f);
    EXPECT_FLOAT_EQ(curveAt(w, v, 10, 50.0f), 90.0f);
    EXPECT_FLOAT_EQ(curveAt(w, v, 10, 0.0f), 0.0f);
}

// Two layers 0..120 in and 120..240 in with maximum load transfer 10 -> 20 and 30 -> 50 psi.
DepthTable twoLayers() {
    DepthTable t;
    t.N            = 4;
    const real z[] = {0.0f, 120.0f, 120.0f, 240.0f};
    const real v[] = {10.0f, 20.0f, 30.0f, 50.0f};
    for (int k = 1; k <= 4; ++k) t.Z(k) = z[k - 1], t.V(k) = v[k - 1];
    return t;
}

TEST(LayerTableLookup, InterpolatesWithinTheTable) {
    SettlementRun run;
    const DepthTable t = twoLayers();
    struct Case {
        real z, expected;
    };
    // a boundary belongs to the deeper layer; the last bottom is still inside
    for (const Case c : {Case{60.0f, 15.0f}, Case{120.0f, 30.0f}, Case{180.0f, 40.0f},
                         Case{240.0f, 50.0f}, Case{0.0f, 10.0f}}) {
        EXPECT_FLOAT_EQ(layerTableLookup(run.ctx, t, c.z), c.expected) << c.z;
    }
    EXPECT_EQ(run.report(), "");
}

TEST(LayerTableLookup, BeyondTheTableWarnsAndEndsTheRun) {
    SettlementRun run;
    EXPECT_THROW(layerTableLookup(run.ctx, twoLayers(), 240.5f), run::RunStop);
    EXPECT_EQ(run.report(),
              "\n"
              "                             **** WARNING ****\n"
              "     THE VALUE OF X = 0.24E+03IS BEYOND THE EXTENT OF/     THE INPUT MAX. LOAD "
              "TRANSFER\n");
    EXPECT_NE(run.runtime().find("**** WARNING ****"), std::string::npos);
}

TEST(ProfileLookup, InterpolatesAndHoldsTheLastRow) {
    run::Array<real, 500> z, f;
    z(1) = 12.0f, z(2) = 24.0f, z(3) = 36.0f;
    f(1) = 1.0f, f(2) = 2.0f, f(3) = 4.0f;
    EXPECT_FLOAT_EQ(profileLookup(z, f, 3, 30.0f), 3.0f);
    EXPECT_FLOAT_EQ(profileLookup(z, f, 3, 24.0f), 4.0f - 2.0f);
    EXPECT_FLOAT_EQ(profileLookup(z, f, 3, 50.0f), 4.0f);
    EXPECT_FLOAT_EQ(profileLookup(z, f, 1, 50.0f), 1.0f);
    // above the first row the line through the first two is followed, but never below zero
    EXPECT_FLOAT_EQ(profileLookup(z, f, 3, 6.0f), 0.5f);
    EXPECT_FLOAT_EQ(profileLookup(z, f, 3, 0.0f), 0.0f);
    f(2) = 4.0f;
    EXPECT_FLOAT_EQ(profileLookup(z, f, 3, 6.0f), 0.0f);
}

TEST(TzListing, LandsBesideTheReport) {
    EXPECT_EQ(listingPath("/projects/a/shaft.kvo"), "/projects/a/TZDATA.DAT");
    EXPECT_EQ(listingPath("shaft.kvo"), "TZDATA.DAT");
}

TEST(TzListing, RecordsInSiUnits) {
    SettlementRun run;
    ASSERT_TRUE(openListing(run.ctx));
    run::Array<TzCurve, 145> curves;
    curves(1).Z = 120.0f;
    for (int j = 1; j <= 10; ++j) {
        curves(1).W(j) = static_cast<real>(j - 1);
        curves(1).T(j) = static_cast<real>(10 * (j - 1));
    }
    TipCurve tip;
    for (int j = 1; j <= 10; ++j) {
        tip.W(j) = static_cast<real>(j - 1);
        tip.Q(j) = 1000.0f * static_cast<real>(j - 1);
    }
    writeListingNote(run.ctx.tzdata);
    writeCurveTable(run.ctx.tzdata, 2, curves, 1);
    writeTipTable(run.ctx.tzdata, 2, tip);
    writeListingEnd(run.ctx.tzdata);
    run.ctx.tzdata.close();

    const auto l = test::lines(run.listing());
    ASSERT_EQ(l.size(), 3u + 5u + 11u + 6u + 10u + 1u);
    EXPECT_EQ(l[0], "     NOTE: TZ CURVE DATA ARE AVAILABLE FOR SAND AND CLAY LAYERS ONLY.");
    EXPECT_EQ(l[5], "        T-Z CURVE   NO. OF   DEPTH TO CURVE   LOAD TRANSFER   PILE MOVEMENT");
    EXPECT_EQ(l[6], "           NO.      POINTS         M.              KPA              M.");
    EXPECT_EQ(l[7], "");
    EXPECT_EQ(l[8], "            1         10      0.3048E+01");
    EXPECT_EQ(l[10], "                                               0.6895E+02      0.2540E-01");
    EXPECT_EQ(l[22], "        TIP   LOAD        TIP MOVEMENT");
    EXPECT_EQ(l[23], "            KN.                M.");
    EXPECT_EQ(l[26], "        0.4448E+01         0.2540E-01");
    EXPECT_EQ(l.back(), "1");
}

}  // namespace
}  // namespace korven::settlement
