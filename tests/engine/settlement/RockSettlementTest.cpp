// Rock settlement methods.
#include "settlement/RockSettlement.h"

#include <gtest/gtest.h>

namespace korven::settlement {
namespace {
}  // namespace
}  // namespace korven::settlement
