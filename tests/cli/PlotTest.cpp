// korven plot: the graphs of an example as SVG, PDF and PNG files without a display, the
// measured load test with its table, and the command lines it refuses.
#include <gtest/gtest.h>

#include <QFile>
#include <QXmlStreamReader>

#include "cli/CliRun.h"

using namespace korven::test;

namespace {

// without a display and without a platform chosen: the program picks one itself (fontconfig
// and Qt keep allocations until exit, which a sanitizer build would report as leaks)
const std::string kNoDisplay =
    "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ASAN_OPTIONS=detect_leaks=0";

const char* const kCaptions[] = {"Ultimate Skin Friction vs Depth",
                                 "Ultimate Tip Resistance vs Depth",
                                 "Ultimate Total Capacity vs Depth",
                                 "ASD/LRFD Skin Friction vs Depth",
                                 "ASD/LRFD Tip Resistance vs Depth",
                                 "ASD/LRFD Total Capacity vs Depth",
                                 "Combined Plots vs Depth (ultimate)",
                                 "Combined Plots vs Depth (ASD/LRFD)",
                                 "Axial Load vs Settlement (averaged)",
                                 "Axial Load vs Settlement (upper bound)",
                                 "Axial Load vs Settlement (lower bound)",
                                 "Combined Plots of Load vs Settlement",
                                 "Elevation View"};

struct Svg {
    bool ok = false;
    std::string error, title, texts;
};

Svg readSvg(const fs::path& p) {
    QFile f(QString::fromStdString(p.string()));
    Svg s;
    if (!f.open(QIODevice::ReadOnly)) {
        s.error = "cannot open";
        return s;
    }
    QXmlStreamReader xml(&f);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        if (xml.name() == QLatin1String("title"))
            s.title = xml.readElementText().toStdString();
        else if (xml.name() == QLatin1String("text"))
            s.texts +=
                xml.readElementText(QXmlStreamReader::IncludeChildElements).toStdString() + "|";
    }
    s.ok    = !xml.hasError();
    s.error = xml.errorString().toStdString();
    return s;
}

std::string example(const std::string& name) {
    return std::string(KORVEN_SOURCE_DIR) + "/examples/" + name;
}

}  // namespace

TEST(Plot, TwelveGraphsAndTheElevationAsSvgWithoutADisplay) {
    ScratchDir dir("korven-plot");
    copyExamples(dir.path());
    // no results yet: the analysis runs first
    const auto r = runKorven("plot bridge-clay-design-load.kvd --out svg --format svg", dir.path(),
                             kNoDisplay);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");  // nothing but errors goes to standard error
    ASSERT_TRUE(fs::exists(dir.path() / "bridge-clay-design-load.kvp"));
    const auto listed = lines(r.out);
    ASSERT_EQ(listed.size(), 13u) << r.out;
    for (int n = 1; n <= 13; ++n) {
        const fs::path file = listed[static_cast<std::size_t>(n - 1)];
        EXPECT_EQ(file.filename().string().substr(0, 3),
                  (n < 10 ? "0" : "") + std::to_string(n) + "-");
        const Svg s = readSvg(dir.path() / file);
        EXPECT_TRUE(s.ok) << file << ": " << s.error;
        EXPECT_EQ(s.title, kCaptions[n - 1]) << file;
        // the legend box: a curve name of each result graph
        const std::string curve = n == 7 || n == 8 ? "Total Capacity"
                                  : n == 12        ? "Trend (Averaged)"
                                                   : "Dia=3 ft";
        if (n <= 12) {
            EXPECT_NE(s.texts.find(curve), std::string::npos) << file;
        }
    }
    EXPECT_EQ(fs::path(listed[8]).filename(), "09-load-settlement-trend.svg");
    EXPECT_NE(readSvg(dir.path() / listed[8]).texts.find("Axial Load  (tons)"), std::string::npos);
    EXPECT_NE(readSvg(dir.path() / listed[2]).texts.find(" SAND "), std::string::npos);
    EXPECT_NE(readSvg(dir.path() / listed[12]).texts.find("depth= 42 - 90; Sand"),
              std::string::npos);

    // current results are not run again; PDF and PNG of the chosen graphs at the chosen size
    const auto plot = fs::last_write_time(dir.path() / "bridge-clay-design-load.kvp");
    const auto more = runKorven(
        "plot bridge-clay-design-load.kvd --out more --format pdf "
        "--graphs '3,load-settlement-trend,Elevation View'",
        dir.path(), kNoDisplay);
    ASSERT_EQ(more.status, 0) << more.err;
    EXPECT_EQ(fs::last_write_time(dir.path() / "bridge-clay-design-load.kvp"), plot);
    EXPECT_EQ(lines(more.out).size(), 3u);
    EXPECT_EQ(readText(dir.path() / "more/03-ultimate-total-capacity.pdf").substr(0, 5), "%PDF-");
    const auto png =
        runKorven("plot bridge-clay-design-load.kvd --out png --graphs 1 --size 500x300",
                  dir.path(), kNoDisplay);
    ASSERT_EQ(png.status, 0) << png.err;
    const std::string bytes = readText(dir.path() / "png/01-ultimate-skin-friction.png");
    ASSERT_GT(bytes.size(), 24u);
    const auto be32 = [&](std::size_t at) {
        return (static_cast<unsigned char>(bytes[at]) << 24)
               | (static_cast<unsigned char>(bytes[at + 1]) << 16)
               | (static_cast<unsigned char>(bytes[at + 2]) << 8)
               | static_cast<unsigned char>(bytes[at + 3]);
    };
    EXPECT_EQ(be32(16), 500);
    EXPECT_EQ(be32(20), 300);
}

