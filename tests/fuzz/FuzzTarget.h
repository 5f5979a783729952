// What the fuzz targets share: a scratch folder that lives as long as the process, whole-file
// writing, and the stop for a broken promise of the code under test.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace korven::fuzz {

namespace fs = std::filesystem;

/// The input as text.
inline std::string_view text(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

/// A folder of its own under the temporary folder, removed when the process ends normally.
class Scratch {
public:
    Scratch() {
        std::string pattern = (fs::temp_directory_path() / "korven-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        path_ = pattern;
    }
    ~Scratch() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    Scratch(const Scratch&)            = delete;
    Scratch& operator=(const Scratch&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

inline void writeFile(const fs::path& p, std::string_view content) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

/// A finding: the code under test broke one of its promises for this input.
[[noreturn]] inline void finding(const char* what) {
    std::fprintf(stderr, "FINDING: %s\n", what);
    std::abort();
}

}  // namespace korven::fuzz
