// korven export: the JSON document against its schema and the report, the CSV tables, the runs
// it makes or refuses.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/CliRun.h"

using namespace korven::test;

namespace {

// The number after "=" on the report line that starts with `label` (section E).
double reportValue(const std::string& report, const std::string& label) {
    for (const auto& l : lines(report))
        if (const auto at = l.find(label); at != std::string::npos)
            return std::stod(l.substr(l.find('=', at) + 1));
    return -1;
}

}  // namespace

TEST(Export, JsonFollowsTheSchemaAndSectionE) {
    ScratchDir dir("korven-export");
    copyExamples(dir.path());
    // no results yet: the export runs the analysis first, under a German locale too
    const auto r =
        runKorven("export bridge-clay-design-load.kvd --format json --out b.json", dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    const auto german =
        runKorven("export bridge-clay-design-load.kvd", dir.path(), "LC_ALL=de_DE.UTF-8");
    EXPECT_EQ(german.out, readText(dir.path() / "b.json"));

    const std::string validate =
        std::string(KORVEN_PYTHON3) +
        " -c 'import json, sys, jsonschema; jsonschema.validate(json.load(open(sys.argv[1])), "
        "json.load(open(sys.argv[2])), cls=jsonschema.Draft202012Validator)' " +
        (dir.path() / "b.json").string() + " " + KORVEN_SOURCE_DIR + "/docs/export.schema.json";
    EXPECT_EQ(std::system(validate.c_str()), 0) << validate;

    const auto doc    = nlohmann::json::parse(readText(dir.path() / "b.json"));
    const auto report = readText(dir.path() / "bridge-clay-design-load.kvo");
    EXPECT_EQ(doc["units"]["force"], "tons");
    EXPECT_EQ(doc["designValue"], "QDN");
    EXPECT_EQ(doc["diameters"].size(), 3u);
    const auto& g   = doc["governing"];
    const auto& row = doc["diameters"][g["diameterIndex"].get<std::size_t>()]["capacity"]
                         [g["rowIndex"].get<std::size_t>()];
    const double QU = reportValue(report, "ULTIMATE LOAD CAPACITY =");
    EXPECT_NEAR(row["QU"].get<double>(), QU, 0.05 + 0.005);  // F9.1 against F10.2
    EXPECT_DOUBLE_EQ(g["QU"].get<double>(), QU);
    EXPECT_DOUBLE_EQ(row["LENGTH"].get<double>(), reportValue(report, "ESTIMATED SHAFT LENGTH ="));
    for (const auto& d : doc["diameters"]) {
        ASSERT_EQ(d["settlement"].size(), 3u);  // a sand tip: trend, upper and lower bound
        for (const auto& l : d["settlement"]) EXPECT_EQ(l["rows"].size(), 15u);
    }
}

TEST(Export, CsvTablesInTheProjectsUnits) {
    ScratchDir dir("korven-export");
    copyExamples(dir.path());
    const auto r =
        runKorven("export si-weak-rock-design-load.kvd --format csv --out w", dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "w.capacity.csv\nw.settlement.csv\n");
    const auto capacity = lines(readText(dir.path() / "w.capacity.csv"));
    ASSERT_GT(capacity.size(), 2u);
    EXPECT_EQ(capacity[0],
              "DIAMETER (m),LENGTH (m),VOLUME (cu.m),QS (kN),QB (kN),QU (kN),QBD (kN),QDN (kN),"
              "QU/VOLUME (kN/cu.m)");
    const auto settlement = lines(readText(dir.path() / "w.settlement.csv"));
    EXPECT_EQ(settlement[0],
              "DIAMETER (m),LINE,ROW,TOP LOAD (kN),TOP MOVEMENT (m),TIP LOAD (kN),TIP MOVEMENT "
              "(m)");
    // the weak-rock tip: one line of the rock method per diameter, without tip values
    EXPECT_EQ(settlement.size(), 1u + 3u * 15u);
    EXPECT_TRUE(settlement[1].starts_with("0.9,rock,1,")) << settlement[1];
    EXPECT_TRUE(settlement[1].ends_with(",,")) << settlement[1];
}