TEST(Plot, TheShippedLoadTestOverTheSettlementGraphs) {
    ScratchDir dir("korven-plot-test");
    copyExamples(dir.path());
    const auto r = runKorven(
        "plot bridge-clay-design-load.kvd --out lt --format svg --graphs 9 "
        "--load-test '"
            + example("bridge-clay-load-test.csv") + "'",
        dir.path(), kNoDisplay);
    ASSERT_EQ(r.status, 0) << r.err;
    // the test records its diameter, 3.5 ft: 5 % D = 2.1 in
    EXPECT_NE(r.out.find("5 % D = 2.1 in (Dia=3.5 ft)"), std::string::npos) << r.out;
    for (const char* row : {"Measured", "Trend", "Upper Bound", "Lower Bound"})
        EXPECT_NE(r.out.find(std::string("  ") + row), std::string::npos) << row;
    const Svg s = readSvg(dir.path() / "lt/09-load-settlement-trend.svg");
    ASSERT_TRUE(s.ok) << s.error;
    EXPECT_NE(s.texts.find("TS-1 cell test (invented example)"), std::string::npos);
    EXPECT_NE(s.texts.find("5 % D = 2.1 in"), std::string::npos);
    EXPECT_NE(s.texts.find("Trend: "), std::string::npos);
}

TEST(Plot, CommandLinesItRefuses) {
    ScratchDir dir("korven-plot-bad");
    copyExamples(dir.path());
    writeText(dir.path() / "damaged.csv",
              "name,T\nkind,top-down\nunits,tons,in\n0,0\n100,0.4\n200,0,9\n");
    writeText(dir.path() / "top.csv", "name,T\nkind,top-down\nunits,tons,in\n0,0\n100,0.4\n");
    const std::string p = "plot bridge-clay-design-load.kvd ";
    struct Case {
        std::string args;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {p + "--out o --format gif", 2, "unknown format 'gif'"},
        {p + "--out o --graphs 14", 2, "unknown graph '14'"},
        {p + "--out o --graphs 'Tip vs Nothing'", 2, "unknown graph 'Tip vs Nothing'"},
        {p + "--out o --size 20x20", 2, "--size is WxH"},
        {p + "--out o --dpi 0", 2, "--dpi is a whole number"},
        {p, 2, "no output folder"},
        {"plot --out o", 2, "no project given"},
        {"plot missing.kvd --out o", 2, "project file not found: missing.kvd"},
        {p + "--out o --diameter 3", 2, "--diameter goes with --load-test"},
        {p + "--out o --load-test damaged.csv --diameter 3", 2,
         "damaged.csv, line 6: a top-down row needs load, movement"},
        {p + "--out o --load-test top.csv", 2, "--diameter is needed"},
        {p + "--out o --load-test top.csv --diameter 3.2", 2,
         "the diameter 3.2 is not one of the run's (3, 3.5, 4 ft)"},
        {p + "--out o --load-test nowhere.csv --diameter 3", 2, "nowhere.csv: the file cannot"},
        {p + "--out o --unknown", 2, "unexpected argument '--unknown'"},
    };
    for (const Case& c : cases) {
        const auto r = runKorven(c.args, dir.path(), kNoDisplay);
        EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << "\n" << r.err;
        EXPECT_FALSE(fs::exists(dir.path() / "o" / "09-load-settlement-trend.png")) << c.args;
    }
    EXPECT_EQ(runKorven("plot --help").status, 0);
    EXPECT_NE(runKorven("--help").out.find("plot"), std::string::npos);
}
