// korven: the command-line runner of the engine, a dispatcher over the commands of CommandList.h.
#include <algorithm>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>

#include "Commands.h"

namespace korven::cli {

std::span<const Command> commands() {
    static const Command table[] = {
#define KORVEN_COMMAND(name, entry, help) {name, entry, help},
#include "CommandList.h"
#undef KORVEN_COMMAND
    };
    return table;
}

void printError(const std::string& message) { std::cerr << "korven: " << message << "\n"; }

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace korven::cli

namespace {

void printHelp() {
    std::cout << "usage: korven COMMAND [ARGUMENTS] [OPTIONS]\n"
                 "       korven COMMAND --help\n"
                 "       korven --help | --version\n"
                 "\n"
                 "Runs the drilled-shaft analysis of project files with the engine library\n"
                 "Korven2012_DLL.so that sits beside this program.\n"
                 "\n"
                 "Commands:\n";
    for (const auto& c : korven::cli::commands()) {
        std::string name = c.name;
        name.resize(std::max<std::size_t>(name.size() + 2, 10), ' ');
        std::cout << "  " << name << c.help << "\n";
    }
    std::cout << "\nThe options of a command: korven COMMAND --help.\n"
                 "\nExit status: 0 on success, 1 when an analysis stopped or failed, 2 for a\n"
                 "usage error.\n";
}

}  // namespace

int main(int argc, char** argv) {
    using namespace korven::cli;
    if (argc < 2) {
        printError("no project given (usage: korven run PROJECT.kvd)");
        return kUsageError;
    }
    const std::string first = argv[1];
    if (first == "--help" || first == "-h" || first == "help") {
        printHelp();
        return 0;
    }
    if (first == "--version") {
        std::cout << "korven " << KORVEN_VERSION << "\n";
        return 0;
    }
    for (const auto& c : commands())
        if (first == c.name) return c.entry(std::vector<std::string>(argv + 2, argv + argc));
    printError("unknown command '" + first + "' (see korven --help)");
    return kUsageError;
}
