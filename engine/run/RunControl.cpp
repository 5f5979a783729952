// The engine entry's run: reads names.dat, opens the channels, writes the header, runs the
// analysis and closes everything on every path.
#include "run/RunControl.h"

#include <ctime>
#include <fstream>
#include <iostream>
#include <memory>
#include <new>
#include <sstream>

#include "capacity/DesignLoop.h"

namespace korven::run {
namespace {

constexpr Format kBanner     = "(A//)";
constexpr Format kPrompt     = "(/7X,A/A)";
constexpr Format kPromptLast = "(//7X,A/A)";
constexpr Format kVersion    = "(/20X,'  KORVEN for Windows, Version ',A12/)";
constexpr Format kProgram    = "(20X,'VERTICALLY LOADED DRILLED SHAFT ANALYSIS'/)";
constexpr Format kFileLine   = "(5X,A,A,A)";
constexpr Format kDateTitle  = "(26X,'Time and Date of Analysis')";
constexpr Format kDate = "(15X,'Date:  ',A,' ',I2.2,', ',I4,5X,'Time:  ',I2.2,':',I2.2,':',I2.2/)";

std::string trimRight(std::string s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\r' || s.back() == '\n')) s.pop_back();
    return s;
}

// A path line as the 255-character field keeps it: cut at 255, blank padding dropped.
std::string pathField(std::string line) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > 255) line.resize(255);
    return trimRight(line);
}

void writeRule(Channel& ch, char c) {
    ch.put("     ");
    ch.put(std::string(73, c));
    ch.put("\n");
}

bool readWholeFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    text = s.str();
    return !in.bad();
}

std::string askPath(Channel& con, std::istream& console, Format layout, const char* prompt) {
    con.write(layout, prompt, " ENTER >");
    std::string line;
    std::getline(console, line);
    return pathField(line);
}

void closeAll(RunContext& ctx) {
    ctx.projectText.clear();
    ctx.report.close();
    ctx.plot.close();
    ctx.runtime.close();
    ctx.tzdata.close();
    ctx.con.close();
    ctx.trace.close();
}

std::int32_t run(RunContext& ctx, std::istream& console) {
    ctx.result = kRunDone;
    ctx.con.attachStdout();
    ctx.con.write(kBanner, " VERTICALLY LOADED DRILLED SHAFT ANALYSIS PROGRAM KORVEN");

    std::ifstream names("names.dat");
    if (!names) return kNoNamesFile;
    std::string line;
    if (!std::getline(names, line)) return kNoNamesFile;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    line.resize(12, ' ');
    ctx.version = line;

    std::string* paths[] = {&ctx.projectPath, &ctx.reportPath, &ctx.plotPath, &ctx.runtimePath};
    bool allRead         = true;
    for (std::string* p : paths) {
        if (allRead && std::getline(names, line))
            *p = pathField(line);
        else
            allRead = false;
    }
    // an optional sixth line asks for the per-foot trace
    if (allRead && std::getline(names, line)) ctx.tracePath = pathField(line);
    names.close();
    if (!allRead) {
        ctx.projectPath = askPath(ctx.con, console, kPrompt, "ENTER THE NAME FOR THE INPUT FILE");
        ctx.reportPath  = askPath(ctx.con, console, kPrompt, "ENTER A NAME FOR THE OUTPUT FILE:");
        ctx.plotPath =
            askPath(ctx.con, console, kPromptLast, "ENTER A FILE NAME FOR YOUR GRAPHIC DATA FILE.");
    }

    // channels 5, 6, 2, 4; nothing is written unless all four are there
    if (ctx.projectPath.empty() || !readWholeFile(ctx.projectPath, ctx.projectText))
        return kCannotOpen;
    if (ctx.reportPath.empty() || !ctx.report.open(ctx.reportPath)) return kCannotOpen;
    if (ctx.plotPath.empty() || !ctx.plot.open(ctx.plotPath)) return kCannotOpen;
    if (ctx.runtimePath.empty() || !ctx.runtime.open(ctx.runtimePath)) return kCannotOpen;
    if (!ctx.tracePath.empty() && !ctx.trace.open(ctx.tracePath)) {
        writeBlock(ctx.runtime, {"*********************ERROR**********************",
                                 "THE TRACE FILE CANNOT BE CREATED:", ctx.tracePath});
        return kCannotOpen;
    }

    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    writeHeader(ctx, local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                local.tm_min, local.tm_sec);

    capacity::analyse(ctx);
    return ctx.result;
}

}  // namespace

PathParts splitPath(const std::string& path) {
    PathParts p;
    const auto slash       = path.find_last_of('/');
    const auto nameAt      = slash == std::string::npos ? 0 : slash + 1;
    p.dir                  = path.substr(0, nameAt);
    const std::string base = path.substr(nameAt);
    const auto dot         = base.find_last_of('.');
    if (dot == std::string::npos || dot == 0) {
        p.name = base;
    } else {
        p.name = base.substr(0, dot);
        p.ext  = base.substr(dot, 5);
    }
    if (p.dir.size() > 256) p.dir.resize(256);
    if (p.name.size() > 256) p.name.resize(256);
    return p;
}

void writeHeader(RunContext& ctx, int year, int month, int day, int hour, int minute, int second) {
    Channel& out = ctx.report;
    writeRule(out, '=');
    out.write(kVersion, ctx.version);
    out.write(kProgram);
    writeRule(out, '=');
    out.put("\n");

    const PathParts project = splitPath(ctx.projectPath);
    out.write(kFileLine, "Path to file locations      : ", project.drive, project.dir);
    const std::pair<const char*, const std::string*> files[] = {
        {"Name of input data file     : ", &ctx.projectPath},
        {"Name of output file         : ", &ctx.reportPath},
        {"Name of plot output file    : ", &ctx.plotPath},
        {"Name of runtime file        : ", &ctx.runtimePath},
    };
    for (const auto& [label, path] : files) {
        const PathParts parts = splitPath(*path);
        out.write(kFileLine, label, parts.name, parts.ext);
    }
    out.put("\n\n");
    writeRule(out, '-');
    out.write(kDateTitle);
    writeRule(out, '-');
    out.put("\n");

    static constexpr const char* kMonths[] = {"January",   "February", "March",    "April",
                                              "May",       "June",     "July",     "August",
                                              "September", "October",  "November", "December"};
    if (month >= 1 && month <= 12)
        out.write(kDate, kMonths[month - 1], day, year, hour, minute, second);
}

std::int32_t runEngine(std::istream& console) {
    std::unique_ptr<RunContext> ctx;
    try {
        ctx = std::make_unique<RunContext>();
    } catch (...) {
        return kInternalError;
    }
    std::int32_t result = kInternalError;
    try {
        result = run(*ctx, console);
    } catch (const RunStop&) {
        result = kRunStopped;
    } catch (const std::bad_alloc&) {
        ctx->runtime.put(
            "\n\n     *********************ERROR**********************\n"
            "     OUT OF MEMORY: THE RUN WAS STOPPED\n\n\n");
        result = kInternalError;
    } catch (const std::exception& e) {
        ctx->runtime.put(
            "\n\n     *********************ERROR**********************\n"
            "     INTERNAL ERROR: ");
        ctx->runtime.put(e.what());
        ctx->runtime.put("\n\n\n");
        result = kInternalError;
    } catch (...) {
        result = kInternalError;
    }
    closeAll(*ctx);
    return result;
}

std::int32_t runEngine() { return runEngine(std::cin); }

}  // namespace korven::run
