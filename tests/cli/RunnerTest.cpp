// korven run: the files it prepares and removes, its messages and exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct Result {
    int status = -1;
    std::string out;
};

Result korven(const std::string& args) {
    const std::string cmd = std::string(KORVEN_BIN_DIR) + "/korven " + args + " 2>&1";
    Result r;
    FILE* p = popen(cmd.c_str(), "r");
    char buf[512];
    while (p && fgets(buf, sizeof buf, p)) r.out += buf;
    const int st = p ? pclose(p) : -1;
    r.status     = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

class Runner : public testing::Test {
protected:
    fs::path dir;
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "korven-cli-XXXXXX").string();
        dir                 = mkdtemp(pattern.data());
    }
    void TearDown() override { fs::remove_all(dir); }
};

}  // namespace

TEST_F(Runner, RunsAnExampleAndCleansUp) {
    fs::copy_file(fs::path(KORVEN_SOURCE_DIR) / "examples/bridge-clay-design-load.kvd",
                  dir / "b.kvd");
    const fs::path before = fs::current_path();
    const auto r          = korven("run --quiet " + (dir / "b.kvd").string());
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("Report:        " + (dir / "b.kvo").string()), std::string::npos) << r.out;
    EXPECT_NE(r.out.find((dir / "b.kvr").string()), std::string::npos);
    EXPECT_TRUE(fs::exists(dir / "b.kvo"));
    EXPECT_FALSE(fs::exists(dir / "names.dat"));
    EXPECT_EQ(fs::current_path(), before);
    EXPECT_EQ(r.out.find("VERTICALLY LOADED DRILLED SHAFT ANALYSIS PROGRAM"), std::string::npos);
}

TEST_F(Runner, ShowsTheEngineConsoleUnlessQuiet) {
    fs::copy_file(fs::path(KORVEN_SOURCE_DIR) / "examples/bridge-clay-design-load.kvd",
                  dir / "b.kvd");
    const auto r = korven("run " + (dir / "b.kvd").string());
    EXPECT_NE(r.out.find(" VERTICALLY LOADED DRILLED SHAFT ANALYSIS PROGRAM KORVEN"),
              std::string::npos);
}

TEST_F(Runner, Failures) {
    std::ofstream(dir / "bad.kvd") << "title\n1 \nx\n";
    const struct {
        std::string args;
        int status;
        const char* says;
    } cases[] = {
        {"run " + (dir / "none.kvd").string(), 2, "project file not found"},
        {"", 2, "no project given"},
        {"run --bogus " + (dir / "bad.kvd").string(), 2, "unexpected argument '--bogus'"},
        {"run -j 0 a.kvd b.kvd", 2, "-j needs a number of runs from 1 to 1024, not '0'"},
        {"run a.kvd b.kvd -j", 2, "-j needs a number"},
        {"run " + (dir / "none.kvd").string() + " " + (dir / "bad.kvd").string(), 1,
         "none.kvd: project file not found"},
        {"run --quiet " + (dir / "bad.kvd").string(), 1, "the analysis stopped"},
    };
    for (const auto& c : cases) {
        const auto r = korven(c.args);
        EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.out;
        EXPECT_NE(r.out.find(c.says), std::string::npos) << c.args << "\n" << r.out;
    }
    EXPECT_FALSE(fs::exists(dir / "names.dat"));
}

TEST_F(Runner, EveryExampleRunsToACompleteReport) {
    int examples = 0;
    for (const auto& e : fs::directory_iterator(fs::path(KORVEN_SOURCE_DIR) / "examples")) {
        if (e.path().extension() != ".kvd") continue;
        ++examples;
        const fs::path project = dir / e.path().filename();
        fs::copy_file(e.path(), project);
        const auto r = korven("run --quiet " + project.string());
        EXPECT_EQ(r.status, 0) << project << "\n" << r.out;
        std::ifstream in(fs::path(project).replace_extension(".kvo"));
        std::stringstream report;
        report << in.rdbuf();
        for (const char* part : {"KORVEN for Windows", "SOIL INFORMATION",
                                 "DRILLED SHAFT INFORMATION", "PREDICTED RESULTS", "LENGTH  VOLUME",
                                 "THE MOST EFFICIENT SHAFT FOR THIS SOIL PROFILE"})
            EXPECT_NE(report.str().find(part), std::string::npos) << project << ": " << part;
    }
    EXPECT_GE(examples, 5);
}

TEST_F(Runner, DesignLoadNeverReachedFailsTheRun) {
    // the bridge pier with ten times its design load
    std::ifstream in(fs::path(KORVEN_SOURCE_DIR) / "examples/bridge-clay-design-load.kvd");
    std::stringstream text;
    text << in.rdbuf();
    std::string project = text.str();
    const auto at       = project.find("3 8 350 2 2.5");
    ASSERT_NE(at, std::string::npos);
    project.replace(at, 13, "3 8 3500 2 2.5");
    std::ofstream(dir / "heavy.kvd", std::ios::binary) << project;
    const auto r = korven("run --quiet " + (dir / "heavy.kvd").string());
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_NE(r.out.find("the analysis stopped"), std::string::npos) << r.out;
    for (const char* ext : {".kvo", ".kvr"}) {
        std::ifstream f(dir / (std::string("heavy") + ext));
        std::stringstream s;
        s << f.rdbuf();
        EXPECT_NE(s.str().find("   *********** NEED ANOTHER SOIL LAYER ************"),
                  std::string::npos)
            << ext;
    }
}

TEST(RunnerHelp, ListsTheCommandsAndDescribesEach) {
    const auto top = korven("--help");
    EXPECT_EQ(top.status, 0);
    EXPECT_NE(top.out.find("usage: korven COMMAND"), std::string::npos) << top.out;
    EXPECT_NE(top.out.find("  run "), std::string::npos) << top.out;
    const auto run = korven("run --help");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("korven run PROJECT.kvd"), std::string::npos) << run.out;
    const auto unknown = korven("frobnicate");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.out.find("korven: unknown command 'frobnicate'"), std::string::npos);
}
