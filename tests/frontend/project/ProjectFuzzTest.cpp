// Damaged project files: deterministic random truncations and replaced words of saved projects.
// Each one either reads or fails with the reader's message; what it reads saves and reads again.
#include <gtest/gtest.h>

#include <random>
#include <regex>

#include "ProjectFixture.h"
#include "entry/Units.h"
#include "project/WordRead.h"

using namespace korven;
using namespace korven::test;

namespace {

bool isReaderMessage(const std::string& m) {
    static const std::regex positioned(
        "Error on Line [0-9]+ Item [0-9]+\r(A floating point number was expected but not found\\."
        "|An integer was expected but not found\\."
        "|A value from -?[0-9]+ to [0-9]+ was expected but not found\\.)");
    return m == TWordReader::kIncomplete || std::regex_match(m, positioned);
}

// Word boundaries of `text`: (start, length) of every run of characters other than blanks,
// tabs and line ends.
std::vector<std::pair<std::size_t, std::size_t>> words(const std::string& text) {
    std::vector<std::pair<std::size_t, std::size_t>> w;
    for (std::size_t i = 0; i < text.size();) {
        while (i < text.size() && std::string(" \t\r\n").find(text[i]) != std::string::npos) ++i;
        const std::size_t start = i;
        while (i < text.size() && std::string(" \t\r\n").find(text[i]) == std::string::npos) ++i;
        if (i > start) w.emplace_back(start, i - start);
    }
    return w;
}

}  // namespace

TEST(ProjectFuzz, DamagedFilesFailCleanly) {
    ScratchDir dir("korven-project");
    std::vector<std::string> originals;
    for (int units : {kEnglish, kSI}) {
        TProgramData p;
        fillProject(p);
        p.SetUnits(units);
        p.FileName = dir.file("original.kvd");
        ASSERT_TRUE(p.SaveToFile());
        originals.push_back(readText(p.FileName));
    }
    for (const auto& e : fs::directory_iterator(fs::path(KORVEN_SOURCE_DIR) / "examples"))
        if (e.path().extension() == ".kvd") originals.push_back(readText(e.path()));
    const char* replacements[] = {"abc", "1.5",  "-1",    "99999999999", "1e4000", "0",
                                  "1,5", "nan",  "inf",   "2147483648",  "-7",     "1e-400",
                                  "25",  "0x10", "1.2.3", "--1",         "+4",     "1E"};

    std::mt19937 random(20121207);
    const std::string path = dir.file("damaged.kvd");
    TProgramData p, again;
    int failures = 0;
    for (int i = 0; i < 600; ++i) {
        std::string text = originals[random() % originals.size()];
        if (i % 2 == 0) {
            text.resize(random() % text.size());
        } else {
            const auto w               = words(text);
            const auto [start, length] = w[random() % w.size()];
            text.replace(start, length, replacements[random() % std::size(replacements)]);
        }
        writeText(path, text);
        const TFileResult r = p.LoadFromFile(path);
        if (!r) {
            ++failures;
            EXPECT_TRUE(isReaderMessage(r.Message)) << i << ": " << r.Message;
            EXPECT_GE(p.Tables().SoilLayers().RowCount(), 1);
            continue;
        }
        // what a damaged file gave is a project like any other: saved, read and saved again, it
        // gives the same file (a first save may drop values by the sand option rule)
        p.FileName = dir.file("resaved.kvd");
        ASSERT_TRUE(p.SaveToFile()) << i;
        ASSERT_TRUE(again.LoadFromFile(p.FileName)) << i;
        again.FileName = dir.file("resaved2.kvd");
        ASSERT_TRUE(again.SaveToFile()) << i;
        EXPECT_EQ(readText(again.FileName), readText(p.FileName)) << i;
    }
    EXPECT_GT(failures, 150);  // the damage is real, not all swallowed
}
