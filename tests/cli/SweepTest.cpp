// korven sweep: the projects it writes, their runs and the sweep table.
#include <gtest/gtest.h>

#include "cli/CliRun.h"
#include "project/ProgramData.h"

using namespace korven::test;

TEST(Sweep, DiametersTimesLengths) {
    ScratchDir dir("korven-sweep");
    copyExamples(dir.path());
    const auto r = runKorven(
        "sweep layered-sand-clay-design-length.kvd --set diameter=3:5:0.5 --set length=40,60 "
        "--out out -j 2",
        dir.path());
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out, (dir.path() / "out/sweep.csv").string() + "\n");
    EXPECT_EQ(r.err, "");

    int projects = 0;
    for (const auto& e : fs::directory_iterator(dir.path() / "out")) {
        if (e.path().extension() != ".kvd") continue;
        ++projects;
        korven::TProgramData data;
        const auto read = data.LoadFromFile(e.path().string());
        EXPECT_TRUE(read.Ok) << e.path() << ": " << read.Message;
        // the name says the values: ..._diameter=D_length=L.kvd
        const std::string name = e.path().stem().string();
        const auto d = name.find("_diameter="), l = name.find("_length=");
        ASSERT_NE(d, std::string::npos);
        ASSERT_NE(l, std::string::npos);
        EXPECT_EQ(static_cast<double>(data.MinDiameter), std::stod(name.substr(d + 10)));
        EXPECT_EQ(data.MaxDiameter, data.MinDiameter);
        EXPECT_EQ(static_cast<double>(data.DesignLength), std::stod(name.substr(l + 8)));
        EXPECT_EQ(data.DesignControl, 2);
    }
    EXPECT_EQ(projects, 10);

    const auto table = lines(readText(dir.path() / "out/sweep.csv"));
    ASSERT_EQ(table.size(), 11u);
    EXPECT_EQ(table[0],
              "PROJECT,diameter,length,DIAMETER (ft),LENGTH (ft),QU (tons),DESIGN VALUE (tons),"
              "DESIGN LOAD (tons),TOP MOVEMENT (in),WARNINGS,ERRORS,RESULT");
    EXPECT_TRUE(
        table[1].starts_with("layered-sand-clay-design-length_diameter=3_length=40.kvd,3,"
                             "40,3.000,40.0,"))
        << table[1];
    EXPECT_TRUE(
        table[10].starts_with("layered-sand-clay-design-length_diameter=5_length=60.kvd,5,"
                              "60,5.000,"))
        << table[10];
    for (std::size_t i = 1; i < table.size(); ++i) {
        EXPECT_TRUE(table[i].ends_with(",0,0,ok")) << table[i];
        EXPECT_EQ(std::count(table[i].begin(), table[i].end(), ','), 11) << table[i];
        EXPECT_EQ(table[i].find(",,"), std::string::npos) << table[i];  // every cell filled
    }
}
