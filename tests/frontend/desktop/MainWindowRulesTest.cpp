// The main window's decisions that need no window: which extension a save dialog gives, which
// names a picture may take, when a graph may be opened, and when a run cannot start.
#include <gtest/gtest.h>

#include "project/MainRules.h"
#include "project/ProgramData.h"

namespace korven {
namespace {

TEST(MainRules, FilterSuffixAndTheDialogsDefault) {
    struct Case {
        const char* filter;
        const char* suffix;
    };
    const Case cases[] = {
        {"Bitmap (*.bmp)", "bmp"},       {"PNG image (*.png)", "png"},
        {"PDF document (*.pdf)", "pdf"}, {"KORVEN 6.0(*.kvd)", "kvd"},
        {"All File(*.*)", ""},           {"All Files (*)", ""},
        {"Programs (*.exe *.com)", ""},  {"no pattern", ""},
        {"Programs (*.exe;*.com)", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FilterSuffix(c.filter).toStdString(), c.suffix) << c.filter;

    const QStringList pictures = {"Bitmap (*.bmp)", "PNG image (*.png)"};
    EXPECT_EQ(DefaultSuffix(pictures, pictures[0]).toStdString(), "bmp");
    EXPECT_EQ(DefaultSuffix(pictures, pictures[1]).toStdString(), "png");
    // a project typed under "All File" is still a project
    const QStringList projects = {"KORVEN 6.0(*.kvd)", "All File(*.*)"};
    EXPECT_EQ(DefaultSuffix(projects, projects[1]).toStdString(), "kvd");
}

TEST(MainRules, PictureNeverTakesAProjectsName) {
    struct Case {
        const char* chosen;
        const char* written;  ///< "" refused
    };
    const Case cases[] = {
        {"/jobs/skin-graph", "/jobs/skin-graph.bmp"},
        {"/jobs/skin-graph.png", "/jobs/skin-graph.png"},
        {"/jobs/bridge.kvd", ""},
        {"/jobs/BRIDGE.KVD", ""},
        {"/jobs/v1.kvd/skin", "/jobs/v1.kvd/skin.bmp"},  // a dotted folder is not the name
        {"/jobs/skin.kvd.bmp", "/jobs/skin.kvd.bmp"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PictureFileName(c.chosen, "bmp").toStdString(), c.written) << c.chosen;
}

TEST(MainRules, OneEnablingRuleForEveryGraph) {
    for (int i = 0; i < 12; ++i) {
        const bool bounds = i >= 9;  // upper, lower and combined settlement
        EXPECT_TRUE(GraphItemEnabled(i, true, true, true)) << i;
        EXPECT_EQ(GraphItemEnabled(i, true, true, false), !bounds) << i;
        EXPECT_FALSE(GraphItemEnabled(i, false, true, true)) << i;  // after New or a failed run
        EXPECT_FALSE(GraphItemEnabled(i, true, false, true)) << i;  // plot file deleted
    }
    EXPECT_FALSE(GraphItemEnabled(-1, true, true, true));
    EXPECT_FALSE(GraphItemEnabled(12, true, true, true));
}

TEST(ProgramData, RunNeedsAShaftDiameter) {
    TProgramData p;
    p.Create();
    EXPECT_NE(p.RunProblem().find("minimum shaft diameter"), std::string::npos);
    p.MinDiameter = 2;
    EXPECT_EQ(p.RunProblem(), "");
}

}  // namespace
}  // namespace korven
