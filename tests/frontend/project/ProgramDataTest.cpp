// The project: defaults, the project file written and read back in both unit systems, its exact
// layout, the change of unit system, reading older and damaged files, and safe saving.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <cmath>
#include <cstdlib>

#include "ProjectFixture.h"
#include "entry/Units.h"

using namespace korven;
using namespace korven::test;

namespace {

// The cell of layer `layer` (0-based), parameter-table column `c`, row `row`.
TData param(TProgramData& p, int layer, int c, int row) {
    return p.Tables().SoilLayers().Cell(kSoilData, layer).SubTable()->Cell(c, row);
}

// A small project file with the header lines given and one sand layer.
std::string smallFile(const std::string& line3, const std::string& sandLines) {
    return "Old file\r\n1 \r\n" + line3 + "\r\n3 0 0 0 0 0 3600000\r\n1 10 1 2.5 3\r\n1 40 \r\n"
           + sandLines;
}

// Lines with their ends ("\r\n" kept visible), so that a difference shows where it is.
std::vector<std::string> visibleLines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end   = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? end : end + 1 - start);
        for (auto p = line.find('\r'); p != std::string::npos; p = line.find('\r', p + 2))
            line.replace(p, 1, "\\r");
        for (auto p = line.find('\n'); p != std::string::npos; p = line.find('\n', p + 2))
            line.replace(p, 1, "\\n");
        out.push_back(line);
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return out;
}

}  // namespace

TEST(ProgramData, NewProject) {
    TProgramData p;
    p.Units = 2;
    p.Create();
    EXPECT_EQ(p.Units, 1);
    EXPECT_EQ(p.FileName, "NewKorven.kvd");
    EXPECT_EQ(p.Title, "New Pile");
    EXPECT_EQ(p.DesignMethod, 2);
    EXPECT_EQ(p.DesignControl, 2);
    EXPECT_EQ(p.LoadType, 1);
    EXPECT_EQ(p.SafetyFactorSide, 2.5L);
    EXPECT_EQ(p.SafetyFactorBase, 3.0L);
    EXPECT_EQ(p.PrintIncrement, 1.0L);
    EXPECT_EQ(p.Tables().SoilLayers().RowCount(), 1);
    EXPECT_EQ(p.Tables().SoilLayers().Cell(kSoilData, 0).Text(), "1: Sand Layer Data");
    EXPECT_FALSE(p.Tables().SoilLayers().Column(kLrfdSide).Displayed);
    EXPECT_FALSE(p.IsModified());
}

TEST(ProgramData, SavedProjectReadsBackInBothUnitSystems) {
    ScratchDir dir("korven-project");
    for (int units : {kEnglish, kSI}) {
        TProgramData a;
        fillProject(a);
        a.SetUnits(units);
        a.FileName = dir.file("profile" + std::to_string(units) + ".kvd");
        ASSERT_TRUE(a.SaveToFile()) << units;
        EXPECT_FALSE(a.IsModified());
        EXPECT_EQ(a.DesignControl, 2);
        EXPECT_EQ(a.DesignLoad, 0);
        EXPECT_EQ(a.SettlementAvailable, 0);  // rock layers

        TProgramData b;
        const TFileResult r = b.LoadFromFile(a.FileName);
        ASSERT_TRUE(r) << r.Message;
        EXPECT_EQ(snapshot(b), snapshot(a)) << units;
        EXPECT_EQ(b.FileName, a.FileName);
        EXPECT_FALSE(b.IsModified());
        EXPECT_TRUE(b.Tables().SoilLayers().Column(kLrfdSide).Displayed);
        // what was read is written again unchanged
        b.FileName = dir.file("again.kvd");
        ASSERT_TRUE(b.SaveToFile());
        EXPECT_EQ(readText(b.FileName), readText(a.FileName));
    }
}

