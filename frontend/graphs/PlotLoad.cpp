// Plot data file into the result graphs: per diameter, capacity against depth and the
// load-settlement lines.
#include "graphs/PlotLoad.h"

#include <QLocale>
#include <algorithm>

#include "project/GeneralFormat.h"
#include "project/WordRead.h"

namespace korven {

namespace {

// A block holds at least its fifteen settlement rows of four values; every capacity row seven.
constexpr long long kMinBlockWords = 15 * 4;
constexpr long long kRowWords      = 7;
// Shorter blocks are padded to the first block's rows, so the points held grow with diameters
// times rows whatever the file's size; real runs stay far below this.
constexpr long long kMaxPoints = 1000000;
constexpr int kSettlementRows  = 15;

struct CapacityRow {
    long double depth, side, tip, total, designSide, designTip, designTotal;
};

[[noreturn]] void Invalid() { throw EInOutError(TWordReader::kIncomplete); }

QString DiameterName(long double d, bool si) {
    QString text = QString::fromStdString(FormatGeneral(d, 15));
    text.replace(QLatin1Char('.'), QLocale().decimalPoint());
    return "Dia=" + text + (si ? " m" : " ft");
}

void CopyPoints(const TLine& from, TLine& to) { to.Points = from.Points; }

}  // namespace

TResultGraphs::TResultGraphs() {
    struct Fixed {
        TGraphPlot* graph;
        const char *caption, *xCaption, *xUnits, *yCaption, *yUnits;
    };
    // clang-format off
    const Fixed fixed[] = {
        {&pltSkin,    "Skin Ultimate Friction vs Depth",   "Ultimate Skin Friction ",  "F2", "Depth ", "L2"},
        {&pltTip,     "Ultimate Tip Resistance vs Depth",  "Ultimate Tip Resistance ", "F2", "Depth ", "L2"},
        {&pltTotal,   "Ultimate Total Capacity vs Depth",  "Ultimate Total Capacity ", "F2", "Depth ", "L2"},
        {&FSpltSkin,  "Skin Friction vs Depth (w/F.S.)",   "",                         "F2", "Depth",  "L2"},
        {&FSpltTip,   "Tip Resistance vs Depth (w/F.S.)",  "",                         "F2", "Depth",  "L2"},
        {&FSpltTotal, "Total Capacity vs Depth (w/F.S.)",  "",                         "F2", "Depth",  "L2"},
        {&pltCombine, "Axial Capacity vs Depth (Ultimate)", "Ultimate Axial Capacity", "F2", "Depth",  "L2"},
        {&pltCombineD, "Axial Capacity vs Depth (w/Factor of Safety)", "",             "F2", "Depth",  "L2"},
        {&pltAxial,   "Axial Load vs Settlement",          "Axial Load ",              "F2", "Settlement ", "L"},
        {&pltUpper,   "",                                  "Axial Load (upper bound)", "F2", "Settlement", "L"},
        {&pltLower,   "",                                  "Axial Load (lower bound)", "F2", "Settlement", "L"},
        {&pltCombinedSettle, "",                           "Axial Load",               "F2", "Settlement", "L"},
    };
    // clang-format on
    for (const Fixed& f : fixed) {
        f.graph->Caption  = f.caption;
        f.graph->XCaption = f.xCaption;
        f.graph->XUnits   = f.xUnits;
        f.graph->YCaption = f.yCaption;
        f.graph->YUnits   = f.yUnits;
    }
}

std::array<TGraphPlot*, 12> TResultGraphs::All() {
    return {&pltSkin,    &pltTip,      &pltTotal, &FSpltSkin, &FSpltTip, &FSpltTotal,
            &pltCombine, &pltCombineD, &pltAxial, &pltUpper,  &pltLower, &pltCombinedSettle};
}

void TResultGraphs::Clear() {
    for (TGraphPlot* g : All()) {
        g->SetLineCount(0);
        g->SetLayerCount(0);
    }
}

bool TResultGraphs::LoadPlotData(const std::string& fileName, TPlotProject& project,
                                 const std::vector<TLayerRow>& layers, std::string* error) {
    TGraphPlot* const perDiameter[] = {&pltSkin,    &pltTip,   &pltTotal, &FSpltSkin, &FSpltTip,
                                       &FSpltTotal, &pltAxial, &pltUpper, &pltLower};
    TGraphPlot* const depthGraphs[] = {&pltSkin,  &pltTip,     &pltTotal,   &FSpltSkin,
                                       &FSpltTip, &FSpltTotal, &pltCombine, &pltCombineD};
    TGraphPlot* const settlementGraphs[] = {&pltAxial, &pltUpper, &pltLower, &pltCombinedSettle};
    const bool uplift                    = project.LoadType == 2;
    const bool si                        = project.Units == 2;
    // a load test drawn over the previous results goes with them
    for (TGraphPlot* g : settlementGraphs) ClearMeasured(*g);
    try {
        TWordReader r(fileName);
        pltSkin.ShowFontWidth    = true;
        pltCombine.ShowFontWidth = true;

        const int D = r.ReadInteger();
        if (D < 1 || D > r.RemainingWords() / kMinBlockWords) Invalid();
        for (TGraphPlot* g : perDiameter) g->SetLineCount(D);
        pltCombine.SetLineCount(3);
        pltCombineD.SetLineCount(3);
        pltCombinedSettle.SetLineCount(3);

        const bool lrfd      = project.DesignMethod == 1;
        FSpltSkin.XCaption   = lrfd ? "LRFD Side Resistance " : "Side Resistance/F.S. ";
        FSpltTip.XCaption    = lrfd ? "LRFD Tip Resistance " : "Tip Resistance/F.S. ";
        FSpltTotal.XCaption  = lrfd ? "LRFD Total Resistance " : "Total Resistance/F.S. ";
        pltCombineD.XCaption = lrfd ? "LRFD Resistance " : "Resistance/F.S. ";
        if (uplift) FSpltTip.XCaption = "Self-Weight";

        for (TGraphPlot* g : {&pltCombine, &pltCombineD}) {
            g->Curve(0).LineName = "  Skin Friction";
            g->Curve(1).LineName = uplift ? "  Self-Weight" : "  Tip Resistance";
            g->Curve(2).LineName = "  Total Capacity";
        }
        pltCombinedSettle.Curve(0).LineName = "  Trend (Averaged)";
        pltCombinedSettle.Curve(1).LineName = "  Upper Bound";
        pltCombinedSettle.Curve(2).LineName = "  Lower Bound";

        const int N = r.ReadInteger();
        if (N < 1 || N > r.RemainingWords() / kRowWords
            || static_cast<long long>(N) * D > kMaxPoints) {
            Invalid();
        }
        for (TGraphPlot* g : depthGraphs) g->SetPointCount(N);
        for (TGraphPlot* g : settlementGraphs) g->SetPointCount(kSettlementRows + 1);

        const int B                 = r.ReadInteger();
        project.SettlementAvailable = B;
        for (TGraphPlot* g : All()) g->SetUnits(project.Units);

        for (int i = 0; i < D; ++i) {
            const QString name = DiameterName(project.MinDiameter + (si ? 0.152L : 0.5L) * i, si);
            for (TGraphPlot* g : perDiameter) g->Curve(i).LineName = name;
        }
        // the combined graphs show the first diameter: their legends say which
        const QString first = QStringLiteral(" (") + DiameterName(project.MinDiameter, si) + ')';
        for (TGraphPlot* g : {&pltCombine, &pltCombineD, &pltCombinedSettle})
            for (int c = 0; c < g->LineCount(); ++c) g->Curve(c).LineName += first;

        // Each block is read by its own header, as the engine wrote it: its rows, and three
        // settlement groups when its indicator is above 1. A block longer than the first keeps
        // the first N rows; a shorter one repeats its last row.
        int R      = N;
        int groups = B > 1 ? 3 : 1;
        for (int i = 0; i < D; ++i) {
            TLine* const depthCurves[] = {&pltSkin.Curve(i),  &pltTip.Curve(i),
                                          &pltTotal.Curve(i), &FSpltSkin.Curve(i),
                                          &FSpltTip.Curve(i), &FSpltTotal.Curve(i)};
            for (int j = 0; j < std::max(N, R); ++j) {
                if (j < R) {
                    CapacityRow c{};
                    for (long double* v : {&c.depth, &c.side, &c.tip, &c.total, &c.designSide,
                                           &c.designTip, &c.designTotal}) {
                        *v = r.ReadFloat();
                    }
                    if (j >= N) continue;
                    const long double x[] = {
                        c.side,       c.tip, c.total, c.designSide, uplift ? c.tip : c.designTip,
                        c.designTotal};
                    for (int g = 0; g < 6; ++g) depthCurves[g]->Point(j) = {x[g], c.depth};
                } else {
                    for (TLine* l : depthCurves) l->Point(j) = l->Point(j - 1);
                }
            }
            TFloatPoint& deepestTip = pltTip.Curve(i).Point(N - 1);
            if (deepestTip.x < 0.0001L) deepestTip.x = 0.00001L;

            TLine* const settlementCurves[] = {&pltAxial.Curve(i), &pltUpper.Curve(i),
                                               &pltLower.Curve(i)};
            for (int s = 0; s < 3; ++s) {
                TLine& l   = *settlementCurves[s];
                l.Point(0) = {0, 0};
                for (int k = 1; k <= kSettlementRows; ++k) {
                    // bound lines that the block does not carry must not show another run's
                    if (s >= groups) {
                        l.Point(k) = {0, 0};
                        continue;
                    }
                    const long double load       = r.ReadFloat();
                    const long double settlement = r.ReadFloat();
                    r.ReadFloat();  // tip load and tip movement are not plotted
                    r.ReadFloat();
                    l.Point(k) = {load, settlement};
                }
            }

            if (i < D - 1) {
                r.ReadInteger();
                R = r.ReadInteger();
                if (R < 1) Invalid();
                groups = r.ReadInteger() > 1 ? 3 : 1;
            }
        }

        // numbers left over mean the counts did not describe this file
        if (r.RemainingWords() > 0) Invalid();

        const TLine* const curve0[] = {&pltSkin.Curve(0), &pltTip.Curve(0), &pltTotal.Curve(0)};
        for (int c = 0; c < 3; ++c) CopyPoints(*curve0[c], pltCombine.Curve(c));
        // a zero factor would put infinities into the graph
        if (!(project.SafetyFactorSide > 0) || (!uplift && !(project.SafetyFactorBase > 0))) {
            throw EInOutError("A factor of safety must be above 0.");
        }
        for (int j = 0; j < N; ++j) {
            const TFloatPoint& side       = pltSkin.Curve(0).Point(j);
            const TFloatPoint& tip        = pltTip.Curve(0).Point(j);
            const long double s           = side.x / project.SafetyFactorSide;
            const long double t           = uplift ? tip.x : tip.x / project.SafetyFactorBase;
            pltCombineD.Curve(0).Point(j) = {s, side.y};
            pltCombineD.Curve(1).Point(j) = {t, side.y};
            pltCombineD.Curve(2).Point(j) = {s + t, side.y};
        }

        if (pltCombinedSettle.LineCount() > 0) {
            CopyPoints(pltAxial.Curve(0), pltCombinedSettle.Curve(0));
            CopyPoints(pltUpper.Curve(0), pltCombinedSettle.Curve(1));
            CopyPoints(pltLower.Curve(0), pltCombinedSettle.Curve(2));
        }

        for (TGraphPlot* g : {&FSpltSkin, &FSpltTip, &FSpltTotal, &pltSkin, &pltTip, &pltTotal,
                              &pltCombine, &pltCombineD}) {
            AddLayersGraphPlot(*g, layers);
        }
        for (TGraphPlot* g : All()) g->SetUnits(project.Units);
    } catch (const EInOutError& e) {
        if (error) *error = e.what();
        return false;
    }
    if (error) error->clear();
    return true;
}

void AddLayersGraphPlot(TGraphPlot& graph, const std::vector<TLayerRow>& layers) {
    const auto& curves = graph.Curves();
    if (std::none_of(curves.begin(), curves.end(),
                     [](const auto& l) { return l->PointCount() > 0; })) {
        return;
    }
    struct Band {
        const char* name;
        int pattern;
    };
    // Weak rock (6) is drawn like decomposed rock; "GW" is the gravelly-sand band.
    // clang-format off
    static const Band bands[] = {
        {" SAND ", 7}, {" CLAY ", 1}, {" SHALE ", 8}, {" ROCK ", 9}, {" WEAK ROCK ", 10},
        {" WEAK ROCK ", 10}, {" ROCK ", 9}, {" GW ", 11}, {" GRAVEL ", 12},
    };
    // clang-format on
    graph.SetLayerCount(static_cast<int>(layers.size()));
    graph.SetLayerPointCount(1);
    for (std::size_t i = 0; i < layers.size(); ++i) {
        TLine& layer   = graph.Layer(static_cast<int>(i));
        layer.LineName = "LAYER " + QString::number(i + 1);
        const int code = layers[i].SoilType;
        if (code >= 1 && code <= 9) {
            layer.LineName   = bands[code - 1].name;
            layer.Point(0).x = bands[code - 1].pattern;
        }
        layer.Point(0).y = layers[i].BottomDepth;
    }
}

}  // namespace korven
