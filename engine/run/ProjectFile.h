// List-directed reading of the project data file into the run context.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "run/RunContext.h"

namespace korven::run {

/// A value to be read: an integer or a real, with the name the error message gives it.
struct ReadTarget {
    ReadTarget(int* p, const char* what) : integer(p), name(what) {}
    ReadTarget(real* p, const char* what) : realValue(p), name(what) {}
    int* integer    = nullptr;
    real* realValue = nullptr;
    const char* name;
};

/// Reads a text by records as a list-directed read does: one read takes as many values as it
/// needs, across lines, and ignores the rest of the line where it ended.
class ListReader {
public:
    ListReader(RunContext& ctx, std::string_view text);

    /// The next line as a text field of `width` characters (trailing blanks dropped).
    std::string readText(int width);
    /// One list-directed read.
    void read(std::initializer_list<ReadTarget> targets);
    /// Line number (1-based) of the next line to be read.
    int lineNumber() const { return line_ + 1; }

private:
    RunContext& ctx_;
    std::string_view text_;
    std::size_t pos_ = 0;  // start of the next line
    int line_        = 0;  // lines consumed

    bool nextLine(std::string_view& out);
    [[noreturn]] void fail(const std::string& detail);
};

/// Reads the whole project (names, values, layers) and applies the rules of reading: "no limit",
/// the rock-layer count, the design-depth warning, RATIO 1 -> 0, DIALIM raised to DSTART.
void readProject(RunContext& ctx);

}  // namespace korven::run
