// Decisions of the graph windows and the elevation view that need no window.
#include <gtest/gtest.h>

#include "graphs/SideViewGeometry.h"

namespace korven {
namespace {

TEST(SideViewGeometry, DrawnLengthFallsBackToTheProfileOnly) {
    EXPECT_EQ(DrawnLength(30, 90), 30.0L);
    EXPECT_EQ(DrawnLength(0, 90), 90.0L);  // a design-load project: drawn to the last layer
    EXPECT_EQ(DrawnLength(0.00005L, 90), 90.0L);
}

}  // namespace
}  // namespace korven
