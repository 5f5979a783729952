// Entries of numeric fields: each gives a finite number or the evaluator's own message.
#include <cmath>

#include "FuzzTarget.h"
#include "entry/Evaluator.h"

using namespace korven;
using namespace korven::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 512) return -1;  // entries are typed into a field
    for (const char separator : {'.', ','}) {
        try {
            const long double v = EvaluateExpression(text(data, size), separator);
            if (!std::isfinite(v)) finding("an entry gave a value that is not finite");
        } catch (const EAssignError& e) {
            if (std::string_view(e.what()).rfind("Entry could not be evaluated:\r", 0) != 0)
                finding("an entry failed without the evaluator's message");
        }
    }
    return 0;
}
