// The project data file as the engine reads it, record by record.
#include "run/ProjectFile.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "run/Echo.h"

namespace korven::run {
namespace {

constexpr std::string_view kError = "*********************ERROR**********************";

bool isSeparator(char c) { return c == ' ' || c == '\t' || c == ',' || c == '\r'; }

// A real in any form a list-directed read takes: 12, -1.5, .5, 1., 1.2E3, 1.2D3, +4.
bool parseReal(std::string_view word, real& value) {
    std::string w(word);
    if (!w.empty() && w[0] == '+') w.erase(0, 1);
    for (char& c : w)
        if (c == 'd' || c == 'D') c = 'E';
    if (w.empty()) return false;
    double v       = 0.0;
    const auto res = std::from_chars(w.data(), w.data() + w.size(), v);
    if (res.ec != std::errc() || res.ptr != w.data() + w.size()) return false;
    if (!std::isfinite(v) || std::fabs(v) > static_cast<double>(std::numeric_limits<real>::max()))
        return false;
    value = static_cast<real>(v);
    return true;
}

bool parseInteger(std::string_view word, int& value) {
    if (!word.empty() && word[0] == '+') word.remove_prefix(1);
    if (word.empty()) return false;
    const auto res = std::from_chars(word.data(), word.data() + word.size(), value);
    return res.ec == std::errc() && res.ptr == word.data() + word.size();
}

}  // namespace

ListReader::ListReader(RunContext& ctx, std::string_view text) : ctx_(ctx), text_(text) {}

bool ListReader::nextLine(std::string_view& out) {
    if (pos_ >= text_.size()) return false;
    const auto end  = text_.find('\n', pos_);
    const auto stop = end == std::string_view::npos ? text_.size() : end;
    out             = text_.substr(pos_, stop - pos_);
    if (!out.empty() && out.back() == '\r') out.remove_suffix(1);
    pos_ = end == std::string_view::npos ? text_.size() : end + 1;
    ++line_;
    return true;
}

void ListReader::fail(const std::string& detail) {
    const std::string where = "PROJECT FILE " + ctx_.projectPath;
    stopRun(ctx_, {kError, "THE PROJECT FILE CANNOT BE READ:", detail, where});
}

std::string ListReader::readText(int width) {
    std::string_view line;
    if (!nextLine(line)) fail("THE FILE ENDS BEFORE ITS FIRST LINE (THE TITLE)");
    std::string s(line.substr(0, static_cast<std::size_t>(width)));
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

void ListReader::read(std::initializer_list<ReadTarget> targets) {
    auto it = targets.begin();
    while (it != targets.end()) {
        std::string_view line;
        if (!nextLine(line))
            fail("THE FILE ENDS BEFORE ITS DATA ARE COMPLETE (" + std::string(it->name)
                 + " WAS EXPECTED)");
        std::size_t i = 0;
        while (it != targets.end()) {
            while (i < line.size() && isSeparator(line[i])) ++i;
            if (i >= line.size()) break;  // the read goes on on the next line
            std::size_t j = i;
            while (j < line.size() && !isSeparator(line[j])) ++j;
            const std::string_view word = line.substr(i, j - i);
            i                           = j;
            const bool ok =
                it->integer ? parseInteger(word, *it->integer) : parseReal(word, *it->realValue);
            if (!ok)
                fail("LINE " + std::to_string(line_) + ": \"" + std::string(word) + "\" IS NOT "
                     + (it->integer ? "AN INTEGER" : "A NUMBER") + " (" + it->name + ")");
            ++it;
        }
    }
}

namespace {

void noLimit(TopBottom& v) {
    if (std::fabs(v.top) < RunContext::SMALL) v.top = RunContext::NOLIMIT;
    if (std::fabs(v.bot) < RunContext::SMALL) v.bot = RunContext::NOLIMIT;
}

// The parameter lines of one layer, top line into the top values, bottom line into the bottom.
void readParameters(ListReader& in, Layer& L, real TopBottom::*which) {
    real ls = 0.0f, le = 0.0f, cond = 0.0f;
    auto& b = which;
    switch (L.code) {
        case 1:
        case 2:
        case 3:
            in.read({{&(L.NC.*b), "NC"},
                     {&(L.GAMMA.*b), "UNIT WEIGHT"},
                     {&(L.PHI.*b), "FRICTION ANGLE"},
                     {&(L.CU.*b), "COHESION"},
                     {&(L.BLOWS.*b), "BLOW COUNT"},
                     {&(L.TRANLM.*b), "MAXIMUM SIDE FRICTION"},
                     {&(L.QMAXEB.*b), "MAXIMUM END BEARING"},
                     {&ls, "LRFD FACTOR (SIDE)"},
                     {&le, "LRFD FACTOR (TIP)"}});
            break;
        case 4:
        case 7:
            in.read({{&(L.QUR.*b), "ROCK STRENGTH"},
                     {&(L.QUCON.*b), "CONCRETE STRENGTH"},
                     {&(L.CS.*b), "SPACING OF DISCONTINUITIES"},
                     {&(L.DISCT.*b), "THICKNESS OF DISCONTINUITIES"},
                     {&(L.BDS.*b), "SOCKET DIAMETER"},
                     {&(L.TRANLM.*b), "MAXIMUM SIDE FRICTION"},
                     {&(L.EL.*b), "ROCK MODULUS"},
                     {&(L.RQD.*b), "RQD"},
                     {&(L.QMAXEB.*b), "MAXIMUM END BEARING"},
                     {&ls, "LRFD FACTOR (SIDE)"},
                     {&le, "LRFD FACTOR (TIP)"}});
            break;
        case 5:
            in.read({{&(L.GAMMA.*b), "UNIT WEIGHT"},
                     {&(L.BLOWS.*b), "BLOW COUNT"},
                     {&(L.POISSON.*b), "POISSON'S RATIO"},
                     {&(L.EGRAV.*b), "YOUNG'S MODULUS"},
                     {&(L.BDS.*b), "SOCKET DIAMETER"},
                     {&(L.TRANLM.*b), "MAXIMUM SIDE FRICTION"},
                     {&(L.QMAXEB.*b), "MAXIMUM END BEARING"},
                     {&ls, "LRFD FACTOR (SIDE)"},
                     {&le, "LRFD FACTOR (TIP)"}});
            break;
        case 6:
            in.read({{&(L.QUR.*b), "ROCK STRENGTH"},
                     {&cond, "INTERFACE CONDITION"},
                     {&(L.SLUMP.*b), "CONCRETE SLUMP"},
                     {&(L.IFA.*b), "INTERFACE FRICTION ANGLE"},
                     {&(L.BDS.*b), "SOCKET DIAMETER"},
                     {&(L.TRANLM.*b), "MAXIMUM SIDE FRICTION"},
                     {&(L.EL.*b), "ROCK MODULUS"},
                     {&(L.RQD.*b), "RQD"},
                     {&(L.QMAXEB.*b), "MAXIMUM END BEARING"},
                     {&ls, "LRFD FACTOR (SIDE)"},
                     {&le, "LRFD FACTOR (TIP)"}});
            L.ICOND = static_cast<int>(std::lround(cond));
            break;
        default:  // 8, 9
            in.read({{&(L.GAMMA.*b), "UNIT WEIGHT"},
                     {&(L.BLOWS.*b), "BLOW COUNT"},
                     {&(L.COEF.*b), "BETA"},
                     {&(L.TRANLM.*b), "MAXIMUM SIDE FRICTION"},
                     {&(L.QMAXEB.*b), "MAXIMUM END BEARING"},
                     {&ls, "LRFD FACTOR (SIDE)"},
                     {&le, "LRFD FACTOR (TIP)"}});
            break;
    }
    // the pair of the bottom line is the one kept
    L.LRFDSIDE = ls;
    L.LRFDTIP  = le;
}

}  // namespace

void readProject(RunContext& ctx) {
    ListReader in(ctx, ctx.projectText);
    ctx.title = in.readText(72);
    echoTitle(ctx);

    in.read({{&ctx.units, "UNIT SYSTEM"}});
    ctx.unitTag = ctx.units == 2 ? "SI" : "EN";
    in.read({{&ctx.designControl, "DESIGN CONTROL"},
             {&ctx.loadType, "LOAD TYPE"},
             {&ctx.UPLIFT, "UPLIFT REDUCTION FACTOR"},
             {&ctx.PRINC, "PRINT INCREMENT"},
             {&ctx.tipSwitch, "TIP REDUCTION SWITCH"},
             {&ctx.designMethod, "DESIGN METHOD"}});
    in.read({{&ctx.DSTART, "MINIMUM DIAMETER"},
             {&ctx.DIALIM, "MAXIMUM DIAMETER"},
             {&ctx.RATIO, "BELL RATIO"},
             {&ctx.BELANG, "BELL ANGLE"},
             {&ctx.TOPLEN, "TOP EXCLUSION"},
             {&ctx.BS, "BOTTOM EXCLUSION"},
             {&ctx.Ec, "SHAFT MODULUS"}});
    ctx.EcEntered    = ctx.Ec;
    real designValue = 0.0f;
    in.read({{&ctx.NLAYER, "NUMBER OF LAYERS"},
             {&ctx.WT, "WATER TABLE DEPTH"},
             {&designValue, "DESIGN VALUE"},
             {&ctx.FST, "FACTOR OF SAFETY (SIDE)"},
             {&ctx.FSB, "FACTOR OF SAFETY (BASE)"}});
    ctx.P   = designValue;
    ctx.DGH = ctx.designControl == 2 ? designValue : 0.0f;
    echoDesignValues(ctx);

    constexpr int maxLayers = decltype(ctx.layer)::size - 1;
    if (ctx.NLAYER < 1 || ctx.NLAYER > maxLayers)
        stopRun(ctx, {kError, "THE PROJECT FILE CANNOT BE READ:",
                      "THE NUMBER OF LAYERS IS " + std::to_string(ctx.NLAYER)
                          + "; A PROJECT HOLDS 1 TO " + std::to_string(maxLayers) + " LAYERS"});
    ctx.NL = ctx.NLAYER + 1;

    ctx.layer(1) = Layer{};
    for (int i = 2; i <= ctx.NL; ++i) {
        Layer& L = ctx.layer(i);
        L        = Layer{};
        L.TOP    = ctx.layer(i - 1).DEPTH;
        in.read({{&L.SOIL, "SOIL TYPE"}, {&L.DEPTH, "DEPTH AT BOTTOM OF LAYER"}});
        const long code = std::lround(L.SOIL);
        if (code < 1 || code > 9)
            stopRun(ctx, {kError, "THE PROJECT FILE CANNOT BE READ:",
                          "LAYER " + std::to_string(i - 1) + " HAS THE SOIL TYPE CODE "
                              + std::to_string(code) + "; THE CODES ARE 1 TO 9"});
        L.code = static_cast<int>(code);
        L.SOIL = static_cast<real>(code);

        readParameters(in, L, &TopBottom::top);
        readParameters(in, L, &TopBottom::bot);
        if (L.code == 1) {
            in.read({{&L.sandOption, "SAND OPTION"}});
            in.read({{&L.COEF.top, "SAND COEFFICIENT (TOP)"},
                     {&L.COEF.bot, "SAND COEFFICIENT (BOTTOM)"}});
        } else if (L.code == 2 || L.code == 3) {
            in.read({{&L.COEF.top, "ALPHA (TOP)"}, {&L.COEF.bot, "ALPHA (BOTTOM)"}});
        }
        noLimit(L.TRANLM);
        noLimit(L.QMAXEB);
        if (L.code == 4 || L.code == 6 || L.code == 7) ++ctx.rockCount;
    }

    if (ctx.designControl == 2 && ctx.DGH > ctx.layer(ctx.NL).DEPTH) {
        const std::initializer_list<std::string_view> lines = {
            "*********************WARNING**********************",
            "PLEASE PROVIDE THE SOIL DEPTH THAT IS TWO-DIAMETER DEEPER",
            "THAN THE TIP OF DRILLED SHAFTS"};
        writeBlock(ctx.runtime, lines);
        writeBlock(ctx.report, lines);
    }

    if (ctx.RATIO == 1.0f) ctx.RATIO = 0.0f;
    if (ctx.DSTART > ctx.DIALIM) ctx.DIALIM = ctx.DSTART;
}

}  // namespace korven::run
