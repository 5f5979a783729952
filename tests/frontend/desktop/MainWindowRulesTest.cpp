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

TEST(MainRules, GraphWindowsAreNamedByTheirGraph) {
    struct Case {
        const char *caption, *menu, *diameter, *name;
    };
    const Case cases[] = {
        {"Skin Ultimate Friction vs Depth", "Ultimate &Skin Friction vs Depth", "",
         "Skin Ultimate Friction vs Depth"},
        {"", "Axial Load vs Settlement (upper bound)", "",
         "Axial Load vs Settlement (upper bound)"},
        {"", "ASD/LRFD Tip Resistance vs Depth ", "", "ASD/LRFD Tip Resistance vs Depth"},
        {"Axial Capacity vs Depth (Ultimate)", "C&ombined Plots vs Depth (ultimate)", "Dia=2 ft",
         "Axial Capacity vs Depth (Ultimate), Dia=2 ft"},
        {"", "Loads && Settlement", "", "Loads & Settlement"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GraphWindowName(c.caption, c.menu, c.diameter).toStdString(), c.name) << c.menu;
    int single = 0;
    for (int i = 0; i < 12; ++i) single += GraphShowsOneDiameter(i) ? 1 : 0;
    EXPECT_EQ(single, 3);
    EXPECT_TRUE(GraphShowsOneDiameter(6) && GraphShowsOneDiameter(7) && GraphShowsOneDiameter(11));
}

TEST(MainRules, NewWindowsCascadeAndStartOverAtTheEdge) {
    const QSize area(1000, 600), window(400, 300);
    EXPECT_EQ(CascadePosition(0, area, window, 30), QPoint(0, 0));
    EXPECT_EQ(CascadePosition(2, area, window, 30), QPoint(60, 60));
    // 300 pixels of height to spare: steps 0 to 10 fit, the next starts at the top left again
    EXPECT_EQ(CascadePosition(10, area, window, 30), QPoint(300, 300));
    EXPECT_EQ(CascadePosition(11, area, window, 30), QPoint(0, 0));
    EXPECT_EQ(CascadePosition(3, QSize(300, 200), window, 30), QPoint(0, 0));  // no room at all
}

TEST(MainRules, TextFilesGoToTheEditorTheOpenerOrTheViewer) {
    EXPECT_EQ(ChooseTextOpener("/usr/bin/gedit", true), TTextOpener::Editor);
    EXPECT_EQ(ChooseTextOpener("/usr/bin/gedit", false), TTextOpener::Editor);  // its own message
    EXPECT_EQ(ChooseTextOpener("", true), TTextOpener::SystemOpener);
    EXPECT_EQ(ChooseTextOpener("xdg-open", true), TTextOpener::SystemOpener);
    EXPECT_EQ(ChooseTextOpener(" ", false), TTextOpener::Viewer);
    EXPECT_EQ(ChooseTextOpener("xdg-open", false), TTextOpener::Viewer);
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
