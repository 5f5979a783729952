// The empirical charts of the weak-rock socket, held as tables and read by linear interpolation.
#pragma once

#include <span>

#include "run/RunContext.h"

namespace korven::settlement {

using run::real;

/// A curve through the points (x, y), x increasing: linear between points, the first value below
/// the first point and the last value above the last.
real chart1(std::span<const real> x, std::span<const real> y, real at);

/// A family of curves over the common arguments `x`, one per parameter value in `p` (increasing);
/// `y` holds the curves one after the other. The curve of the parameter interval [p(k), p(k+1))
/// is read at `at`; when it is not the last curve and the parameter exceeds p(1), the next curve is
/// read too and the two are interpolated linearly in the parameter. Below p(1) the first curve
/// stands alone, at or above the last parameter the last.
real chart2(std::span<const real> p, std::span<const real> x, std::span<const real> y, real param,
            real at);

/// Em/Ei of a rock mass with closed joints, from RQD (per cent).
real modulusRatioClosed(real RQD);
/// Em/Ei of a rock mass with open joints, from RQD (per cent).
real modulusRatioOpen(real RQD);
/// Reduction of the interface shear for the joints, from Em/Ei.
real jointFactor(real EMEI);
/// Normal stress of fluid concrete over its hydrostatic value, from the slump (in) and the depth of
/// the socket centre (ft).
real normalStressFactor(real SLUMP, real ZC);
/// Adhesion factor of a smooth socket, from sn / pa and qu (psf).
real adhesionFactor(real SNPA, real QU);
/// Shear ratio W of a smooth socket, from Em x 2000 / sn and qu / pa.
real shearRatio(real EMSN, real QUPA);

}  // namespace korven::settlement
