// Unit captions, curve families and depth-table lookups of the load-transfer method.
#include "settlement/LoadTransferData.h"

#include <algorithm>

namespace korven::settlement {

UnitCaptions unitCaptions(int units) {
    if (units == 2) return {" M.", "KN.", "KPA", " SQ M", " M."};
    return {"IN.", "ton", "PSI", "SQ IN", "IN."};
}

namespace {

// clang-format off
// Side families: load-transfer ratio against movement over the stem diameter.
constexpr CurveFamily kSandSide{
    {0.0f, 0.001f, 0.002f, 0.003f, 0.005f, 0.006f, 0.008f, 0.012f, 0.016f, 0.1f},
    {{{0.0f, 0.335f, 0.58f, 0.72f, 0.86f, 0.91f, 0.95f, 0.965f, 0.96f, 0.95f},
      {0.0f, 0.45f,  0.76f, 0.9f,  0.98f, 1.0f,  1.0f,  1.0f,   1.0f,  1.0f},
      {0.0f, 0.22f,  0.4f,  0.54f, 0.74f, 0.82f, 0.9f,  0.93f,  0.92f, 0.9f}}}};
constexpr CurveFamily kClaySide{
    {0.0f, 0.001f, 0.002f, 0.003f, 0.005f, 0.006f, 0.008f, 0.012f, 0.016f, 0.02f},
    {{{0.0f, 0.51f, 0.72f, 0.9f,  0.925f, 0.945f, 0.955f, 0.925f, 0.9f,  0.835f},
      {0.0f, 0.74f, 0.92f, 0.97f, 1.01f,  1.02f,  1.02f,  1.0f,   0.96f, 0.92f},
      {0.0f, 0.29f, 0.52f, 0.7f,  0.84f,  0.87f,  0.89f,  0.85f,  0.8f,  0.75f}}}};
// Published load tests in gravelly soils follow these two families closely, the clay one does not.
constexpr CurveFamily kGravellySandSide{
    {0.0f, 0.001f, 0.002f, 0.003f, 0.005f, 0.008f, 0.012f, 0.016f, 0.022f, 0.1f},
    {{{0.0f, 0.15f, 0.25f, 0.34f, 0.52f, 0.67f, 0.81f, 0.88f, 0.97f, 0.999f},
      {0.0f, 0.32f, 0.43f, 0.52f, 0.67f, 0.8f,  0.9f,  0.95f, 1.0f,  1.0f},
      {0.0f, 0.06f, 0.15f, 0.22f, 0.33f, 0.49f, 0.65f, 0.75f, 0.88f, 1.0f}}}};
constexpr CurveFamily kGravelSide{
    {0.0f, 0.001f, 0.002f, 0.003f, 0.005f, 0.008f, 0.012f, 0.016f, 0.022f, 0.1f},
    {{{0.0f, 0.23f, 0.36f, 0.44f, 0.58f, 0.7f,  0.82f, 0.9f,  0.999f, 0.999f},
      {0.0f, 0.3f,  0.45f, 0.55f, 0.74f, 0.86f, 0.92f, 0.97f, 1.0f,   1.0f},
      {0.0f, 0.15f, 0.29f, 0.36f, 0.46f, 0.57f, 0.7f,  0.82f, 0.96f,  0.99f}}}};
// Tip families: tip load over the ultimate base resistance against movement over the base
// diameter.
constexpr CurveFamily kSandTip{
    {0.0f, 0.005f, 0.01f, 0.015f, 0.025f, 0.03f, 0.04f, 0.05f, 0.07f, 0.1f},
    {{{0.0f, 0.175f, 0.345f, 0.485f, 0.64f, 0.73f, 0.88f, 1.015f, 1.195f, 1.46f},
      {0.0f, 0.25f,  0.48f,  0.67f,  0.76f, 0.84f, 0.96f, 1.08f,  1.28f,  1.61f},
      {0.0f, 0.1f,   0.21f,  0.3f,   0.52f, 0.62f, 0.8f,  0.95f,  1.11f,  1.32f}}}};
constexpr CurveFamily kClayTip{
    {0.0f, 0.005f, 0.01f, 0.015f, 0.025f, 0.03f, 0.04f, 0.05f, 0.07f, 0.1f},
    {{{0.0f, 0.395f, 0.56f, 0.7f,  0.865f, 0.9f,  0.95f,  0.97f,  0.98f,  0.991f},
      {0.0f, 0.59f,  0.75f, 0.86f, 0.96f,  0.98f, 0.995f, 0.995f, 0.994f, 0.992f},
      {0.0f, 0.2f,   0.37f, 0.54f, 0.77f,  0.82f, 0.9f,   0.94f,  0.97f,  0.99f}}}};
// clang-format on

// First entry from the second on that lies deeper than z; 0 when there is none.
template <int N>
int firstDeeper(const run::Array<real, N>& Z, int n, real z) {
    for (int k = 2; k <= n; ++k)
        if (Z(k) > z) return k;
    return 0;
}

template <int N>
real between(const run::Array<real, N>& Z, const run::Array<real, N>& V, int k, real z) {
    const real dz = Z(k) - Z(k - 1);
    if (dz == 0.0f) return V(k);
    return V(k - 1) + (z - Z(k - 1)) * (V(k) - V(k - 1)) / dz;
}

constexpr run::Format kWarnBlank = "()";
constexpr run::Format kWarnHead  = "(29X,'**** WARNING ****')";
constexpr run::Format kWarnValue =
    "(5X,'THE VALUE OF X =',E9.2,'IS BEYOND THE EXTENT OF/',5X,'THE INPUT MAX. LOAD TRANSFER')";

}  // namespace

const CurveFamily& sideFamily(int code) {
    switch (code) {
        case 1:
            return kSandSide;
        case 8:
            return kGravellySandSide;
        case 9:
            return kGravelSide;
        default:
            return kClaySide;
    }
}

const CurveFamily& tipFamily(int code) {
    return code == 1 || code == 8 || code == 9 ? kSandTip : kClayTip;
}

real curveAt(const run::Array<real, 10>& w, const run::Array<real, 10>& v, int n, real x) {
    if (x >= w(n)) return v(n);
    if (x <= w(1)) return v(1);
    const int k = firstDeeper(w, n, x);
    return between(w, v, k, x);
}

real layerTableLookup(run::RunContext& ctx, const DepthTable& table, real z) {
    const int n = table.N;
    if (const int k = firstDeeper(table.Z, n, z); k > 0) return between(table.Z, table.V, k, z);
    if (n >= 2 && z == table.Z(n)) return between(table.Z, table.V, n, z);
    ctx.report.write(kWarnBlank);
    ctx.report.write(kWarnHead);
    ctx.report.write(kWarnValue, z);
    run::stopRun(ctx,
                 {"**** WARNING ****", "A DEPTH OF THE LOAD-TRANSFER METHOD LIES BEYOND THE",
                  "EXTENT OF THE INPUT MAX. LOAD TRANSFER; THE RUN ENDS HERE."},
                 false);
}

real profileLookup(const run::Array<real, 500>& ZROW, const run::Array<real, 500>& FROW, int n,
                   real z) {
    if (n < 1) return 0.0f;
    // above the first row the line through the first two can fall below zero, and a side that
    // pulls the shaft down is no resistance
    if (const int k = firstDeeper(ZROW, n, z); k > 0)
        return std::max(between(ZROW, FROW, k, z), 0.0f);
    return FROW(n);
}

real profileLookup(const run::Array<real, 500>& ZROW, const run::Array<real, 500>& FROW, int n,
                   real z, ProfileCursor& at) {
    if (n < 1 || n > 500) return profileLookup(ZROW, FROW, n, z);
    if (!at.any) {
        at.any    = true;
        at.sorted = true;
        for (int i = 3; i <= n; ++i)
            if (!(ZROW(i) >= ZROW(i - 1))) at.sorted = false;
        at.k = 2;
        at.z = z;
    }
    // rows before the cursor are no deeper than the last depth, so none is deeper than this one
    const int start = at.sorted && z >= at.z ? at.k : 2;
    at.z            = z;
    for (int k = start; k <= n; ++k)
        if (ZROW(k) > z) {
            at.k = k;
            return std::max(between(ZROW, FROW, k, z), 0.0f);
        }
    at.k = n + 1;
    return FROW(n);
}

}  // namespace korven::settlement
