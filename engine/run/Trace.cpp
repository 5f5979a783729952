// The trace file's cells and rows.
#include "run/Trace.h"

#include <charconv>
#include <cmath>

namespace korven::run {

bool TraceFile::open(const std::string& path) {
    close();
    file_  = std::fopen(path.c_str(), "wb");
    first_ = true;
    return file_ != nullptr;
}

void TraceFile::close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
}

void TraceFile::separate() {
    if (!first_) std::fputc(',', file_);
    first_ = false;
}

void TraceFile::text(std::string_view cell) {
    if (!file_) return;
    separate();
    std::fwrite(cell.data(), 1, cell.size(), file_);
}

void TraceFile::number(std::optional<float> value) {
    if (!file_) return;
    separate();
    if (!value || !std::isfinite(*value)) return;
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, *value);
    if (r.ec == std::errc()) std::fwrite(buf, 1, static_cast<std::size_t>(r.ptr - buf), file_);
}

void TraceFile::integer(int value) {
    if (!file_) return;
    separate();
    char buf[16];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    std::fwrite(buf, 1, static_cast<std::size_t>(r.ptr - buf), file_);
}

void TraceFile::endRow() {
    if (!file_) return;
    std::fputs("\r\n", file_);
    first_ = true;
}

}  // namespace korven::run