TEST(ProgramData, ExampleProjectsReadAndSaveTheirValues) {
    ScratchDir dir("korven-project");
    int examples = 0;
    for (const auto& e : fs::directory_iterator(fs::path(KORVEN_SOURCE_DIR) / "examples")) {
        if (e.path().extension() != ".kvd") continue;
        ++examples;
        TProgramData a, b;
        const TFileResult r = a.LoadFromFile(e.path().string());
        ASSERT_TRUE(r) << e.path() << ": " << r.Message;
        a.FileName = dir.file("copy.kvd");
        ASSERT_TRUE(a.SaveToFile());
        ASSERT_TRUE(b.LoadFromFile(a.FileName));
        EXPECT_EQ(snapshot(b), snapshot(a)) << e.path();
    }
    EXPECT_GE(examples, 3);
}

TEST(ProgramData, GoldenLayout) {
    ScratchDir dir("korven-project");
    TProgramData p;
    fillProject(p);
    p.FileName = dir.file("AllSoilTypes.kvd");
    ASSERT_TRUE(p.SaveToFile());
    const std::string golden =
        readText(fs::path(KORVEN_SOURCE_DIR) / "tests/frontend/data/AllSoilTypes.kvd");
    ASSERT_FALSE(golden.empty());
    const auto written = visibleLines(readText(p.FileName)), expected = visibleLines(golden);
    for (std::size_t i = 0; i < std::max(written.size(), expected.size()); ++i) {
        const std::string w = i < written.size() ? written[i] : "<none>";
        const std::string e = i < expected.size() ? expected[i] : "<none>";
        EXPECT_EQ(w, e) << "line " << i + 1;
    }
}

TEST(ProgramData, UnitSwitchConvertsAndRestoresEveryValue) {
    TProgramData p;
    fillProject(p);
    const auto english = snapshot(p);

    p.SetUnits(kSI);
    EXPECT_EQ(p.Units, kSI);
    EXPECT_EQ(FormatGeneral(p.MinDiameter, 8), "0.9144");
    EXPECT_NEAR(p.ShaftModulus, 27579032, 5);
    EXPECT_EQ(p.PrintIncrement, 2.5L);
    EXPECT_EQ(p.UpliftReductionFactor, 0.75L);
    EXPECT_EQ(p.SafetyFactorSide, 2.5L);
    EXPECT_NEAR(p.DesignLoad, 250 / 0.1124044745L, 1e-9L);
    EXPECT_NEAR(param(p, 7, 0, 0).AsFloat(), 125 * 18.85L / 120, 0.001L);
    EXPECT_NEAR(param(p, 0, 0, 0).AsFloat() * 120 / 115, 18.85L, 0.005L);
    EXPECT_EQ(param(p, 0, 1, 0).AsFloat(), 32);  // friction angle
    EXPECT_EQ(p.Tables().SoilLayers().Cell(kLrfdSide, 0).AsFloat(), 0.55L);

    const auto si = snapshot(p);
    p.SetUnits(kSI);  // the current system again changes nothing
    EXPECT_EQ(snapshot(p), si);
    p.SetUnits(7);  // clamped
    EXPECT_EQ(p.Units, kSI);

    p.SetUnits(kEnglish);
    EXPECT_EQ(snapshot(p), english);
    EXPECT_EQ(FormatGeneral(p.MinDiameter, 8), "3");
}

