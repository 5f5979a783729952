// A run context whose output channels write into a scratch folder, and small hand-made shafts.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "../EngineHarness.h"
#include "settlement/SettlementInput.h"

namespace korven::test {

/// A context with report, runtime, plot and listing files in a scratch folder.
class SettlementRun {
public:
    SettlementRun() {
        ctx.reportPath  = (dir.path() / "case.kvo").string();
        ctx.runtimePath = (dir.path() / "case.kvr").string();
        ctx.plotPath    = (dir.path() / "case.kvp").string();
        ctx.report.open(ctx.reportPath);
        ctx.runtime.open(ctx.runtimePath);
        ctx.plot.open(ctx.plotPath);
    }
    /// Closes the channel and returns what was written to it.
    std::string report() { return closeAndRead(ctx.report, ctx.reportPath); }
    std::string runtime() { return closeAndRead(ctx.runtime, ctx.runtimePath); }
    std::string plot() { return closeAndRead(ctx.plot, ctx.plotPath); }
    std::string listing() { return closeAndRead(ctx.tzdata, (dir.path() / "TZDATA.DAT").string()); }

    ScratchDir dir;
    run::RunContext ctx;

private:
    static std::string closeAndRead(run::Channel& ch, const std::string& path) {
        ch.close();
        return readText(path);
    }
};

inline int countOf(const std::string& text, const std::string& what) {
    int n = 0;
    for (auto p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
    return n;
}

/// A straight shaft of diameter D (ft) and length L (ft) in one soil layer 0..DEPTH ft of the
/// given code, with a uniform unit side resistance F (tsf), one capacity row per foot.
inline settlement::SettlementInput uniformShaft(int code, float D, float L, float F, float QB,
                                                float DEPTH = 60.0f) {
    settlement::SettlementInput in;
    in.units  = 1;
    in.D      = D;
    in.Db     = D;
    in.DSTART = D;
    in.EcIn   = 3.6e6f;
    in.Ec     = 3.6e6f * 144.0f / 2000.0f;
    in.L      = L;
    in.QB     = QB;
    in.NLAY   = 1;
    in.TIP    = 1;
    auto& lay = in.lay(1);
    lay.code  = code;
    lay.TOP   = 0.0f;
    lay.BOT   = DEPTH;
    lay.FTOP = lay.FBOT = F;
    lay.ZREC            = L;
    in.NSEG             = static_cast<int>(L);
    for (int r = 1; r <= in.NSEG; ++r) {
        in.ZROW(r) = static_cast<float>(r) * 12.0f;
        in.FROW(r) = F * 2000.0f / 144.0f;
    }
    return in;
}

}  // namespace korven::test
