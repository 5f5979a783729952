// Word reader: splitting, conversions and the positions its errors name.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "project/WordRead.h"

namespace korven {
namespace {

std::string ErrorOfRead(TWordReader& r, bool integer) {
    try {
        if (integer) {
            r.ReadInteger();
        } else {
            r.ReadFloat();
        }
    } catch (const EInOutError& e) {
        return e.what();
    }
    return "no error";
}

TEST(WordReader, SplitsLinesAndWordsAtBlanksAndTabs) {
    auto r = TWordReader::FromText("  first\tline  of\t\t words \r\n\r\n\t \nlast");
    ASSERT_EQ(r.LineCount(), 4);
    EXPECT_EQ(r.WordCount(), 4);
    EXPECT_EQ(r.NextWord(), "first");
    EXPECT_EQ(r.NextWord(), "line");
    EXPECT_EQ(r.NextWord(), "of");
    EXPECT_EQ(r.NextWord(), "words");
    // the line of the last word taken stays current until another word is asked for
    EXPECT_EQ(r.LineIndex(), 0);
    EXPECT_EQ(r.ReadLine(), "  first\tline  of\t\t words ");
    EXPECT_EQ(r.WordCount(), 0);
    EXPECT_EQ(r.ReadLine(), "");
    EXPECT_EQ(r.WordCount(), 0);  // blanks and tabs only
    EXPECT_EQ(r.NextWord(), "last");
    EXPECT_FALSE(r.AtEnd());
    EXPECT_THROW(r.NextWord(), EInOutError);
    EXPECT_TRUE(r.AtEnd());
}

TEST(WordReader, LineEndsOfEveryKindGiveTheSameLines) {
    for (const char* text : {"1 2\n3\n", "1 2\r\n3\r\n", "1 2\r3", "1 2\n3"}) {
        SCOPED_TRACE(text);
        auto r = TWordReader::FromText(text);
        EXPECT_EQ(r.LineCount(), 2);
        EXPECT_EQ(r.ReadLine(), "1 2");
        EXPECT_EQ(r.ReadLine(), "3");
        EXPECT_TRUE(r.AtEnd());
    }
}

TEST(WordReader, EmptyTextIsOneEmptyLine) {
    auto r = TWordReader::FromText("");
    EXPECT_EQ(r.LineCount(), 1);
    EXPECT_EQ(r.WordCount(), 0);
    EXPECT_FALSE(r.AtEnd());
    try {
        r.NextWord();
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "This file either invalid or incomplete.");
    }
}

TEST(WordReader, EmptyLinesAmongValuesArePassedOver) {
    auto r = TWordReader::FromText("\n1\n\n   \n2\n\n");
    EXPECT_EQ(r.ReadInteger(), 1);
    EXPECT_EQ(r.ReadInteger(), 2);
    EXPECT_EQ(r.LineIndex(), 4);
    EXPECT_THROW(r.ReadInteger(), EInOutError);
}

TEST(WordReader, ReadsIntegersWrittenAsReals) {
    auto r = TWordReader::FromText("12 12.0 1.2E1 -3 +4 2147483647 -2147483648 0.0 1.2e1");
    for (int expected : {12, 12, 12, -3, 4, 2147483647, -2147483647 - 1, 0, 12}) {
        EXPECT_EQ(r.ReadInteger(), expected);
    }
}

TEST(WordReader, ReadsRealsWithAPointWhateverTheLocale) {
    auto r = TWordReader::FromText("0.120E+04 -1.5e-3 .5 7. 3 1E4000");
    EXPECT_EQ(r.ReadFloat(), 1200.0L);
    EXPECT_EQ(r.ReadFloat(), -0.0015L);
    EXPECT_EQ(r.ReadFloat(), 0.5L);
    EXPECT_EQ(r.ReadFloat(), 7.0L);
    EXPECT_EQ(r.ReadFloat(), 3.0L);
    EXPECT_EQ(r.ReadFloat(), 1E4000L);  // within the range of the extended type
}

TEST(WordReader, ErrorsNameTheLineAndItemOfTheBadWord) {
    struct BadWord {
        const char* word;
        bool integer;
    };
    // clang-format off
    const BadWord cases[] = {
        {"12.5", true}, {"2147483648", true}, {"-2147483649", true}, {"1E10", true}, {"x", true},
        {"1,5", false}, {"abc", false}, {"1.5.2", false}, {"1E", false}, {"E5", false},
        {"-", false}, {".", false}, {"inf", false}, {"nan", false}, {"0x10", false},
        {"1E99999", false}, {"1e-99999", false}, {"1..", false}, {"--1", false}, {"1-2", false},
    };
    // clang-format on
    for (const BadWord& c : cases) {
        SCOPED_TRACE(c.word);
        auto r = TWordReader::FromText(std::string("1 2\n3 4 ") + c.word + " 5");
        for (int i = 0; i < 4; ++i) r.ReadInteger();
        const std::string expected =
            std::string("Error on Line 2 Item 3\r")
            + (c.integer ? "An integer was expected but not found."
                         : "A floating point number was expected but not found.");
        EXPECT_EQ(ErrorOfRead(r, c.integer), expected);
    }
}

TEST(WordReader, ReadsAFileAndReportsAMissingOne) {
    const auto path = std::filesystem::temp_directory_path()
                      / ("korven_wordread_" + std::to_string(::getpid()) + ".txt");
    {
        std::ofstream out(path, std::ios::binary);
        out << "3 0.5\r\n";
    }
    TWordReader r(path.string());
    EXPECT_EQ(r.ReadInteger(), 3);
    EXPECT_EQ(r.ReadFloat(), 0.5L);
    std::filesystem::remove(path);
    EXPECT_THROW(TWordReader(path.string()), EInOutError);
}

}  // namespace
}  // namespace korven
