// The engine's project reader and the whole analysis, through the library's entry point as the
// desktop program calls it: a scratch folder with names.dat, the input as the project file. A
// run may refuse the project, but it returns, with one of the entry's result codes, and leaves
// nothing open.
#include <dlfcn.h>
#include <fcntl.h>

#include "FuzzTarget.h"

namespace {

using namespace korven::fuzz;

// the entry's result codes: done, stopped with a message, no names.dat, a file not opened
constexpr std::int32_t kLastExpectedResult = 3;

struct Engine {
    Scratch dir;
    void* handle                        = nullptr;
    std::int32_t (*entry)(std::int32_t) = nullptr;

    Engine() {
        handle = dlopen((std::string(KORVEN_BIN_DIR) + "/Korven2012_DLL.so").c_str(),
                        RTLD_NOW | RTLD_LOCAL);
        if (!handle) finding("the engine library does not load");
        entry = reinterpret_cast<std::int32_t (*)(std::int32_t)>(dlsym(handle, "_IKORVEN"));
        if (!entry) finding("the engine library has no _IKORVEN");
        writeFile(dir.path() / "names.dat",
                  "2012.7.2\r\ncase.kvd\r\ncase.kvo\r\ncase.kvp\r\ncase.kvr\r\n");
        // the result rows the engine prints on the console are of no interest here
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) {
            std::fflush(stdout);
            dup2(null, STDOUT_FILENO);
            close(null);
        }
    }
    ~Engine() { dlclose(handle); }

    // a run in the scratch folder, as the desktop program makes the project's folder current
    std::int32_t run() {
        const fs::path previous = fs::current_path();
        fs::current_path(dir.path());
        const std::int32_t r = entry(0);
        fs::current_path(previous);
        return r;
    }
};

int openDescriptors() {
    int n = 0;
    for (const auto& e : fs::directory_iterator("/proc/self/fd")) {
        (void)e;
        ++n;
    }
    return n;
}

Engine& engine() {
    static Engine e;
    return e;
}

}  // namespace

// the library is loaded before the first input, so that its coverage counts from the start
extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    engine();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    writeFile(engine().dir.path() / "case.kvd", text(data, size));
    const int before          = openDescriptors();
    const std::int32_t result = engine().run();
    if (result < 0 || result > kLastExpectedResult) finding("the run ended in an internal error");
    if (openDescriptors() != before) finding("the run left a file open");
    return 0;
}
