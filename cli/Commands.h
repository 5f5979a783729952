// The command table of korven and what every command shares: the entry of each command takes
// the arguments that follow its name and returns the exit status.
#pragma once

#include <span>
#include <string>
#include <vector>

namespace korven::cli {

#define KORVEN_COMMAND(name, entry, help) int entry(const std::vector<std::string>& args);
#include "CommandList.h"
#undef KORVEN_COMMAND

struct Command {
    const char* name;
    int (*entry)(const std::vector<std::string>& args);
    const char* help;
};

/// Every command of CommandList.h, in its order.
std::span<const Command> commands();

/// Exit status of a usage error (a bad option, a missing argument, a missing file).
inline constexpr int kUsageError = 2;

/// Writes "korven: MESSAGE" as one line on standard error.
void printError(const std::string& message);

/// The whole content of a file, empty when it cannot be read.
std::string readFile(const std::string& path);

}  // namespace korven::cli
