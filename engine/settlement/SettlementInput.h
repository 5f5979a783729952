// What the design loop hands to the load-settlement methods once a diameter's length is fixed.
#pragma once

#include "run/RunContext.h"

namespace korven::settlement {

using run::real;

/// One layer of the profile as the design loop saw it (internal English units).
struct SettlementLayer {
    int code  = 0;       ///< soil code 1..9
    real TOP  = 0.0f;    ///< depth of the layer top, ft
    real BOT  = 0.0f;    ///< depth of the layer bottom, ft
    real FTOP = 0.0f;    ///< unit side resistance at the first step in the layer, tsf
    real FBOT = 0.0f;    ///< unit side resistance at the last step in the layer, tsf
    real QTOP = 0.0f;    ///< unit tip resistance at the first step in the layer, tsf
    real QBOT = 0.0f;    ///< unit tip resistance at the last step in the layer, tsf
    real ZREC = 0.0f;    ///< depth recorded for the final length: the layer bottom, or the final
                         ///< length for the tip layer, ft
    real QSREC = 0.0f;   ///< side resistance QS accumulated down to ZREC, tons
    run::TopBottom RQD;  ///< rock quality designation, per cent (rock layers)
    run::TopBottom EL;   ///< elastic modulus of intact rock, tsf (rock layers)
    real BDS = 0.0f;     ///< socket diameter at the layer top, ft (rock layers)
};

/// The closed-form socket of decomposed rock/gravel evaluated for the tip layer at the design
/// depth (the capacity analysis computes it).
struct DecomposedSocket {
    bool available = false;  ///< false when the socket model could not be formed
    real Ds        = 0.0f;   ///< socket diameter, ft
    real Em    = 0.0f;  ///< modulus Em, psf (whether given for the layer or from the blow count)
    real OMEGA = 0.0f;  ///< pile-head flexibility factor
    real MUL   = 0.0f;  ///< mu L of the elastic solution
    real SIGMA = 0.0f;  ///< reference effective stress, psf
    real OCR   = 0.0f;  ///< overconsolidation ratio
};

/// The weak-rock socket model at the design depth (the capacity analysis computes it); the
/// settlement method re-evaluates its side and base terms at each assumed settlement.
struct WeakRockTip {
    bool available = false;  ///< false when the socket model could not be formed
    real Ds        = 0.0f;   ///< socket diameter, ft
    real LS        = 0.0f;   ///< socket length, ft
    real LF        = 0.0f;   ///< free length above the socket (the socket top depth), ft
    real FAR       = 0.0f;   ///< reduced interface shear fa', psf
    real W         = 0.0f;   ///< shear ratio
    real Em        = 0.0f;   ///< rock mass modulus, tsf
    real T         = 0.0f;   ///< settlement factor T
    real G         = 0.0f;   ///< settlement factor G
    real QU        = 0.0f;   ///< uniaxial compressive strength of the rock, psf
    real QS1       = 0.0f;   ///< side resistance above the first weak-rock step, tons
};

/// Everything the load-settlement methods of one diameter read.
struct SettlementInput {
    int units   = 1;     ///< 1 English, 2 SI
    real D      = 0.0f;  ///< stem diameter, ft
    real Db     = 0.0f;  ///< base diameter, ft (the stem diameter for a straight shaft)
    real DSTART = 0.0f;  ///< starting stem diameter of the run, ft
    real EcIn   = 0.0f;  ///< shaft modulus as entered, psi (English) or kN/m2 (SI)
    real Ec     = 0.0f;  ///< shaft modulus, tsf
    real L      = 0.0f;  ///< shaft length chosen by the design control, ft
    real LB     = 0.0f;  ///< bottom length without side resistance (BS + bell height), ft
    real QB     = 0.0f;  ///< ultimate base resistance at the chosen length, tons
    real QS     = 0.0f;  ///< ultimate side resistance at the chosen length, tons

    int NLAY = 0;                         ///< layers of the profile, lay(1) the topmost
    run::Array<SettlementLayer, 29> lay;  ///< the profile's layers (not the surface entry)
    int TIP = 0;                          ///< index in lay of the layer holding the tip

    int NSEG = 0;                ///< rows of the capacity table (the segment count)
    run::Array<real, 500> ZROW;  ///< length of each row, in
    run::Array<real, 500> FROW;  ///< unit side resistance at each row's length, psi

    DecomposedSocket decomposed;  ///< tip in decomposed rock/gravel
    WeakRockTip weak;             ///< tip in weak rock
};

}  // namespace korven::settlement