TEST(ProgramData, WritingRules) {
    ScratchDir dir("korven-project");
    TProgramData p;
    p.FileName    = dir.file("rules.kvd");
    TGridTable& D = p.Tables().SoilLayers();
    D.SetRowCount(2);
    D.Cell(kSoilType, 1).SetInteger(2);
    // Ko at the top only: the sand is saved with option 2 and its beta values
    param(p, 0, 3, 0).SetFloat(0.4L);
    param(p, 0, 4, 0).SetFloat(0.3L);
    param(p, 0, 4, 1).SetFloat(0.25L);
    p.Title        = "Two\r\nlines";
    p.DesignLoad   = 150;
    p.DesignLength = 0;
    ASSERT_TRUE(p.SaveToFile());
    EXPECT_EQ(p.DesignControl, 1);
    EXPECT_EQ(p.SettlementAvailable, 1);  // no rock layer
    const std::string text = readText(p.FileName);
    EXPECT_EQ(text,
              "Two  lines\r\n"
              "1 \r\n"
              "1 1 1 1 1 2\r\n"
              "0 0 0 0 0 0 0\r\n"
              "2 0 150 2.5 3\r\n"
              "1 0 \r\n"
              "0.0 0 0 0.0 0 0 0 1 1 \r\n"
              "0.0 0 0 0.0 0 0 0 1 1 \r\n"
              "2 \r\n"
              "0.3 0.25\r\n"
              "2 0 \r\n"
              "0 0 0.0 0 0 0 0 1 1 \r\n"
              "0 0 0.0 0 0 0 0 1 1 \r\n"
              "0 0\r\n");

    p.DesignLength = 45;
    ASSERT_TRUE(p.SaveToFile());
    EXPECT_EQ(p.DesignControl, 2);
    EXPECT_EQ(p.DesignLoad, 0);
    EXPECT_NE(readText(p.FileName).find("\r\n2 1 1 1 1 2\r\n"), std::string::npos);
    EXPECT_NE(readText(p.FileName).find("\r\n2 0 45 2.5 3\r\n"), std::string::npos);
}

TEST(ProgramData, OlderLinesAndFormats) {
    ScratchDir dir("korven-project");
    const std::string path = dir.file("old.kvd");
    // line 3 of four words, sand lines of seven words
    writeText(path,
              smallFile("1 1 1 2",
                        "0.0 110 30 0.0 10 0 0 \r\n0.0 112 31 0.0 12 0 0 \r\n1 \r\n0.4 0.45\r\n"));
    TProgramData p;
    p.DesignMethod = 1;
    ASSERT_TRUE(p.LoadFromFile(path));
    EXPECT_EQ(p.TipReductionSwitch, 1);
    EXPECT_EQ(p.DesignMethod, 2);  // the default
    EXPECT_EQ(p.PrintIncrement, 2);
    EXPECT_EQ(p.DesignControl, 1);
    EXPECT_EQ(p.DesignLoad, 1);
    EXPECT_EQ(p.DesignLength, 0);
    EXPECT_EQ(p.CurrentFormat, 1);
    EXPECT_EQ(param(p, 0, 0, 1).AsFloat(), 112);
    EXPECT_EQ(param(p, 0, 2, 1).AsInteger(), 12);
    EXPECT_EQ(param(p, 0, 3, 1).AsFloat(), 0.45L);
    EXPECT_EQ(p.Tables().SoilLayers().Cell(kLrfdEnd, 0).AsFloat(), 1.0L);

    // the older format has no print increment, tip switch or design method on line 3
    writeText(path,
              smallFile("2 1 1",
                        "0.0 110 30 0.0 10 0 0 \r\n0.0 112 31 0.0 12 0 0 \r\n2 \r\n0.4 0.45\r\n"));
    ASSERT_TRUE(p.LoadFromFile(path, false));
    EXPECT_EQ(p.CurrentFormat, 0);
    EXPECT_EQ(p.PrintIncrement, 1);
    EXPECT_EQ(p.DesignLength, 1);
    EXPECT_EQ(param(p, 0, 4, 1).AsFloat(), 0.45L);  // option 2: beta
}

