// Table layouts: a damaged layout is refused with the table or stream error; one that is taken
// writes a layout that is taken again and writes itself the same way.
#include "FuzzTarget.h"
#include "entry/SystemTables.h"
#include "entry/ValueStream.h"

using namespace korven;
using namespace korven::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string written;
    try {
        const TSystemTables tables{text(data, size)};
        written = tables.WriteLayout();
    } catch (const ETableDefinitionError&) {
        return 0;
    } catch (const EStreamError&) {
        return 0;
    }
    try {
        const TSystemTables again{written};
        if (again.WriteLayout() != written) finding("a written layout reads back differently");
    } catch (const std::exception&) {
        finding("a written layout is refused");
    }
    return 0;
}
