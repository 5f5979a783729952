// The per-foot trace that a sixth line of names.dat asks for: the other files stay as they are,
// and a trace that cannot be created refuses the run.
#include <gtest/gtest.h>

#include "../EngineHarness.h"
#include "run/RunControl.h"

using namespace korven::test;

namespace {

const fs::path kExamples = fs::path(KORVEN_SOURCE_DIR) / "examples";

RunOutput runWithTrace(EngineLibrary& lib, const fs::path& dir, const std::string& name,
                       const std::string& trace) {
    const fs::path base = dir / name;
    writeText(dir / "names.dat", readText(dir / "names.dat") + trace + "\r\n");
    RunOutput out;
    out.result  = lib.call(dir);
    out.report  = readText(base.string() + ".kvo");
    out.plot    = readText(base.string() + ".kvp");
    out.runtime = readText(base.string() + ".kvr");
    return out;
}

}  // namespace

TEST(Trace, LeavesTheOtherFilesAsTheyAre) {
    ScratchDir dir;
    EngineLibrary lib;
    ASSERT_TRUE(lib.loaded());
    const std::string project = readText(kExamples / "si-clay-sand-over-rock.kvd");
    const RunOutput plain     = runProjectText(lib, dir.path(), project, "p");
    writeNames(dir.path(), "p");
    const RunOutput traced = runWithTrace(lib, dir.path(), "p", dir.file("p.trace.csv"));
    EXPECT_EQ(traced.result, 0);
    EXPECT_EQ(withoutDate(traced.report), withoutDate(plain.report));
    EXPECT_EQ(traced.plot, plain.plot);
    EXPECT_EQ(traced.runtime, plain.runtime);
    const auto rows = lines(readText(dir.path() / "p.trace.csv"));
    ASSERT_GT(rows.size(), 10u);
    EXPECT_EQ(rows[0],
              "DIAMETER (m),LENGTH (m),DEPTH (m),LAYER,SOIL,SIGMA_V (kN/m2),PHI (deg),CU (kN/m2),"
              "K,BETA,ALPHA,NC,F BEFORE LIMIT (kN/m2),F (kN/m2),QS (kN),QB (kN),TIP RULE\r");
    // an empty sixth line asks for nothing
    writeNames(dir.path(), "p");
    const RunOutput empty = runWithTrace(lib, dir.path(), "p", "   ");
    EXPECT_EQ(empty.result, 0);
    EXPECT_EQ(empty.plot, plain.plot);
}

TEST(Trace, ThatCannotBeCreatedRefusesTheRun) {
    ScratchDir dir;
    EngineLibrary lib;
    ASSERT_TRUE(lib.loaded());
    writeText(dir.path() / "p.kvd", readText(kExamples / "bridge-clay-design-load.kvd"));
    writeNames(dir.path(), "p");
    const RunOutput out = runWithTrace(lib, dir.path(), "p", dir.file("no/such/folder/p.csv"));
    EXPECT_EQ(out.result, korven::run::kCannotOpen);
    EXPECT_NE(out.runtime.find("THE TRACE FILE CANNOT BE CREATED:"), std::string::npos);
    EXPECT_EQ(out.plot, "");
}
