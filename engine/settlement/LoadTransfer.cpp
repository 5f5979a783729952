// Load-transfer method: t-z curves along the shaft, a tip curve, and a segment-by-segment
// iteration from the tip up for fifteen assumed tip movements.
#include "settlement/LoadTransfer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "settlement/TzListing.h"

namespace korven::settlement {

namespace {

constexpr real PSI_PER_TSF = 2000.0f / 144.0f;
constexpr real TOLERANCE   = 0.0001f;  // in, on the mid-segment movement

// One list-directed record to the runtime file per line: tip movements, segments, a reserved
// zero, segments.
constexpr run::Format kRuntimeRecord = "(4I12)";

real stiffnessAt(const LoadTransferSetup& s, real z) {
    const std::size_t k = z <= s.ZAE[1] ? 1 : 2;
    const real dz       = s.ZAE[k] - s.ZAE[k - 1];
    if (dz <= 0.0f) return s.AE[k];
    return s.AE[k - 1] + (z - s.ZAE[k - 1]) * (s.AE[k] - s.AE[k - 1]) / dz;
}

// curveAt on the points themselves, the same steps without the table's index checks; what they
// would stop at (a point count out of the table, a movement that is not a number) goes through
// curveAt itself
real evalCurve(const TzCurve& c, real x) {
    const int n = c.NPT;
    if (n < 1 || n > 10) return curveAt(c.W, c.T, n, x);
    const real* w = c.W.data();
    const real* v = c.T.data();
    if (x >= w[n - 1]) return v[n - 1];
    if (x <= w[0]) return v[0];
    for (int k = 1; k < n; ++k)
        if (w[k] > x) {
            const real dz = w[k] - w[k - 1];
            if (dz == 0.0f) return v[k];
            return v[k - 1] + (x - w[k - 1]) * (v[k] - v[k - 1]) / dz;
        }
    return curveAt(c.W, c.T, n, x);
}

// The curves around one mid-segment depth, as loadTransferAt picks them, found once per segment
// and used for every pass of its iteration.
struct Bracket {
    const TzCurve* below = nullptr;
    const TzCurve* above = nullptr;  // none: the curve below holds alone
    real z               = 0.0f;
    bool shared          = false;  // both curves have the same movement points (one family)

    void prepare() {
        // one soil code, one family: the points are the same products
        shared = above && above->NPT == below->NPT && below->NPT >= 1 && below->NPT <= 10
                 && (above->code == below->code
                     || std::memcmp(above->W.data(), below->W.data(),
                                    sizeof(real) * static_cast<std::size_t>(below->NPT))
                            == 0);
    }

    real at(real x) const {
        if (!above) return evalCurve(*below, x);
        real tb = 0.0f, ta = 0.0f;
        if (!shared || !pair(x, tb, ta)) {
            tb = evalCurve(*below, x);
            ta = evalCurve(*above, x);
        }
        const real dz = below->Z - above->Z;
        return ta + (z - above->Z) * (tb - ta) / dz;
    }

    // Both curves at x with one search of their common movement points; false when x is not a
    // number (evalCurve then stops the run as the tables do).
    bool pair(real x, real& tb, real& ta) const {
        const int n    = below->NPT;
        const real* w  = below->W.data();
        const real* vb = below->T.data();
        const real* va = above->T.data();
        if (x >= w[n - 1]) {
            tb = vb[n - 1];
            ta = va[n - 1];
            return true;
        }
        if (x <= w[0]) {
            tb = vb[0];
            ta = va[0];
            return true;
        }
        for (int k = 1; k < n; ++k)
            if (w[k] > x) {
                const real dz = w[k] - w[k - 1];
                if (dz == 0.0f) {
                    tb = vb[k];
                    ta = va[k];
                } else {
                    tb = vb[k - 1] + (x - w[k - 1]) * (vb[k] - vb[k - 1]) / dz;
                    ta = va[k - 1] + (x - w[k - 1]) * (va[k] - va[k - 1]) / dz;
                }
                return true;
            }
        return false;
    }
};

// The first curve at or below z, else the last one. Going up the shaft z only decreases, so when
// the curve depths never decrease the search starts at the curve found for the segment below.
class CurveCursor {
public:
    CurveCursor(const run::Array<TzCurve, 145>& curves, int n)
        : curves_(curves), c_(curves.data()), n_(n) {
        sorted_ = n >= 1 && n <= 145;
        for (int c = 2; sorted_ && c <= n; ++c)
            if (!(curves(c).Z >= curves(c - 1).Z)) sorted_ = false;
    }
    void restart() { k_ = n_; }

