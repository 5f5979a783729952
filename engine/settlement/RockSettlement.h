// Load-settlement curves of shafts whose tip stands in rock: strong rock, decomposed rock or
// gravel, and weak rock.
#pragma once

#include <string_view>

#include "settlement/SettlementInput.h"

namespace korven::settlement {

/// How a rock method ended: `problem` names input it could not use (the set is then not
/// filled); `bounded` tells that an iteration stopped at its bound.
struct RockOutcome {
    std::string_view problem;
    bool bounded = false;
};

/// Rock mass modulus over intact modulus for an average RQD (per cent).
real massModulusRatio(real RQD);

/// Influence factor of a rock socket for its slenderness L/D and the ratio Ec/Em.
real influenceFactor(real LD, real ECEM);

/// Strong rock (codes 4 and 7): the socket through its influence factor, the soil above it
/// through the normalised side curves. Fills `trend` (the result) and `upper` (its second pass)
/// in the units of the report.
RockOutcome strongRock(const SettlementInput& in, run::SettlementSet& trend,
                       run::SettlementSet& upper);

/// Decomposed rock or gravel (code 5): the closed-form elastic pile-head solution of the socket.
RockOutcome decomposedRock(const SettlementInput& in, run::SettlementSet& trend);

/// Weak rock (code 6): the weak-rock socket model evaluated at fifteen assumed settlements.
RockOutcome weakRock(const SettlementInput& in, run::SettlementSet& trend);

}  // namespace korven::settlement
