// Running the korven program from a test: its exit status, standard output and standard error.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "common/TestFiles.h"

namespace korven::test {

struct CliResult {
    int status = -1;
    std::string out, err;
};

/// `korven ARGS` run by the shell (ARGS as the shell reads them), in `dir` when given, with the
/// environment settings `env` ("NAME=value ...") when given.
inline CliResult runKorven(const std::string& args, const fs::path& dir = {},
                           const std::string& env = {}) {
    const fs::path errFile = fs::temp_directory_path() / ("korven-err-" + std::to_string(getpid()));
    std::string cmd =
        env + " " + std::string(KORVEN_BIN_DIR) + "/korven " + args + " 2>" + errFile.string();
    if (!dir.empty()) cmd = "cd '" + dir.string() + "' && " + cmd;
    CliResult r;
    FILE* p = popen(cmd.c_str(), "r");
    char buf[4096];
    while (p && fgets(buf, sizeof buf, p)) r.out += buf;
    const int st = p ? pclose(p) : -1;
    r.status     = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    r.err        = readText(errFile);
    std::error_code ec;
    fs::remove(errFile, ec);
    return r;
}

/// The example projects of the source tree, copied into `dir`; their file names.
inline std::vector<std::string> copyExamples(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(fs::path(KORVEN_SOURCE_DIR) / "examples"))
        if (e.path().extension() == ".kvd") {
            fs::copy_file(e.path(), dir / e.path().filename());
            names.push_back(e.path().filename().string());
        }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace korven::test
