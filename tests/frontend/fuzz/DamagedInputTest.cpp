// Damaged files and entries, made by deterministic random truncations and replaced words: each
// fails cleanly with a message, and none crashes (these run under the sanitizers too).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "entry/Evaluator.h"
#include "graphs/LoadTest.h"
#include "graphs/PlotLoad.h"
#include "project/WordRead.h"

namespace korven {
namespace {

const std::string kSource = KORVEN_SOURCE_DIR;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Words that no reader takes for a number.
const char* const kBadWords[] = {"x",    "1,5", "nan",   "inf", "1e99999",
                                 "0x1F", "--1", "1.2.3", "E",   "+"};

struct Word {
    std::size_t offset, length;
    int line, item;  // 1-based, as the reader's messages count
};

std::vector<Word> WordsOf(const std::string& text) {
    std::vector<Word> words;
    int line = 1, item = 0;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '\n' || (c == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) {
            ++line;
            item = 0;
            ++i;
        } else if (static_cast<unsigned char>(c) <= 32) {
            ++i;
        } else {
            const std::size_t start = i;
            while (i < text.size() && static_cast<unsigned char>(text[i]) > 32) ++i;
            words.push_back({start, i - start, line, ++item});
        }
    }
    return words;
}

bool IsReaderMessage(const std::string& m) {
    return m == TWordReader::kIncomplete
           || (m.rfind("Error on Line ", 0) == 0
               && (m.ends_with(std::string("\r") + TWordReader::kFloatWanted)
                   || m.ends_with(std::string("\r") + TWordReader::kIntegerWanted)));
}

class Damaged : public testing::Test {
protected:
    void TearDown() override { std::filesystem::remove(FTemp); }
    std::string Write(const std::string& text) {
        std::ofstream(FTemp, std::ios::binary) << text;
        return FTemp.string();
    }
    std::mt19937 rng{20120702};
    std::size_t Below(std::size_t n) { return n == 0 ? 0 : rng() % n; }

private:
    std::filesystem::path FTemp = std::filesystem::temp_directory_path()
                                  / ("korven_damaged_" + std::to_string(::getpid()) + ".txt");
};

TEST_F(Damaged, PlotFilesFailWithTheReaderMessageAtTheDamagedWord) {
    for (const char* name : {"sand-one-diameter.kvp", "clay-three-diameters.kvp", "si-uplift.kvp",
                             "rock-then-sand.kvp"}) {
        const std::string text        = ReadFile(kSource + "/tests/frontend/data/" + name);
        const std::vector<Word> words = WordsOf(text);
        ASSERT_FALSE(words.empty()) << name;
        for (int n = 0; n < 150; ++n) {
            TResultGraphs graphs;
            TPlotProject project;
            project.MinDiameter = 2;
            std::string error;
            std::string damaged = text;
            std::string expected;
            if (n % 2 == 0) {
                // cut anywhere before the last word: the file is one number short at least
                damaged.resize(Below(words.back().offset));
            } else {
                const Word& w = words[Below(words.size())];
                damaged.replace(w.offset, w.length, kBadWords[Below(std::size(kBadWords))]);
                expected = "Error on Line " + std::to_string(w.line) + " Item "
                           + std::to_string(w.item) + "\r";
            }
            SCOPED_TRACE(std::string(name) + " variant " + std::to_string(n));
            EXPECT_FALSE(graphs.LoadPlotData(Write(damaged), project, {{1, 10}}, &error));
            EXPECT_TRUE(IsReaderMessage(error)) << error;
            if (!expected.empty()) {
                EXPECT_EQ(error.rfind(expected, 0), 0u) << error;
            }
        }
    }
}

TEST_F(Damaged, WordReaderReportsEveryBadWordOfProjectFiles) {
    std::vector<std::string> files;
    for (const auto& e : std::filesystem::directory_iterator(kSource + "/examples")) {
        if (e.path().extension() == ".kvd") files.push_back(e.path().string());
    }
    ASSERT_FALSE(files.empty());
    for (const std::string& file : files) {
        const std::string text        = ReadFile(file);
        const std::vector<Word> words = WordsOf(text);
        for (int n = 0; n < 100; ++n) {
            std::string damaged = text;
            if (n % 2 == 0) {
                damaged.resize(Below(text.size() + 1));
            } else {
                const Word& w = words[Below(words.size())];
                damaged.replace(w.offset, w.length, kBadWords[Below(std::size(kBadWords))]);
            }
            SCOPED_TRACE(file + " variant " + std::to_string(n));
            // the title line is text; everything after it is read as numbers, in a mix of the
            // reader's calls
            TWordReader r = TWordReader::FromText(damaged);
            try {
                r.ReadLine();
                for (int k = 0; !r.AtEnd() && k < 100000; ++k) {
                    if (k % 3 == 0) {
                        const long double v = r.ReadFloat();
                        EXPECT_TRUE(std::isfinite(v));
                    } else if (k % 3 == 1) {
                        r.NextWord();
                    } else {
                        r.ReadLine();
                    }
                }
            } catch (const EInOutError& e) {
                EXPECT_TRUE(IsReaderMessage(e.what())) << e.what();
            }
        }
    }
}

TEST_F(Damaged, EvaluatorGivesAFiniteValueOrItsMessage) {
    const char* const pieces[] = {"1",    "2",       "0",
                                  "9.5",  ".",       ",",
                                  "E",    "e",       "-",
                                  "+",    "*",       "/",
                                  "^",    "%",       "&",
                                  "|",    "=",       "(",
                                  ")",    "!",       "$",
                                  "F",    "pi",      "sqrt",
                                  "ln",   "cosec",   "round",
                                  "ceil", "arctanh", " ",
                                  "\t",   "1E4000",  "9223372036854775807",
                                  "x"};
    int values                 = 0;
    for (int n = 0; n < 20000; ++n) {
        std::string text;
        const std::size_t length = Below(16);
        for (std::size_t k = 0; k < length; ++k) text += pieces[Below(std::size(pieces))];
        SCOPED_TRACE(text);
        try {
            const long double v = EvaluateExpression(text, '.');
            EXPECT_TRUE(std::isfinite(v));
            ++values;
        } catch (const EAssignError& e) {
            EXPECT_EQ(std::string(e.what()).rfind("Entry could not be evaluated:\r", 0), 0u);
        }
    }
    EXPECT_GT(values, 100);  // the mix reaches the arithmetic, not only the syntax checks
}

TEST(DamagedLoadTest, EveryBadFieldIsNamedByItsLineAndTruncationsFailCleanly) {
    const std::string text = ReadFile(kSource + "/examples/bridge-clay-load-test.csv");
    ASSERT_TRUE(ParseLoadTest(text, "t").Ok);
    // every number of the data rows replaced by a word no reader takes
    int line = 1, replaced = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') ++line;
        const bool starts = (i == 0 || text[i - 1] == '\n' || text[i - 1] == ',')
                            && (std::isdigit(static_cast<unsigned char>(text[i])) != 0);
        if (!starts || text.compare(i - (i > 0 ? 1 : 0), 1, ",") != 0) continue;
        const std::size_t end = text.find_first_of(",\n", i);
        for (const char* bad : kBadWords) {
            const std::string damaged = text.substr(0, i) + bad + text.substr(end);
            const TLoadTestRead r     = ParseLoadTest(damaged, "t");
            ASSERT_FALSE(r.Ok) << bad << " at line " << line;
            EXPECT_NE(r.Error.find("line " + std::to_string(line) + ":"), std::string::npos)
                << r.Error;
            ++replaced;
        }
    }
    EXPECT_GT(replaced, 200);
    for (std::size_t n = 0; n < text.size(); n += 7) {
        const TLoadTestRead r = ParseLoadTest(text.substr(0, n), "t");
        EXPECT_TRUE(r.Ok || r.Error.rfind("t", 0) == 0) << n;
    }
}

}  // namespace
}  // namespace korven
