// Channels and the framed message blocks of the engine.
#include "run/RunContext.h"

#include "run/StepWarnings.h"

namespace korven::run {

bool Channel::open(const std::string& path) {
    close();
    file_  = std::fopen(path.c_str(), "wb");
    owned_ = file_ != nullptr;
    return file_ != nullptr;
}

void Channel::attachStdout() {
    close();
    file_  = stdout;
    owned_ = false;
}

void Channel::discard() {
    close();
    discard_ = true;
}

void Channel::close() {
    if (file_ && owned_) std::fclose(file_);
    if (file_ && !owned_) std::fflush(file_);
    file_    = nullptr;
    owned_   = false;
    discard_ = false;
}

void Channel::put(std::string_view text) {
    if (file_) std::fwrite(text.data(), 1, text.size(), file_);
}

namespace {
constexpr Format kBlockLine = "(5X,A)";
}

void writeBlock(Channel& ch, std::initializer_list<std::string_view> lines) {
    ch.put("\n\n");
    for (auto line : lines) ch.write(kBlockLine, line);
    ch.put("\n\n");
}

void stopRun(RunContext& ctx, std::initializer_list<std::string_view> lines, bool alsoReport) {
    flushStepBlocks(ctx);
    writeBlock(ctx.runtime, lines);
    if (alsoReport) writeBlock(ctx.report, lines);
    std::string what;
    for (auto line : lines) {
        if (!what.empty()) what += ' ';
        what += line;
    }
    throw RunStop(what);
}

}  // namespace korven::run
