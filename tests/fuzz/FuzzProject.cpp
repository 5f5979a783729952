// Project files read by the word reader into the project and its tables, in the current and the
// older format: a damaged file gives the reader's message and keeps what was read, and a project
// that was read can be written again.
#include "FuzzTarget.h"
#include "project/ProgramData.h"
#include "project/WordRead.h"

using namespace korven;
using namespace korven::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Scratch dir;
    static TProgramData project;
    const fs::path file = dir.path() / "case.kvd";
    writeFile(file, text(data, size));
    for (const bool currentFormat : {true, false}) {
        const TFileResult r = project.LoadFromFile(file.string(), currentFormat);
        if (!r.Ok && r.Message.empty()) finding("a failed load gave no message");
        (void)project.ProjectText();
    }
    // the reader alone, in a mix of its calls
    TWordReader in = TWordReader::FromText(text(data, size));
    try {
        for (std::size_t k = 0; !in.AtEnd() && k < 4 * size + 4; ++k) {
            switch (k % 4) {
                case 0:
                    (void)in.ReadFloat();
                    break;
                case 1:
                    (void)in.ReadInteger();
                    break;
                case 2:
                    (void)in.NextWord();
                    break;
                default:
                    (void)in.ReadLine();
                    break;
            }
        }
    } catch (const EInOutError&) {
    }
    return 0;
}
