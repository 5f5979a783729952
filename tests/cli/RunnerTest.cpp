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
        {"run a b", 2, "unexpected argument"},
        {"run --quiet " + (dir / "bad.kvd").string(), 1, "the analysis stopped"},
    };
    for (const auto& c : cases) {
        const auto r = korven(c.args);
        EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.out;
        EXPECT_NE(r.out.find(c.says), std::string::npos) << c.args << "\n" << r.out;
    }
    EXPECT_FALSE(fs::exists(dir / "names.dat"));
}

TEST(RunnerHelp, DescribesTheCommand) {
    const auto r = korven("--help");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("korven run PROJECT.kvd"), std::string::npos);
}
