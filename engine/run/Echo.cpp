// The input echo: the project as the engine has read it, written to the console and the report.
#include "run/Echo.h"

#include <span>

namespace korven::run {
namespace {

constexpr Format kTitle = "(5X,A72)";
constexpr Format kLoad  = "(//5X,'TOTAL LOAD =',F10.1,A/5X,'------------'//)";
constexpr Format kDepth = "(//5X,'PROPOSED DEPTH =',F10.1,A/5X,'----------------'//)";
constexpr Format kUplift =
    "(5X,'REDUCTION FACTOR APPLIED FOR UPLIFT FRICTION =',F6.3/5X,46('-')//)";
constexpr Format kLayersWater =
    "(5X,'NUMBER OF LAYERS =',I5/5X,'------------------'///"
    "5X,'WATER TABLE DEPTH =',F10.1,A/5X,'-------------------'//)";
constexpr Format kSafety =
    "(/5X,'FACTOR OF SAFETY APPLIED TO THE ULTIMATE SIDE FRICTION CAPACITY =',F5.2/5X,55('-')/"
    "5X,'FACTOR OF SAFETY APPLIED TO THE ULTIMATE BASE CAPACITY =',F5.2/5X,54('-'))";
constexpr Format kSoilInformation = "(//5X,'SOIL INFORMATION'/5X,'---------------'/)";
constexpr Format kSoilHeading     = "(5X,'LAYER NO',I2,A//7X,'AT THE TOP'/)";
constexpr Format kRockHeading     = "(4X,'LAYER NO',I3,A//7X,'AT THE TOP'/)";
constexpr Format kBottom          = "(7X,'AT THE BOTTOM'/)";
constexpr Format kValue           = "(7X,A,E10.3//)";
constexpr Format kCoefficient     = "(7X,A,E10.3)";  // stands directly before the next line
constexpr Format kLrfd =
    "(7X,'LRFD RESISTANCE FACTOR (SIDE FRICTION)            =',E10.3/"
    "7X,'LRFD RESISTANCE FACTOR (TIP RESISTANCE)           =',E10.3//)";

/// A value label in English and in SI units; both keep the column of the "=".
struct Label {
    const char* en;
    const char* si;
};

// clang-format off
constexpr Label kSoilLines[] = {
    {"UNDRAINED SHEAR STRENGTH, LB/SQ FT                =",
     "UNDRAINED SHEAR STRENGTH, KN/SQ M                 ="},
    {"INTERNAL FRICTION ANGLE, DEG.                     =",
     "INTERNAL FRICTION ANGLE, DEG.                     ="},
    {"BLOWS PER FOOT FROM STANDARD PENETRATION TEST     =",
     "BLOWS PER FOOT FROM STANDARD PENETRATION TEST     ="},
    {"SOIL UNIT WEIGHT, LB/CU FT                        =",
     "SOIL UNIT WEIGHT, KN/CU M                         ="},
    {"MAXIMUM LOAD TRANSFER FOR SOIL, LB/SQ FT          =",
     "MAXIMUM LOAD TRANSFER FOR SOIL, KN/SQ M           ="},
    {"DEPTH, FT                                         =",
     "DEPTH, M                                          ="},
};
constexpr Label kStrongRockLines[] = {
    {"DIAMETER OF SOCKET, FT                             =",
     "DIAMETER OF SOCKET,M                               ="},
    {"SPACING OF DISCONTINUITIES,FT                      =",
     "SPACING OF DISCONTINUITIES,M                       ="},
    {"THICKNESS OF INDIVIDUAL DISCONTINUITIES,FT         =",
     "THICKNESS OF INDIVIDUAL DISCONTINUITIES,M          ="},
    {"UNIAXIAL COMPRESSION STRENGTH OF ROCK,LB/SQ FT     =",
     "UNIAXIAL COMPRESSION STRENGTH OF ROCK,KN/SQ M      ="},
    {"UNIAXIAL COMPRESSION STRENGTH OF CONCRETE,LB/SQ FT =",
     "UNIAXIAL COMPRESSION STRENGTH OF CONCRETE,KN/SQ M  ="},
    {"ELASTIC MODULUS FOR THE INTACT ROCK, LB/SQ IN.     =",
     "ELASTIC MODULUS FOR THE INTACT ROCK, KN/SQ M       ="},
    {"ROCK QUALITY DESIGNATION (RQD) %                   =",
     "ROCK QUALITY DESIGNATION (RQD) %                   ="},
    {"DEPTH, FT                                          =",
     "DEPTH, M                                           ="},
};
constexpr Label kDecomposedLines[] = {
    {"ELASTIC MODULUS OF GRAVEL, LB/SQ IN               =",
     "ELASTIC MODULUS OF GRAVEL, KN/SQ M                ="},
    {"POISSION RATIO OF GRAVEL                          =",
     "POISSION RATIO OF GRAVEL                          ="},
    {"BLOWS PER FOOT FROM STANDARD PENETRATION TEST     =",
     "BLOWS PER FOOT FROM STANDARD PENETRATION TEST     ="},
    {"SOIL UNIT WEIGHT, LB/CU FT                        =",
     "SOIL UNIT WEIGHT, KN/CU M                         ="},
    {"MAXIMUM LOAD TRANSFER FOR SOIL, LB/SQ FT          =",
     "MAXIMUM LOAD TRANSFER FOR SOIL, KN/SQ M           ="},
    {"DEPTH, FT                                         =",
     "DEPTH, M                                          ="},
};
constexpr Label kWeakRockLines[] = {
    {"DIAMETER OF SOCKET, FT                             =",
     "DIAMETER OF SOCKET, M                              ="},
    {"SLUMP OF CONCRETE, IN                              =",
     "SLUMP OF CONCRETE, M                               ="},
    {"ANGLE OF INTERFACE FRICTION, DEG.                  =",
     "ANGLE OF INTERFACE FRICTION, DEG.                  ="},
    {"UNIAXIAL COMPRESSION STRENGTH OF ROCK,LB/SQ FT     =",
     "UNIAXIAL COMPRESSION STRENGTH OF ROCK,KN/SQ M      ="},
    {"ELASTIC MODULUS FOR THE INTACT ROCK, LB/SQ IN.     =",
     "ELASTIC MODULUS FOR THE INTACT ROCK, KN/SQ M       ="},
    {"ROCK QUALITY DESIGNATION (RQD) %                   =",
     "ROCK QUALITY DESIGNATION (RQD) %                   ="},
    {"DEPTH, FT                                          =",
     "DEPTH, M                                           ="},
};
constexpr Label kGravelLines[] = {
    {"BLOWS PER FOOT FROM STANDARD PENETRATION TEST     =",
     "BLOWS PER FOOT FROM STANDARD PENETRATION TEST     ="},
    {"SOIL UNIT WEIGHT, LB/CU FT                        =",
     "SOIL UNIT WEIGHT, KN/CU M                         ="},
    {"MAXIMUM LOAD TRANSFER FOR SOIL, LB/SQ FT          =",
     "MAXIMUM LOAD TRANSFER FOR SOIL, KN/SQ M           ="},
    {"DEPTH, FT                                         =",
     "DEPTH, M                                          ="},
};
constexpr Label kK     = {"LATERAL EARTH-PRESSURE COEFFICIENT-K              =",
                          "LATERAL EARTH-PRESSURE COEFFICIENT-K              ="};
constexpr Label kBeta  = {"SKIN FRICTION COEFFICIENT- BETA                   =",
                          "SKIN FRICTION COEFFICIENT- BETA                   ="};
constexpr Label kAlpha = {"STRENGTH REDUCTION FACTOR-ALPHA                   =",
                          "STRENGTH REDUCTION FACTOR-ALPHA                   ="};
constexpr Label kNc    = {"END BEARING COEFFICIENT-Nc                        =",
                          "END BEARING COEFFICIENT-Nc                        ="};
// clang-format on

const char* name(int code) {
    static constexpr const char* kNames[] = {"----SAND",
                                             "----CLAY",
                                             "----CLAY SHALE",
                                             "----STRONG ROCK",
                                             "----DECOMPOSED ROCK",
                                             "----WEAK ROCK",
                                             "----STRONG ROCK",
                                             "----GRAVELLEY SAND",
                                             "----GRAVEL"};
    return kNames[code - 1];
}

void both(RunContext& ctx, const std::string& text) {
    ctx.con.put(text);
    ctx.report.put(text);
}

// One layer block, composed whole so that it goes first to the console, then to the report.
class LayerBlock {
public:
    LayerBlock(const RunContext& ctx, const Layer& L) : si_(ctx.si()), L_(L) {}