TEST(ProgramData, ReadingErrorsKeepWhatWasRead) {
    ScratchDir dir("korven-project");
    const std::string path = dir.file("bad.kvd");
    struct Case {
        std::string text;
        std::string message;
    };
    const std::string sand =
        "0.0 110 30 0.0 10 0 0 1 1 \r\n0.0 112 31 0.0 12 0 0 1 1 \r\n1 \r\n0.4 0.45\r\n";
    const Case cases[] = {
        {"T\r\n1 \r\n1 1 1 2 1 2\r\n3 0 0 0 0 x 3600000\r\n",
         "Error on Line 4 Item 6\rA floating point number was expected but not found."},
        {"T\r\n1 \r\n1 1 1 2 1 2\r\n3 0 0 0 0 0 3600000\r\n1.5 10 1 2.5 3\r\n",
         "Error on Line 5 Item 1\rAn integer was expected but not found."},
        {"T\r\n1 \r\n1 1 1 2 1 2\r\n3 0 0 0 0 0 3600000\r\n21 10 1 2.5 3\r\n",
         "Error on Line 5 Item 1\rA value from 1 to 20 was expected but not found."},
        {"T\r\n3 \r\n", "Error on Line 2 Item 1\rA value from 1 to 2 was expected but not found."},
        {"T\r\n1 \r\n1 1 1 2 1 2\r\n3 0 0 0 0 0 3600000\r\n1 10 1 2.5 3\r\n12 40 \r\n",
         "Error on Line 6 Item 1\rA value from 1 to 9 was expected but not found."},
        {"T\r\n1 \r\n1 1 1 2 1 2\r\n3 0 0 0 0 0 3600000\r\n1 10 1 2.5 3\r\n1 40 \r\n"
             + sand.substr(0, 40),
         "This file either invalid or incomplete."},
        {"T\r\n1 \r\n1 1 1 2 1 2\r\n3 0 0 0 0 0 3600000\r\n1 10 1 2.5 3\r\n6 40 \r\n"
         "1 7 6 30 3 5 50 0 0 1 1 \r\n",
         "Error on Line 7 Item 2\rA value from 1 to 4 was expected but not found."},
    };
    for (const auto& c : cases) {
        writeText(path, c.text);
        TProgramData p;
        const TFileResult r = p.LoadFromFile(path);
        EXPECT_FALSE(r);
        EXPECT_EQ(r.Message, c.message);
        EXPECT_EQ(p.Title, "T");
        EXPECT_EQ(p.FileName, path);
        EXPECT_GE(p.Tables().SoilLayers().RowCount(), 1);
        EXPECT_FALSE(p.IsModified());
    }
    // the values before the damaged word stay
    writeText(path, cases[0].text);
    TProgramData p;
    p.LoadFromFile(path);
    EXPECT_EQ(p.MinDiameter, 3);
    EXPECT_EQ(p.DesignMethod, 2);
    EXPECT_EQ(p.PrintIncrement, 2);

    const TFileResult missing = p.LoadFromFile(dir.file("none.kvd"));
    EXPECT_FALSE(missing);
    EXPECT_NE(missing.Message.find("none.kvd"), std::string::npos);
}

TEST(ProgramData, FailedSaveKeepsTheOldFile) {
    ScratchDir dir("korven-project");
    TProgramData p;
    fillProject(p);
    p.FileName = dir.file("keep.kvd");
    ASSERT_TRUE(p.SaveToFile());
    const std::string before = readText(p.FileName);

    // the file system refuses the new file part way (a full disk, a quota)
    signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small   = old;
    small.rlim_cur = 200;
    setrlimit(RLIMIT_FSIZE, &small);
    p.Title             = "Changed";
    const TFileResult r = p.SaveToFile();
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_FALSE(r);
    EXPECT_NE(r.Message.find("keep.kvd"), std::string::npos) << r.Message;
    EXPECT_EQ(readText(p.FileName), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);

    p.FileName = dir.file("no/such/folder/x.kvd");
    EXPECT_FALSE(p.SaveToFile());
    p.ShaftModulus = std::nanl("");
    p.FileName     = dir.file("keep.kvd");
    EXPECT_FALSE(p.SaveToFile());
    EXPECT_EQ(readText(p.FileName), before);
}

TEST(ProgramData, EngineReadsTheSavedFile) {
    ScratchDir dir("korven-project");
    for (int units : {kEnglish, kSI}) {
        TProgramData p;
        fillProject(p);
        p.SetUnits(units);
        p.FileName = dir.file("run" + std::to_string(units) + ".kvd");
        ASSERT_TRUE(p.SaveToFile());
        const std::string cmd =
            std::string(KORVEN_BIN_DIR) + "/korven run --quiet '" + p.FileName + "' >/dev/null";
        EXPECT_EQ(std::system(cmd.c_str()), 0) << cmd;
    }
}
