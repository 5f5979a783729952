// The buffered channels of the engine: what reaches the file, whatever the buffer did meanwhile.
#include <gtest/gtest.h>

#include "../EngineHarness.h"
#include "run/RunContext.h"

using namespace korven::run;
using namespace korven::test;

namespace {

constexpr Format kRow = "(1X,I5,F10.3,E12.4,1X,A)";

std::string expectedRows(int n) {
    std::string text;
    for (int i = 1; i <= n; ++i) text += format(kRow, i, i * 0.5, i * 1000.0, "ROW");
    return text;
}

}  // namespace

TEST(Channel, RecordsReachTheFileAcrossManyBufferFills) {
    ScratchDir dir;
    const fs::path path = dir.path() / "out.txt";
    const int rows      = 20000;  // several times the buffer
    {
        Channel ch;
        ASSERT_TRUE(ch.open(path.string()));
        for (int i = 1; i <= rows; ++i) ch.write(kRow, i, i * 0.5, i * 1000.0, "ROW");
        ch.put(std::string(3 * Channel::kBufferSize, 'x'));  // larger than the buffer at once
        ch.close();
        EXPECT_FALSE(ch.failed());
    }
    EXPECT_EQ(readText(path), expectedRows(rows) + std::string(3 * Channel::kBufferSize, 'x'));
}

TEST(Channel, RewritingALongerFileLeavesNothingOfIt) {
    ScratchDir dir;
    const fs::path path = dir.path() / "out.txt";
    writeText(path, std::string(200000, '#'));
    Channel ch;
    ASSERT_TRUE(ch.open(path.string()));
    ch.write(kRow, 1, 0.5, 1000.0, "ROW");
    ch.close();
    EXPECT_EQ(readText(path), expectedRows(1));
    // and again for a second open of the same channel, as the listing is rewritten per line
    ASSERT_TRUE(ch.open(path.string()));
    ch.close();
    EXPECT_EQ(readText(path), "");
}

TEST(Channel, PlotRecordsEndInCrLfAndOthersInLf) {
    ScratchDir dir;
    const fs::path path   = dir.path() / "out.txt";
    constexpr Format kTwo = "(I3/I3)";
    Channel ch;
    ASSERT_TRUE(ch.open(path.string()));
    ch.useCrLf(true);
    ch.write(kTwo, 1, 2);
    ch.useCrLf(false);
    ch.write(kTwo, 3, 4);
    ch.close();
    EXPECT_EQ(readText(path), "  1\r\n  2\r\n  3\n  4\n");
}

TEST(Channel, ARefusedRecordLeavesNoPartOfItself) {
    ScratchDir dir;
    const fs::path path     = dir.path() / "out.txt";
    constexpr Format kMixed = "(I3,' then ',I3)";
    Channel ch;
    ASSERT_TRUE(ch.open(path.string()));
    ch.write(kMixed, 1, 2);
    EXPECT_THROW(ch.write(kMixed, 3, 4.5), std::logic_error);
    ch.close();
    EXPECT_EQ(readText(path), "  1 then   2\n");
}

TEST(Channel, AFullDeviceIsReportedAsAFailedWrite) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    Channel ch;
    ASSERT_TRUE(ch.open("/dev/full"));
    ch.write(kRow, 1, 0.5, 1000.0, "ROW");
    ch.close();
    EXPECT_TRUE(ch.failed());
}

TEST(Channel, DeferredRecordsAreWrittenOnCloseAndDroppedByAReopen) {
    struct Tail final : DeferredRecords {
        explicit Tail(int& n, const char* t) : written(n), text(t) {}
        void write(Channel& ch) override {
            ++written;
            ch.put(text);
        }
        int& written;
        const char* text;
    };
    ScratchDir dir;
    const fs::path path = dir.path() / "listing.txt";
    int written         = 0;
    Channel ch;
    ASSERT_TRUE(ch.open(path.string()));
    ch.put("first call\n");
    ch.defer(std::make_unique<Tail>(written, "first tail\n"));
    ASSERT_TRUE(ch.open(path.string()));  // the next call rewrites the file
    ch.defer(std::make_unique<Tail>(written, "second tail\n"));
    ch.put("second call\n");
    ch.close();
    EXPECT_EQ(written, 1);
    EXPECT_EQ(readText(path), "second call\nsecond tail\n");
}