    std::string text(int number, bool lrfd) {
        const bool soil = L_.code <= 3;
        out_ += format(soil ? kSoilHeading : kRockHeading, number, name(L_.code));
        group(&TopBottom::top, L_.TOP);
        out_ += format(kBottom);
        group(&TopBottom::bot, L_.DEPTH);
        if (lrfd) out_ += format(kLrfd, L_.LRFDSIDE, L_.LRFDTIP);
        return out_;
    }

private:
    bool si_;
    const Layer& L_;
    std::string out_;

    const char* label(const Label& l) const { return si_ ? l.si : l.en; }
    void coefficient(const Label& l, real v) { out_ += format(kCoefficient, label(l), v); }
    void values(std::span<const Label> labels, std::initializer_list<real> v) {
        auto it = v.begin();
        for (const Label& l : labels) out_ += format(kValue, label(l), *it++);
    }

    // back to SI for the echo: the project's own numbers
    real weight(real v) const { return si_ ? v / RunContext::KNM3PCF : v; }
    real stress(real v) const { return si_ ? v / RunContext::KPA2PSF : v; }
    real depth(real v) const { return si_ ? v / RunContext::M2FT : v; }

    void group(real TopBottom::*end, real layerDepth) {
        const Layer& L = L_;
        const real z   = depth(layerDepth);
        switch (L.code) {
            case 1:
            case 2:
            case 3:
                if (L.code == 1) {
                    coefficient(L.sandOption < 2 ? kK : kBeta, L.COEF.*end);
                } else {
                    coefficient(kAlpha, L.COEF.*end);
                    coefficient(kNc, L.NC.*end);
                }
                values(kSoilLines, {stress(L.CU.*end), L.PHI.*end, L.BLOWS.*end,
                                    weight(L.GAMMA.*end), stress(L.TRANLM.*end), z});
                break;
            case 4:
            case 7:
                values(kStrongRockLines, {L.BDS.*end, L.CS.*end, L.DISCT.*end, L.QUR.*end,
                                          L.QUCON.*end, L.EL.*end, L.RQD.*end, z});
                break;
            case 5:
                values(kDecomposedLines, {L.EGRAV.*end, L.POISSON.*end, L.BLOWS.*end,
                                          weight(L.GAMMA.*end), stress(L.TRANLM.*end), z});
                break;
            case 6:
                values(kWeakRockLines, {L.BDS.*end, L.SLUMP.*end, L.IFA.*end, L.QUR.*end, L.EL.*end,
                                        L.RQD.*end, z});
                break;
            default:
                coefficient(kBeta, L.COEF.*end);
                values(kGravelLines,
                       {L.BLOWS.*end, weight(L.GAMMA.*end), stress(L.TRANLM.*end), z});
                break;
        }
    }
};

}  // namespace

void echoTitle(RunContext& ctx) {
    std::string title = ctx.title;
    title.resize(72, ' ');  // the title is a 72-character field
    both(ctx, format(kTitle, title));
}

void echoDesignValues(RunContext& ctx) {
    const bool si = ctx.si();
    if (ctx.designControl == 2)
        both(ctx, format(kDepth, ctx.P, si ? " M" : " FT"));
    else
        both(ctx, format(kLoad, ctx.P, si ? " KN" : " TONS"));
    if (ctx.loadType == 2) ctx.report.write(kUplift, ctx.UPLIFT);
    both(ctx, format(kLayersWater, ctx.NLAYER, ctx.WT, si ? " M" : " FT."));
}

void echoFactorsOfSafety(RunContext& ctx) {
    if (ctx.lrfd()) return;
    both(ctx, format(kSafety, ctx.FST, ctx.FSB));
}

void echoSoilInformation(RunContext& ctx) {
    both(ctx, format(kSoilInformation));
    for (int i = 2; i <= ctx.NL; ++i) {
        Layer& L = ctx.layer(i);
        if (L.code == 2 || L.code == 3) L.PHI = {0.0f, 0.0f};
        if (L.code == 8 || L.code == 9) L.sandOption = 2;
        both(ctx, LayerBlock(ctx, L).text(i - 1, ctx.lrfd()));
    }
}

}  // namespace korven::run
