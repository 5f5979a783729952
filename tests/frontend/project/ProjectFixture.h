// A realistic project that uses all nine soil types, and a flat list of every value of a project
// for comparing two of them.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/TestFiles.h"
#include "entry/SystemTables.h"
#include "entry/Table.h"
#include "project/GeneralFormat.h"
#include "project/ProgramData.h"

namespace korven::test {

namespace fs = std::filesystem;

struct LayerValues {
    int code;
    long double depth;
    std::vector<long double> top, bottom;  ///< the parameter table's columns (enum and int too)
    long double maxSide, maxEnd, lrfdSide, lrfdEnd;
};

// clang-format off
/// English units: ft, lbs/ft^2, lbs/ft^3, lbs/in^2, in.
inline const std::vector<LayerValues> kAllSoilTypes = {
    {1, 10,       {115, 32, 12, 0.45678912L, 0}, {118.5L, 33, 15, 0.5, 0},           0,    0,      0.55L, 0.5},
    {2, 20.5L,    {120, 1000, 8, 0.55L, 9},      {122, 1250.75L, 10, 0.5, 9},         4000, 80000,  0.45L, 0.4L},
    {3, 25,       {125, 4000, 40, 0, 0},         {126, 4500, 50, 0, 0},               0,    0,      1,     1},
    {4, 30,       {720000, 576000, 1.5L, 0.02L, 3, 2000000, 80},
                  {730000, 576000, 1.5L, 0.02L, 3, 2100000, 85},                      0,    0,      0.55L, 0.5},
    {5, 35,       {130, 60, 0.3L, 20000, 3},     {131, 70, 0.3L, 25000, 3},           0,    0,      1,     1},
    {6, 40,       {100000, 2, 6, 30, 3, 500000, 50},
                  {110000, 2, 6, 30, 3, 550000, 55},                                  0,    0,      1,     1},
    {7, 45,       {800000, 576000, 2, 0.01L, 3, 3000000, 90},
                  {810000, 576000, 2, 0.01L, 3, 3000000, 95},                         6000, 300000, 0.5,   0.45L},
    {8, 50,       {125, 30, 0.8L},               {126, 35, 0.75L},                    0,    0,      1,     1},
    {9, 70.125L,  {130, 50, 1.2L},               {132, 60, 0},                        0,    0,      1,     1},
};
// clang-format on

/// Fills `p` (English units) with a shaft and the profile of `layers`.
inline void fillProject(TProgramData& p, const std::vector<LayerValues>& layers = kAllSoilTypes) {
    p.Title                 = "All nine soil types, design length 60 ft";
    p.DesignMethod          = 1;
    p.LoadType              = 1;
    p.UpliftReductionFactor = 0.75L;
    p.PrintIncrement        = 2.5L;
    p.TipReductionSwitch    = 0;
    p.MinDiameter           = 3;
    p.MaxDiameter           = 4.5L;
    p.BellRatio             = 0;
    p.BellAngle             = 0;
    p.TopExclusion          = 5;
    p.BottomExclusion       = 3.5L;
    p.ShaftModulus          = 4000000;
    p.WaterTableDepth       = 12.345678L;
    p.DesignLength          = 60;
    p.DesignLoad            = 250;  // dropped on saving: the design length decides
    p.SafetyFactorSide      = 2.5L;
    p.SafetyFactorBase      = 3;
    TGridTable& D           = p.Tables().SoilLayers();
    D.SetRowCount(static_cast<int>(layers.size()));
    for (int r = 0; r < D.RowCount(); ++r) {
        const LayerValues& L = layers[static_cast<std::size_t>(r)];
        D.Cell(kSoilType, r).SetInteger(L.code);
        D.Cell(kSoilDepth, r).SetFloat(L.depth);
        D.Cell(kMaxSide, r).SetFloat(L.maxSide);
        D.Cell(kMaxEnd, r).SetFloat(L.maxEnd);
        D.Cell(kLrfdSide, r).SetFloat(L.lrfdSide);
        D.Cell(kLrfdEnd, r).SetFloat(L.lrfdEnd);
        TGridTable& sub = *D.Cell(kSoilData, r).SubTable();
        for (int row = 0; row < 2; ++row)
            for (int c = 0; c < sub.ColumnCount(); ++c) {
                const long double v = (row == 0 ? L.top : L.bottom)[static_cast<std::size_t>(c)];
                if (sub.Column(c).Class() == TColumn::kFloat)
                    sub.Cell(c, row).SetFloat(v);
                else
                    sub.Cell(c, row).SetInteger(static_cast<int>(v));
            }
    }
}

/// Every value of a project as "name=value" to 8 significant digits, table cells included.
inline std::vector<std::string> snapshot(const TProgramData& p) {
    std::vector<std::string> s;
    auto add = [&s](const std::string& name, long double v) {
        s.push_back(name + "=" + FormatGeneral(v, 8));
    };
    s.push_back("Title=" + p.Title);
    add("Units", p.Units);
    add("PrintIncrement", p.PrintIncrement);
    add("DesignControl", p.DesignControl);
    add("LoadType", p.LoadType);
    add("UpliftReductionFactor", p.UpliftReductionFactor);
    add("MinDiameter", p.MinDiameter);
    add("MaxDiameter", p.MaxDiameter);
    add("BellRatio", p.BellRatio);
    add("BellAngle", p.BellAngle);
    add("TopExclusion", p.TopExclusion);
    add("BottomExclusion", p.BottomExclusion);
    add("ShaftModulus", p.ShaftModulus);
    add("WaterTableDepth", p.WaterTableDepth);
    add("DesignLength", p.DesignLength);
    add("SafetyFactorSide", p.SafetyFactorSide);
    add("SafetyFactorBase", p.SafetyFactorBase);
    add("DesignLoad", p.DesignLoad);
    add("TipReductionSwitch", p.TipReductionSwitch);
    add("DesignMethod", p.DesignMethod);
    const TGridTable& D = p.Tables().SoilLayers();
    for (int r = 0; r < D.RowCount(); ++r) {
        const std::string layer = "layer" + std::to_string(r + 1) + ".";
        for (int c = 0; c < D.ColumnCount(); ++c)
            s.push_back(layer + std::to_string(c) + "=" + D.Cell(c, r).Text());
        const TGridTable& sub = *D.Cell(kSoilData, r).SubTable();
        for (int row = 0; row < sub.RowCount(); ++row)
            for (int c = 0; c < sub.ColumnCount(); ++c)
                s.push_back(layer + sub.Caption + "." + std::to_string(row) + "."
                            + std::to_string(c) + "=" + sub.Cell(c, row).Text());
    }
    return s;
}

}  // namespace korven::test
