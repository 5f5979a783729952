// The per-foot trace file: a CSV table that names.dat asks for on an optional sixth line. A
// plain table, not a fixed-format record: its numbers are written in their shortest form with
// "." whatever the locale.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace korven::run {

class TraceFile {
public:
    TraceFile()                            = default;
    TraceFile(const TraceFile&)            = delete;
    TraceFile& operator=(const TraceFile&) = delete;
    ~TraceFile() { close(); }

    bool open(const std::string& path);  ///< create or rewrite
    void close();
    bool isOpen() const { return file_ != nullptr; }

    /// Appends one cell to the current row: a text, or a number (empty when there is none or it
    /// is not finite).
    void text(std::string_view cell);
    void number(std::optional<float> value);
    void integer(int value);
    /// Ends the current row.
    void endRow();

private:
    std::FILE* file_ = nullptr;
    bool first_      = true;
    void separate();
};

}  // namespace korven::run
