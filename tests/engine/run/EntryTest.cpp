// The entry as the front end and the runner use it: names.dat, the files, the header, failures.
#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <sstream>

#include "../EngineHarness.h"
#include "run/RunControl.h"

using namespace korven::test;

namespace {

const fs::path kExamples = fs::path(KORVEN_SOURCE_DIR) / "examples";

}  // namespace

TEST(Entry, ExportsExactlyTheTwoEntryNames) {
    const std::string cmd =
        "nm -D --defined-only " + std::string(KORVEN_BIN_DIR) + "/Korven2012_DLL.so";
    FILE* p = popen(cmd.c_str(), "r");
    ASSERT_NE(p, nullptr);
    std::string out;
    char buf[256];
    while (fgets(buf, sizeof buf, p)) out += buf;
    pclose(p);
    std::vector<std::string> names;
    std::string addressOf[2];
    for (const auto& l : lines(out)) {
        std::istringstream w(l);
        std::string addr, kind, name;
        w >> addr >> kind >> name;
        names.push_back(name);
        if (name == "IKORVEN") addressOf[0] = addr;
        if (name == "_IKORVEN") addressOf[1] = addr;
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"IKORVEN", "_IKORVEN"})) << out;
    EXPECT_EQ(addressOf[0], addressOf[1]);
}

TEST(Entry, LibraryUnloadsCompletely) {
    const std::string path = std::string(KORVEN_BIN_DIR) + "/Korven2012_DLL.so";
    {
        EngineLibrary lib;
        ASSERT_TRUE(lib.loaded());
    }
    EXPECT_EQ(dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr);
}

TEST(Entry, ReportHeaderLineByLine) {
    ScratchDir dir;
    EngineLibrary lib;
    ASSERT_TRUE(lib.loaded());
    const auto out = runProjectText(lib, dir.path(),
                                    readText(kExamples / "bridge-clay-design-load.kvd"), "bridge");
    EXPECT_EQ(out.result, 0) << out.runtime;
    const auto l = lines(out.report);
    ASSERT_GE(l.size(), 21u);
    const std::string eq = "     " + std::string(73, '='), dash = "     " + std::string(73, '-');
    const std::string folder                = dir.path().string() + "/";
    const std::vector<std::string> expected = {
        eq,
        "",
        "                      KORVEN for Windows, Version 2012.7.2    ",
        "",
        "                    VERTICALLY LOADED DRILLED SHAFT ANALYSIS",
        "",
        eq,
        "",
        "     Path to file locations      : " + folder,
        "     Name of input data file     : bridge.kvd",
        "     Name of output file         : bridge.kvo",
        "     Name of plot output file    : bridge.kvp",
        "     Name of runtime file        : bridge.kvr",
        "",
        "",
        dash,
        "                          Time and Date of Analysis",
        dash,
        "",
    };
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(l[i], expected[i]) << "line " << i + 1;
    EXPECT_TRUE(std::regex_match(
        l[19],
        std::regex(R"(               Date:  [A-Z][a-z]+ \d\d, \d{4}     Time:  \d\d:\d\d:\d\d)")))
        << l[19];
    EXPECT_EQ(l[20], "");
}

TEST(Entry, DateBlockPadsDayAndTime) {
    korven::run::RunContext ctx;
    ctx.version = "2012.7.2    ";
    ASSERT_TRUE(ctx.report.open((fs::temp_directory_path() / "korven-header.txt").string()));
    korven::run::writeHeader(ctx, 2012, 3, 1, 9, 5, 3);
    ctx.report.close();
    const auto l = lines(readText(fs::temp_directory_path() / "korven-header.txt"));
    fs::remove(fs::temp_directory_path() / "korven-header.txt");
    ASSERT_GE(l.size(), 20u);
    EXPECT_EQ(l[19], "               Date:  March 01, 2012     Time:  09:05:03");
}

