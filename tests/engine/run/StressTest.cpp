// Many runs of the entry in one loaded library, the examples alternating with damaged projects:
// every run writes what the first run of its project wrote, byte for byte, leaves no file open
// and (under LeakSanitizer) nothing allocated.
#include <gtest/gtest.h>

#include <vector>

#include "../EngineHarness.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

using namespace korven::test;

namespace {

const fs::path kExamples = fs::path(KORVEN_SOURCE_DIR) / "examples";

int openDescriptors() {
    int n = 0;
    for (auto it = fs::directory_iterator("/proc/self/fd"); it != fs::directory_iterator(); ++it)
        ++n;
    return n;
}

struct Outputs {
    std::int32_t result = -1;
    std::string report, plot, runtime, tzdata;
    bool operator==(const Outputs&) const = default;
};

// the projects of the run, examples and damaged ones alternating
std::vector<std::string> projects() {
    std::vector<std::string> examples;
    for (const auto& e : fs::directory_iterator(kExamples))
        if (e.path().extension() == ".kvd") examples.push_back(readText(e.path()));
    std::sort(examples.begin(), examples.end());
    const std::string& first    = examples.front();
    const std::string damaged[] = {
        first.substr(0, first.size() / 2),                         // cut short
        std::string(first).replace(first.find('\n') + 1, 1, "x"),  // a word that is no number
        "Bell\n1 \n2 1 0.7 1 1 2\n3 0 3E9 30 0 0 3600000\n1 100 30 2 3\n2 60 \n"
        "0.0 120 0.0 2000 8 0.0 0.0 1 1 \n0.0 120 0.0 2000 8 0.0 0.0 1 1 \n0 0\n",  // refused
        "No weight\n1 \n2 1 0.7 1 1 2\n3 4 0 0 0 0 3600000\n1 100 30 2 3\n2 60 \n"
        "0.0 0 0.0 2000 8 0.0 0.0 1 1 \n0.0 0 0.0 2000 8 0.0 0.0 1 1 \n0 0\n",  // warned at every
                                                                                // step
        "",                                                                     // empty
        "Too many layers\n1 \n2 1 0.7 1 1 2\n3 0 0 0 0 0 3600000\n99 100 30 2 3\n",
        "Design load never reached\n1 \n1 1 0.7 1 1 2\n3 0 0 0 0 0 3600000\n1 100 1E6 2 3\n2 60 \n"
        "0.0 120 0.0 2000 8 0.0 0.0 1 1 \n0.0 120 0.0 2000 8 0.0 0.0 1 1 \n0 0\n",
    };
    std::vector<std::string> all;
    for (std::size_t i = 0; i < std::max(examples.size(), std::size(damaged)); ++i) {
        all.push_back(examples[i % examples.size()]);
        all.push_back(damaged[i % std::size(damaged)]);
    }
    return all;
}

}  // namespace

TEST(EntryStress, TwoThousandRunsRepeatTheirFirstOutputs) {
    constexpr int kRuns                  = 2000;
    const std::vector<std::string> texts = projects();
    ScratchDir dir;
    EngineLibrary lib;
    ASSERT_TRUE(lib.loaded());
    const int descriptors = openDescriptors();
    std::vector<Outputs> first(texts.size());
    for (int n = 0; n < kRuns; ++n) {
        const std::size_t k = static_cast<std::size_t>(n) % texts.size();
        fs::remove(dir.path() / "TZDATA.DAT");
        const RunOutput out = runProjectText(lib, dir.path(), texts[k]);
        const Outputs o{out.result, withoutDate(out.report), out.plot, out.runtime,
                        readText(dir.path() / "TZDATA.DAT")};
        if (n < static_cast<int>(texts.size())) {
            first[k] = o;
            continue;
        }
        ASSERT_TRUE(o == first[k]) << "run " << n << " of project " << k << " differs";
        ASSERT_EQ(openDescriptors(), descriptors) << "after run " << n << " of project " << k;
    }
    // the damaged projects were refused, the examples ran to their end
    for (std::size_t k = 0; k < texts.size(); ++k)
        EXPECT_EQ(first[k].result == 0, k % 2 == 0 || texts[k].find("No weight") == 0) << k;
#if defined(__SANITIZE_ADDRESS__)
    EXPECT_EQ(__lsan_do_recoverable_leak_check(), 0);
#endif
}
