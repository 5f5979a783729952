// Runs the real engine library on a project in a scratch folder, as the run command does.
#pragma once

#include <dlfcn.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "common/TestFiles.h"

namespace korven::test {

namespace fs = std::filesystem;

/// The engine library loaded once per object; unloaded when it goes.
class EngineLibrary {
public:
    EngineLibrary() {
        handle_ = dlopen((std::string(KORVEN_BIN_DIR) + "/Korven2012_DLL.so").c_str(),
                         RTLD_NOW | RTLD_LOCAL);
        if (handle_)
            entry_ = reinterpret_cast<std::int32_t (*)(std::int32_t)>(dlsym(handle_, "_IKORVEN"));
    }
    ~EngineLibrary() {
        if (handle_) dlclose(handle_);
    }
    EngineLibrary(const EngineLibrary&)            = delete;
    EngineLibrary& operator=(const EngineLibrary&) = delete;
    bool loaded() const { return entry_ != nullptr; }

    /// Calls the entry with `dir` as the current directory.
    std::int32_t call(const fs::path& dir) {
        const fs::path previous = fs::current_path();
        fs::current_path(dir);
        const std::int32_t r = entry_(0);
        fs::current_path(previous);
        return r;
    }

private:
    void* handle_                        = nullptr;
    std::int32_t (*entry_)(std::int32_t) = nullptr;
};

/// The files of one run of a project named `name` in `dir`.
struct RunOutput {
    std::int32_t result = -1;
    std::string report, plot, runtime;
};

inline void writeNames(const fs::path& dir, const std::string& name) {
    const fs::path base = dir / name;
    writeText(dir / "names.dat", "2012.7.2\r\n" + (base.string() + ".kvd") + "\r\n"
                                     + (base.string() + ".kvo") + "\r\n" + (base.string() + ".kvp")
                                     + "\r\n" + (base.string() + ".kvr") + "\r\n");
}

inline RunOutput runProjectText(EngineLibrary& lib, const fs::path& dir, const std::string& text,
                                const std::string& name = "case") {
    writeText(dir / (name + ".kvd"), text);
    writeNames(dir, name);
    RunOutput out;
    out.result  = lib.call(dir);
    out.report  = readText(dir / (name + ".kvo"));
    out.plot    = readText(dir / (name + ".kvp"));
    out.runtime = readText(dir / (name + ".kvr"));
    return out;
}

/// The report without the line that carries the date and time of the run.
inline std::string withoutDate(const std::string& report) {
    std::istringstream in(report);
    std::string line, out;
    while (std::getline(in, line))
        if (line.rfind("               Date:  ", 0) != 0) out += line + "\n";
    return out;
}

}  // namespace korven::test
