// The parameters of a sweep: which project field a name sets, and the values of a list.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace korven {
class TProgramData;
}

namespace korven::cli {

/// A sweep parameter: its name on the command line and what it means.
struct SweepField {
    const char* name;
    const char* help;
    void (*apply)(TProgramData& project, double value);
};

/// Every field a sweep can set, in the order of the help.
const std::vector<SweepField>& sweepFields();
const SweepField* findSweepField(const std::string& name);

/// The values of "a,b,c" or "start:stop:step" (stop included when the steps reach it), each
/// rounded to 12 significant digits so that 0.1 steps read as written; nothing, with `error`
/// set, for a list that is not one of these or holds more than 1000 values.
std::optional<std::vector<double>> parseSweepList(const std::string& text, std::string& error);

/// The top movement at `load` along a load-settlement line of (load, movement) rows that starts
/// at (0, 0); nothing when the load is beyond the line's last row or the line does not rise.
std::optional<double> movementAt(const std::vector<std::pair<double, double>>& line, double load);

}  // namespace korven::cli
