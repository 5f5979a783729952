// Sweep lists and the reading of a load-settlement line.
#include <gtest/gtest.h>

#include "Sweep.h"

using korven::cli::movementAt;
using korven::cli::parseSweepList;

TEST(SweepList, ListsAndRanges) {
    const struct {
        const char* text;
        std::vector<double> values;
    } cases[] = {
        {"40,60", {40, 60}},
        {"3:5:0.5", {3, 3.5, 4, 4.5, 5}},
        {"0.1:0.5:0.1", {0.1, 0.2, 0.3, 0.4, 0.5}},  // stop reached despite 0.1 + 0.1 + ...
        {"1:2:0.3", {1, 1.3, 1.6, 1.9}},
        {"2:2:1", {2}},
        {"-1,+2.5,1e3", {-1, 2.5, 1000}},
    };
    for (const auto& c : cases) {
        std::string error;
        const auto v = parseSweepList(c.text, error);
        ASSERT_TRUE(v) << c.text << ": " << error;
        EXPECT_EQ(*v, c.values) << c.text;
    }
}

TEST(SweepList, RefusedLists) {
    for (const char* text : {"", "3,", "a,b", "1:2", "1:2:0", "1:2:-1", "2:1:1", "1:2:3:4",
                             "0:1e9:1", "1,2;3", "nan,1", "inf"}) {
        std::string error;
        EXPECT_FALSE(parseSweepList(text, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}

TEST(SweepList, MovementAlongALine) {
    const std::vector<std::pair<double, double>> line = {{10, 0.1}, {20, 0.3}, {40, 1.0}};
    EXPECT_DOUBLE_EQ(*movementAt(line, 5), 0.05);  // from the origin to the first row
    EXPECT_DOUBLE_EQ(*movementAt(line, 15), 0.2);
    EXPECT_DOUBLE_EQ(*movementAt(line, 40), 1.0);
    EXPECT_FALSE(movementAt(line, 40.5));
    EXPECT_FALSE(movementAt({}, 1));
}