TEST(Entry, VersionIsCutOrPaddedToTwelve) {
    ScratchDir dir;
    EngineLibrary lib;
    writeText(dir.path() / "p.kvd", readText(kExamples / "bridge-clay-design-load.kvd"));
    const std::string base = (dir.path() / "p").string();
    writeText(dir.path() / "names.dat", "2012.7.2-LONG-VERSION\n" + base + ".kvd\n" + base
                                            + ".kvo\n" + base + ".kvp\n" + base + ".kvr\n");
    lib.call(dir.path());
    const auto l = lines(readText(dir.path() / "p.kvo"));
    ASSERT_GE(l.size(), 3u);
    EXPECT_EQ(l[2], "                      KORVEN for Windows, Version 2012.7.2-LON");
}

TEST(Entry, SecondCallInTheSameLibraryGivesIdenticalFiles) {
    ScratchDir dir;
    EngineLibrary lib;
    const std::string project = readText(kExamples / "layered-sand-clay-design-length.kvd");
    const auto first          = runProjectText(lib, dir.path(), project);
    const auto second         = runProjectText(lib, dir.path(), project);
    EXPECT_EQ(first.result, second.result);
    EXPECT_EQ(withoutDate(first.report), withoutDate(second.report));
    EXPECT_EQ(first.plot, second.plot);
    EXPECT_EQ(first.runtime, second.runtime);
}

TEST(Entry, MissingNamesDatWritesNothing) {
    ScratchDir dir;
    EngineLibrary lib;
    EXPECT_NE(lib.call(dir.path()), 0);
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(Entry, MissingProjectFileIsRefusedWithoutWriting) {
    ScratchDir dir;
    EngineLibrary lib;
    writeNames(dir.path(), "absent");
    EXPECT_NE(lib.call(dir.path()), 0);
    EXPECT_FALSE(fs::exists(dir.path() / "absent.kvo"));
    EXPECT_FALSE(fs::exists(dir.path() / "absent.kvr"));
}

TEST(Entry, ReportThatCannotBeCreatedIsRefused) {
    ScratchDir dir;
    EngineLibrary lib;
    writeText(dir.path() / "p.kvd", readText(kExamples / "bridge-clay-design-load.kvd"));
    const std::string base = (dir.path() / "p").string();
    writeText(dir.path() / "names.dat", "2012.7.2\n" + base + ".kvd\n" + base
                                            + "/no/such/folder.kvo\n" + base + ".kvp\n" + base
                                            + ".kvr\n");
    EXPECT_NE(lib.call(dir.path()), 0);
}

TEST(Entry, MissingPathLinesAreAskedForOnTheConsole) {
    ScratchDir dir;
    writeText(dir.path() / "p.kvd", readText(kExamples / "bridge-clay-design-load.kvd"));
    writeText(dir.path() / "names.dat", "2012.7.2\n");
    const std::string base = (dir.path() / "p").string();
    // the runtime path keeps what was read before: nothing, so the run cannot open it
    std::istringstream answers(base + ".kvd\n" + base + ".kvo\n" + base + ".kvp\n");
    const fs::path previous = fs::current_path();
    fs::current_path(dir.path());
    testing::internal::CaptureStdout();
    const auto result         = korven::run::runEngine(answers);
    const std::string console = testing::internal::GetCapturedStdout();
    fs::current_path(previous);
    EXPECT_NE(result, 0);
    EXPECT_NE(console.find("\n       ENTER THE NAME FOR THE INPUT FILE\n ENTER >\n"),
              std::string::npos)
        << console;
    EXPECT_NE(console.find("\n       ENTER A NAME FOR THE OUTPUT FILE:\n ENTER >\n"),
              std::string::npos);
    EXPECT_NE(console.find("\n\n       ENTER A FILE NAME FOR YOUR GRAPHIC DATA FILE.\n ENTER >\n"),
              std::string::npos);
}
