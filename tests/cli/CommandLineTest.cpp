// Command lines of korven and what they answer: exit status, output, and errors as one line on
// standard error.
#include <gtest/gtest.h>

#include "cli/CliRun.h"

using namespace korven::test;

TEST(CommandLine, StatusAndAnswers) {
    ScratchDir dir("korven-cmd");
    fs::copy_file(fs::path(KORVEN_SOURCE_DIR) / "examples/bridge-clay-design-load.kvd",
                  dir.path() / "b.kvd");
    const struct {
        const char* args;
        int status;
        const char* out;  ///< in standard output
        const char* err;  ///< the one line of standard error, from its start; "" for none
    } cases[] = {
        {"--version", 0, "korven 2012.7.2\n", ""},
        {"--help", 0, "  export    write a project's results as JSON or CSV\n", ""},
        {"--help", 0, "  sweep     run a project over lists of parameter values\n", ""},
        {"run --help", 0, "  -j N      run at most N projects", ""},
        {"export --help", 0, "  --no-run        refuse, instead of running", ""},
        {"sweep --help", 0, "  bottom-exclusion  bottom length without side resistance", ""},
        {"", 2, "", "korven: no project given"},
        {"--quiet", 2, "", "korven: no command given (see korven --help)"},
        {"--quiet run", 2, "", "korven: no project given (usage: korven run PROJECT.kvd)"},
        {"--no-run export b.kvd", 1, "", "korven: b.kvd: the results are missing or older"},
        {"draw b.kvd", 2, "", "korven: unknown command 'draw' (see korven --help)"},
        {"--help", 0, "  plot      draw a project's graphs as PNG, PDF or SVG files\n", ""},
        {"plot --help", 0, "  --load-test FILE   a measured load test", ""},
        {"plot b.kvd", 2, "", "korven: no output folder given (--out DIR)"},
        {"run -j x a.kvd b.kvd", 2, "", "korven: -j needs a number of runs from 1 to 1024"},
        {"export", 2, "", "korven: no project given (usage: korven export PROJECT.kvd)"},
        {"export none.kvd", 2, "", "korven: project file not found: none.kvd"},
        {"export b.kvd --format xml", 2, "", "korven: unknown format 'xml': json or csv"},
        {"export b.kvd --out", 2, "", "korven: --out needs a value"},
        {"export b.kvd --no-run", 1, "",
         "korven: b.kvd: the results are missing or older than the project (--no-run)"},
        {"sweep b.kvd", 2, "", "korven: a project and at least one --set are needed"},
        {"sweep b.kvd --set depth=1,2", 2, "", "korven: --set depth=1,2: no such parameter"},
        {"sweep b.kvd --set load=1:2", 2, "", "korven: --set load=1:2: '1:2' is not start:stop"},
        {"sweep b.kvd --set load=1,x", 2, "", "korven: --set load=1,x: 'x' in '1,x' is not a"},
        {"sweep b.kvd --set load=1 --set load=2", 2, "", "korven: --set load=2: load is set twice"},
        {"sweep b.kvd --set load=300 --set length=40", 2, "",
         "korven: length and load exclude each other"},
        {"sweep b.kvd --set load=1:1e4:1", 2, "",
         "korven: --set load=1:1e4:1: '1:1e4:1' holds more than 1000 values"},
        {"sweep b.kvd --set modulus=1:1000:1 --set load=1:11:1", 2, "",
         "korven: the lists make more than 10000 projects"},
        {"sweep none.kvd --set load=1", 2, "", "korven: project file not found: none.kvd"},
    };
    for (const auto& c : cases) {
        const auto r = runKorven(c.args, dir.path());
        EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.out << r.err;
        EXPECT_NE(r.out.find(c.out), std::string::npos) << c.args << "\n" << r.out;
        if (*c.err) {
            EXPECT_TRUE(r.err.starts_with(c.err)) << c.args << "\n" << r.err;
            EXPECT_EQ(lines(r.err).size(), 1u) << c.args << "\n" << r.err;
        } else {
            EXPECT_EQ(r.err, "") << c.args;
        }
    }
    EXPECT_FALSE(fs::exists(dir.path() / "b.kvo"));  // nothing above ran an analysis
}

TEST(CommandLine, ProgressOnATerminalOnly) {
    if (std::system("command -v script >/dev/null 2>&1") != 0) GTEST_SKIP() << "no script(1)";
    ScratchDir dir("korven-cmd");
    for (const char* p : {"a.kvd", "b.kvd"})
        fs::copy_file(fs::path(KORVEN_SOURCE_DIR) / "examples/bridge-clay-design-load.kvd",
                      dir.path() / p);
    // script(1) gives the program a terminal; its standard output goes elsewhere
    const std::string korven = std::string(KORVEN_BIN_DIR) + "/korven";
    auto onTerminal          = [&](const std::string& args) {
        const std::string cmd = "cd '" + dir.path().string() + "' && script -qec '" + korven + " "
                                + args + " >/dev/null' /dev/null </dev/null";
        std::string out;
        FILE* p = popen(cmd.c_str(), "r");
        char buf[512];
        while (p && fgets(buf, sizeof buf, p)) out += buf;
        if (p) pclose(p);
        return out;
    };
    const std::string run = onTerminal("run a.kvd b.kvd -j 1");
    EXPECT_NE(run.find("[1/2] a.kvd: done"), std::string::npos) << run;
    EXPECT_NE(run.find("[2/2] b.kvd: done"), std::string::npos) << run;
    const std::string sweep = onTerminal("sweep a.kvd --set load=300,320 --out s");
    EXPECT_NE(sweep.find("\r[##############################] 2/2"), std::string::npos) << sweep;
}
