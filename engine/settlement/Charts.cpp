// The weak-rock charts: tables and their one- and two-dimensional reading.
#include "settlement/Charts.h"

#include <array>
#include <cstddef>

namespace korven::settlement {

real chart1(std::span<const real> x, std::span<const real> y, real at) {
    if (at <= x.front()) return y.front();
    if (at >= x.back()) return y.back();
    for (std::size_t i = 1; i < x.size(); ++i)
        if (at <= x[i]) return y[i - 1] + (y[i] - y[i - 1]) * (at - x[i - 1]) / (x[i] - x[i - 1]);
    return y.back();
}

real chart2(std::span<const real> p, std::span<const real> x, std::span<const real> y, real param,
            real at) {
    const std::size_t n = x.size();
    const std::size_t m = p.size();
    std::size_t k       = 0;  // curve of the interval [p(k), p(k+1))
    while (k + 1 < m && param >= p[k + 1]) ++k;
    const real yk = chart1(x, y.subspan(k * n, n), at);
    if (k + 1 >= m || !(param > p.front())) return yk;
    const real yk1 = chart1(x, y.subspan((k + 1) * n, n), at);
    return yk + (yk1 - yk) * (param - p[k]) / (p[k + 1] - p[k]);
}

namespace {

// clang-format off
constexpr std::array<real, 4> kRqd       = {20.0f, 50.0f, 70.0f, 100.0f};
constexpr std::array<real, 4> kClosed    = {0.05f, 0.15f, 0.7f,  1.0f};
constexpr std::array<real, 4> kOpen      = {0.05f, 0.1f,  0.3f,  0.6f};

constexpr std::array<real, 6> kEmEi      = {0.02f, 0.05f, 0.1f, 0.3f, 0.5f, 1.0f};
constexpr std::array<real, 6> kJoint     = {0.3f,  0.45f, 0.55f, 0.7f, 0.8f, 1.0f};

// fluid concrete: hydrostatic near the top, less with depth and with a stiffer mix
constexpr std::array<real, 4> kZc        = {0.0f, 13.12f, 26.25f, 39.37f};
constexpr std::array<real, 3> kSlump     = {5.0f, 6.89f, 8.86f};
constexpr std::array<real, 12> kNormal   = {
    1.0f,  1.0f,  1.0f,
    0.52f, 0.96f, 1.0f,
    0.47f, 0.75f, 1.0f,
    0.35f, 0.65f, 0.9f};

constexpr std::array<real, 7> kSnPa      = {1.0f, 2.0f, 3.0f, 4.0f, 5.0f, 6.0f, 7.0f};
constexpr std::array<real, 6> kQu        = {10415.0f, 20830.0f, 41660.0f, 62490.0f, 83320.0f,
                                            104150.0f};
constexpr std::array<real, 42> kAdhesion = {
    0.2f,  0.145f, 0.107f, 0.085f, 0.07f,  0.066f,
    0.34f, 0.235f, 0.16f,  0.14f,  0.118f, 0.1f,
    0.45f, 0.3f,   0.208f, 0.16f,  0.14f,  0.122f,
    0.5f,  0.36f,  0.245f, 0.185f, 0.155f, 0.14f,
    0.5f,  0.4f,   0.26f,  0.21f,  0.16f,  0.15f,
    0.5f,  0.44f,  0.275f, 0.22f,  0.168f, 0.153f,
    0.5f,  0.47f,  0.29f,  0.225f, 0.172f, 0.156f};

constexpr std::array<real, 8> kEmSn      = {400.0f, 500.0f, 600.0f, 1000.0f, 1500.0f, 2000.0f,
                                            3000.0f, 4000.0f};
constexpr std::array<real, 6> kQuPa      = {5.0f, 14.0f, 24.0f, 28.0f, 36.0f, 48.0f};
constexpr std::array<real, 48> kShear    = {
    0.5f,   0.5f,   0.472f, 0.458f, 0.43f, 0.4f,
    0.5f,   0.48f,  0.42f,  0.4f,   0.36f, 0.3f,
    0.5f,   0.45f,  0.375f, 0.345f, 0.29f, 0.21f,
    0.46f,  0.38f,  0.29f,  0.26f,  0.18f, 0.08f,
    0.42f,  0.35f,  0.255f, 0.22f,  0.15f, 0.05f,
    0.405f, 0.375f, 0.145f, 0.11f,  0.04f, 0.018f,
    0.4f,   0.24f,  0.075f, 0.0f,   0.0f,  0.0f,
    0.4f,   0.22f,  0.0f,   0.0f,   0.0f,  0.0f};
// clang-format on

}  // namespace

real modulusRatioClosed(real RQD) { return chart1(kRqd, kClosed, RQD); }
real modulusRatioOpen(real RQD) { return chart1(kRqd, kOpen, RQD); }
real jointFactor(real EMEI) { return chart1(kEmEi, kJoint, EMEI); }
real normalStressFactor(real SLUMP, real ZC) { return chart2(kZc, kSlump, kNormal, ZC, SLUMP); }
real adhesionFactor(real SNPA, real QU) { return chart2(kSnPa, kQu, kAdhesion, SNPA, QU); }
real shearRatio(real EMSN, real QUPA) { return chart2(kEmSn, kQuPa, kShear, EMSN, QUPA); }

}  // namespace korven::settlement