    Bracket bracket(real z) {
        int k = n_;
        Bracket b;
        b.z = z;
        if (sorted_) {
            // 1 <= k_ <= n_ <= 145: the curves are read without the table's checks
            if (!(z <= last_)) k_ = n_;
            while (k_ > 1 && c_[k_ - 2].Z >= z) --k_;
            last_   = z;
            b.below = &c_[k_ - 1];
            if (b.below->Z <= z || k_ == 1) return b;  // below the last curve, or exactly on one
            const TzCurve& above = c_[k_ - 2];
            if (!(b.below->Z - above.Z <= 0.0f)) b.above = &above;
            b.prepare();
            return b;
        } else {
            for (int c = 1; c <= n_; ++c)
                if (curves_(c).Z >= z) {
                    k = c;
                    break;
                }
        }
        last_   = z;
        b.below = &curves_(k);
        if (b.below->Z <= z || k == 1) return b;
        const TzCurve& above = curves_(k - 1);
        if (!(b.below->Z - above.Z <= 0.0f)) b.above = &above;
        b.prepare();
        return b;
    }

private:
    const run::Array<TzCurve, 145>& curves_;
    const TzCurve* c_;
    int n_;
    bool sorted_ = false;
    int k_       = 0;
    real last_   = 0.0f;
};

}  // namespace

LoadTransferSetup prepareLoadTransfer(const SettlementInput& in) {
    LoadTransferSetup s;
    s.D       = in.D * 12.0f;
    s.Db      = in.Db * 12.0f;
    s.L       = in.L * 12.0f;
    s.LB      = in.LB * 12.0f;
    s.QB      = in.QB * 2000.0f;
    s.EC      = in.units == 2 ? in.EcIn / 6.894f : in.EcIn;  // kN/m2 to psi
    s.NLAY    = in.NLAY;
    s.TIPCODE = in.NLAY >= 1 ? in.lay(in.NLAY).code : 0;

    real previousBottom = 0.0f;
    for (int i = 1; i <= in.NLAY; ++i) {
        const SettlementLayer& lay = in.lay(i);
        const real t               = i == 1 ? lay.TOP * 12.0f : previousBottom;
        real b                     = lay.BOT * 12.0f;
        if (b - t < 1e-12f) b = t + 0.1f;  // a layer of no thickness would stall the lookups
        previousBottom = b;

        s.table.Z(2 * i - 1) = t;
        s.table.Z(2 * i)     = b;
        s.table.V(2 * i - 1) = lay.FTOP * PSI_PER_TSF;
        s.table.V(2 * i)     = lay.FBOT * PSI_PER_TSF;

        // five curves per layer; below the first layer the top curve sits a foot into the layer
        const real z1   = t;
        const real z3   = (t + b) / 2.0f;
        const real z2   = (z1 + z3) / 2.0f;
        const real z5   = b - 0.01f;
        const real z4   = (z3 + z5) / 2.0f;
        const real z[5] = {i > 1 ? t + 12.01f : z1, z2, z3, z4, z5};
        for (int k = 0; k < 5; ++k) {
            const int c    = 5 * (i - 1) + k + 1;
            s.ZCURVE(c)    = z[k];
            s.CODECURVE(c) = lay.code;
        }
    }
    s.table.N = 2 * in.NLAY;
    s.NCURVE  = 5 * in.NLAY;

    // axial stiffness: the stem down to the bottom length without side resistance, then the base
    const real AS = 0.7854f * s.D * s.D;
    const real AB = 0.7854f * s.Db * s.Db;
    s.ZAE         = {0.0f, s.L - s.LB, s.L};
    s.AE          = {AS * s.EC, AS * s.EC, AB * s.EC};
    return s;
}

std::array<real, 15> tipMovements(real D) {
    std::array<real, 15> w = {0.00001f, 0.00005f, 0.0001f, 0.005f, 0.0075f, 0.01f, 0.025f, 0.05f,
                              0.075f,   0.1f,     0.25f,   0.5f,   0.0f,    0.0f,  0.0f};
    w[12]                  = 0.01f * D;
    if (w[12] < 0.5f) w[12] = 0.5f * 1.25f;
    w[13] = 0.025f * D;
    if (w[13] < w[12]) w[13] = 1.25f * w[12];
    w[14] = 0.05f * D;
    if (w[14] < w[13]) w[14] = 1.25f * w[13];
    return w;
}

real axialStiffness(const LoadTransferSetup& s, real z) { return stiffnessAt(s, z); }

real loadTransferAt(const run::Array<TzCurve, 145>& curves, int n, real z, real w) {
    int k = n;
    for (int c = 1; c <= n; ++c) {
        if (curves(c).Z >= z) {
            k = c;
            break;
        }
    }
    const TzCurve& below = curves(k);
    const real tb        = curveAt(below.W, below.T, below.NPT, w);
    if (below.Z <= z || k == 1) return tb;  // below the last curve, or exactly on one
    const TzCurve& above = curves(k - 1);
    const real ta        = curveAt(above.W, above.T, above.NPT, w);
    const real dz        = below.Z - above.Z;
    if (dz <= 0.0f) return tb;
    return ta + (z - above.Z) * (tb - ta) / dz;
}

bool runLoadTransfer(run::RunContext& ctx, const SettlementInput& in, const LoadTransferSetup& s,
                     int line, run::SettlementSet& out) {
    if (!openListing(ctx) && line == 1)
        run::writeBlock(ctx.runtime, {"*********************WARNING**********************",
                                      "TZDATA.DAT CANNOT BE CREATED BESIDE THE REPORT; THE",
                                      "LOAD-TRANSFER LISTING IS NOT WRITTEN."});
    // the listing is written when TZDATA.DAT is closed for good, from the curves kept here
    auto pending            = std::make_unique<PendingListing>(in.units);
    PendingListing& listing = *pending;
    ctx.tzdata.defer(std::move(pending));

    // t-z curves: the capacity profile gives the maximum load transfer, except at the deepest
    // curve, which only the layer table reaches
    run::Array<TzCurve, 145>& curves = listing.curves;
    const int n                      = s.NCURVE;
    ProfileCursor rows;
    for (int c = 1; c <= n; ++c) {
        TzCurve& curve         = curves(c);
        curve.Z                = s.ZCURVE(c);
        curve.code             = s.CODECURVE(c);
        const real TMAX        = c < n ? profileLookup(in.ZROW, in.FROW, in.NSEG, curve.Z, rows)
                                       : layerTableLookup(ctx, s.table, curve.Z);
        const CurveFamily& fam = sideFamily(curve.code);
        for (int j = 1; j <= 10; ++j) {
            const auto u = static_cast<std::size_t>(j - 1);
            curve.W(j)   = fam.MOVE[u] * s.D;
            curve.T(j)   = fam.RATIO[static_cast<std::size_t>(line - 1)][u] * TMAX;
        }
    }
    listing.NCURVE = n;
    listing.stage  = 1;

    TipCurve& tip           = listing.tip;
    const real DB           = std::max(s.D, s.Db);
    const CurveFamily& tfam = tipFamily(s.TIPCODE);
    for (int j = 1; j <= 10; ++j) {
        const auto u = static_cast<std::size_t>(j - 1);
        tip.W(j)     = tfam.MOVE[u] * DB;
        tip.Q(j)     = tfam.RATIO[static_cast<std::size_t>(line - 1)][u] * s.QB;
    }
    listing.stage = 2;

    const std::array<real, 15> WTIP = tipMovements(s.D);
    const real h                    = s.L / static_cast<real>(in.NSEG);
    const real ZSIDE                = s.L - s.LB;
    bool bounded                    = false;
    // The fifteen tip movements go up the shaft side by side: a segment's depth, and so its
    // curves and AE, is the same for all of them, and their iterations, each a chain of
    // divisions, are independent of one another. Each movement's arithmetic is that of its own
    // walk up the shaft.
    std::array<real, 15> Qt{}, P{}, w{}, wm{};
    for (std::size_t m = 0; m < 15; ++m) {
        Qt[m] = curveAt(tip.W, tip.Q, 10, WTIP[m]);  // held at its last load beyond the curve
        if (m == 0) ctx.runtime.write(kRuntimeRecord, 15, in.NSEG, 0, in.NSEG);
        P[m]  = Qt[m];
        w[m]  = WTIP[m];
        wm[m] = w[m];
    }
    CurveCursor cursor(curves, n);
    cursor.restart();
    real zm = s.L - h / 2.0f;
    for (int j = 2; j <= in.NSEG + 1; ++j) {
        const bool side     = !(zm > ZSIDE);
        const Bracket curve = side ? cursor.bracket(zm) : Bracket{};
        const real AE       = stiffnessAt(s, zm);
        for (std::size_t m = 0; m < 15; ++m) {
            const real P0 = P[m];
            const real w0 = w[m];
            real wmm      = wm[m];
            real PJ       = P0;
            real WJ       = w0;
            for (int pass = 1;; ++pass) {
                const real t     = side ? curve.at(wmm) : 0.0f;
                const real dQ    = t * 3.1416f * s.D * h;
                PJ               = P0 + dQ;
                const real PM    = P0 + dQ / 2.0f;
                WJ               = w0 + h * PM / AE;
                const real wmNew = w0 + (h / 2.0f) * ((PM + P0) / 2.0f) / AE;
                if (std::fabs(wmNew - wmm) <= TOLERANCE) break;
                wmm = wmNew;
                if (pass >= kMaxSegmentIterations) {
                    bounded = true;
                    break;
                }
            }
            P[m]  = PJ;
            w[m]  = WJ;
            wm[m] = WJ;
        }
        zm -= h;
    }
    const bool si   = in.units == 2;
    const real LOAD = si ? 4.448f / 1000.0f : 1.0f / 2000.0f;  // lb to kN or tons
    const real MOVE = si ? 1.0f / 39.37f : 1.0f;               // in to m
    for (int m = 1; m <= 15; ++m) {
        const auto u          = static_cast<std::size_t>(m - 1);
        run::SettlementRow& r = out(m);
        r.TOPLOAD             = P[u] * LOAD;
        r.TOPMOVE             = w[u] * MOVE;
        r.TIPLOAD             = Qt[u] * LOAD;
        r.TIPMOVE             = WTIP[u] * MOVE;
    }
    listing.stage = 3;
    return bounded;
}

}  // namespace korven::settlement
