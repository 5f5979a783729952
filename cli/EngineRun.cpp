// The run command without dialogs: names.dat, the library call, and the clean-up on every path.
#include "EngineRun.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace korven::cli {
namespace {

constexpr const char* kVersion = "2012.7.2";

std::string withExtension(const std::string& path, const char* ext) {
    fs::path p(path);
    p.replace_extension(ext);
    return p.string();
}

// Restores the current directory and removes names.dat when it goes out of scope.
class RunFolder {
public:
    explicit RunFolder(const fs::path& folder) {
        std::error_code ec;
        previous_ = fs::current_path(ec);
        fs::current_path(folder, ec);
        entered_ = !ec;
    }
    ~RunFolder() {
        std::error_code ec;
        if (wroteNames_) fs::remove("names.dat", ec);
        if (!previous_.empty()) fs::current_path(previous_, ec);
    }
    RunFolder(const RunFolder&)            = delete;
    RunFolder& operator=(const RunFolder&) = delete;
    bool entered() const { return entered_; }
    void namesWritten() { wroteNames_ = true; }

private:
    fs::path previous_;
    bool entered_    = false;
    bool wroteNames_ = false;
};

// Sends standard output to /dev/null while it lives.
class QuietStdout {
public:
    explicit QuietStdout(bool on) {
        if (!on) return;
        std::fflush(stdout);
        saved_         = dup(STDOUT_FILENO);
        const int null = open("/dev/null", O_WRONLY);
        if (saved_ >= 0 && null >= 0) dup2(null, STDOUT_FILENO);
        if (null >= 0) close(null);
    }
    ~QuietStdout() {
        if (saved_ < 0) return;
        std::fflush(stdout);
        dup2(saved_, STDOUT_FILENO);
        close(saved_);
    }
    QuietStdout(const QuietStdout&)            = delete;
    QuietStdout& operator=(const QuietStdout&) = delete;

private:
    int saved_ = -1;
};

}  // namespace

RunFiles runFiles(const std::string& project) {
    return {project,
            withExtension(project, ".kvo"),
            withExtension(project, ".kvp"),
            withExtension(project, ".kvr"),
            {},
            {}};
}

std::string tracePath(const std::string& project) { return withExtension(project, ".trace.csv"); }

std::string executableDir() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string(".") : exe.parent_path().string();
}

std::string installedLibrary(const std::string& libraryPath) {
    const fs::path beside = libraryPath;
    const fs::path installed =
        beside.parent_path().parent_path() / "lib" / "korven" / beside.filename();
    std::error_code ec;
    if (!fs::exists(beside, ec) && fs::exists(installed, ec)) return installed.string();
    return libraryPath;
}

RunOutcome runEngineLibrary(const std::string& libraryPath, const RunFiles& files, bool quiet) {
    RunOutcome out;
    RunFolder folder(files.folder.empty() ? fs::path(files.project).parent_path()
                                          : fs::path(files.folder));
    if (!folder.entered()) {
        out.error = "cannot make the project's folder the current directory";
        return out;
    }
    {
        std::ofstream names("names.dat", std::ios::binary | std::ios::trunc);
        names << kVersion << "\r\n"
              << files.project << "\r\n"
              << files.report << "\r\n"
              << files.plot << "\r\n"
              << files.runtime << "\r\n";
        // the engine writes its per-foot trace when names.dat names one on a sixth line
        if (!files.trace.empty()) names << files.trace << "\r\n";
        folder.namesWritten();
        if (!names) {
            out.error = "cannot write names.dat in the project's folder";
            return out;
        }
    }
    const std::string path = installedLibrary(libraryPath);
    void* lib              = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!lib) {
        const char* why = dlerror();
        out.error =
            "cannot load the engine library " + libraryPath + (why ? std::string(": ") + why : "");
        return out;
    }
    using Entry = std::int32_t (*)(std::int32_t);
    auto entry  = reinterpret_cast<Entry>(dlsym(lib, "_IKORVEN"));
    if (!entry) {
        dlclose(lib);
        out.error = "the engine library has no entry _IKORVEN";
        return out;
    }
    {
        QuietStdout silence(quiet);
        out.engineResult = entry(0);
    }
    dlclose(lib);
    out.ok = true;
    return out;
}

}  // namespace korven::cli
