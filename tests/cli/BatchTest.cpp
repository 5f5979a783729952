// korven run on many projects: child processes, the summary table and the exit status.
#include <gtest/gtest.h>

#include <algorithm>

#include "cli/CliRun.h"

using namespace korven::test;

namespace {

// The summary line of a project.
std::string summaryLine(const std::string& out, const std::string& project) {
    for (const auto& l : lines(out))
        if (l.starts_with(project + " ")) return l;
    return {};
}

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> w;
    for (std::string s; in >> s;) w.push_back(s);
    return w;
}

}  // namespace

TEST(Batch, EveryExampleWithADamagedOneAmongThem) {
    ScratchDir dir("korven-batch");
    const auto examples = copyExamples(dir.path());
    ASSERT_GE(examples.size(), 5u);
    {
        const auto r = runKorven("run *.kvd -j 2", dir.path());
        EXPECT_EQ(r.status, 0) << r.out << r.err;
        EXPECT_EQ(lines(r.out).size(), examples.size() + 1) << r.out;
        EXPECT_TRUE(r.out.starts_with("PROJECT ")) << r.out;
        for (const auto& e : examples) {
            const auto line = summaryLine(r.out, e);
            EXPECT_TRUE(line.ends_with(" ok")) << e << "\n" << r.out;
            EXPECT_TRUE(fs::exists(dir.path() / fs::path(e).replace_extension(".kvo")));
        }
        EXPECT_EQ(r.err, "");  // not a terminal: no progress lines
    }
    // section E of the bridge pier: 3 ft, 83 ft, QU 738.43 tons; QDN of that row 352.5
    EXPECT_EQ(
        words(summaryLine(runKorven("run *.kvd", dir.path()).out, "bridge-clay-design-load.kvd")),
        (std::vector<std::string>{"bridge-clay-design-load.kvd", "ft,", "tons", "3", "3.000",
                                  "83.0", "738.4", "QDN", "352.5", "0", "0", "ok"}));

    writeText(dir.path() / "damaged.kvd", "title\n1 \nx\n");
    const auto r = runKorven("run *.kvd -j2 --quiet", dir.path());
    EXPECT_EQ(r.status, 1) << r.out << r.err;
    EXPECT_TRUE(summaryLine(r.out, "damaged.kvd").ends_with(" stopped")) << r.out;
    for (const auto& e : examples) EXPECT_TRUE(summaryLine(r.out, e).ends_with(" ok")) << e;
    EXPECT_EQ(lines(r.err).size(), 1u) << r.err;
    EXPECT_TRUE(r.err.starts_with("korven: damaged.kvd: the analysis stopped")) << r.err;
    EXPECT_FALSE(fs::exists(dir.path() / "names.dat"));
}
