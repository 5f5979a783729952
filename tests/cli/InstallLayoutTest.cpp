// An installed korven finds the engine in ../lib/korven when none sits beside it, and one beside
// it still wins (the build tree).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "common/TestFiles.h"

namespace fs = std::filesystem;
using korven::test::ScratchDir;

namespace {

struct Layout {
    const char* name;
    bool beside, installed;
    int status;            ///< exit status of korven run
    const char* expected;  ///< text its output must hold
};

int run(const fs::path& program, const fs::path& project, std::string& out) {
    const std::string cmd =
        "cd / && " + program.string() + " run --quiet " + project.string() + " 2>&1";
    FILE* p = popen(cmd.c_str(), "r");
    char buf[512];
    while (p && fgets(buf, sizeof buf, p)) out += buf;
    const int st = p ? pclose(p) : -1;
    return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
}

}  // namespace

TEST(InstallLayout, ProgramFindsTheEngineBesideItOrInLibKorven) {
    const Layout layouts[] = {
        {"installed", false, true, 0, "Report:"},
        {"build tree", true, false, 0, "Report:"},
        {"both (the one in lib/korven is damaged, so only the one beside can run)", true, true, 0,
         "Report:"},
        {"neither", false, false, 2, "bin/Korven2012_DLL.so"},
    };
    const fs::path built = KORVEN_BIN_DIR;
    for (const Layout& l : layouts) {
        SCOPED_TRACE(l.name);
        ScratchDir prefix("korven-prefix");
        fs::create_directories(prefix.path() / "bin");
        fs::create_directories(prefix.path() / "work");
        fs::copy_file(built / "korven", prefix.path() / "bin/korven");
        if (l.beside)
            fs::copy_file(built / "Korven2012_DLL.so", prefix.path() / "bin/Korven2012_DLL.so");
        if (l.installed) {
            fs::create_directories(prefix.path() / "lib/korven");
            const fs::path lib = prefix.path() / "lib/korven/Korven2012_DLL.so";
            if (l.beside)
                korven::test::writeText(lib, "not a library");
            else
                fs::copy_file(built / "Korven2012_DLL.so", lib);
        }
        const fs::path project = prefix.path() / "work/pier.kvd";
        fs::copy_file(fs::path(KORVEN_SOURCE_DIR) / "examples/bridge-clay-design-load.kvd",
                      project);
        std::string out;
        EXPECT_EQ(run(prefix.path() / "bin/korven", project, out), l.status) << out;
        EXPECT_NE(out.find(l.expected), std::string::npos) << out;
        EXPECT_EQ(fs::exists(prefix.path() / "work/pier.kvo"), l.status == 0);
    }
}
