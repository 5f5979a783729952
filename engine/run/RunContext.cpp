// Channels and the framed message blocks of the engine.
#include "run/RunContext.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "run/StepWarnings.h"

namespace korven::run {

void Channel::useBuffer() {
    if (!buffer_) buffer_ = std::make_unique<char[]>(kBufferSize);
    begin_ = buffer_.get();
    pos_   = begin_;
    end_   = begin_ + kBufferSize;
}

bool Channel::open(const std::string& path) {
    deferred_.reset();
    close();
    failed_ = false;
    // An existing file is written over in place and cut to its new length on close: truncating
    // it on open makes the file system free its blocks (and flush the new ones on close), which
    // costs milliseconds per file, and TZDATA.DAT is rewritten for every settlement line.
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0) return false;
    struct stat st {};
    cutOnClose_ = fstat(fd_, &st) == 0 && S_ISREG(st.st_mode);
    written_    = 0;
    useBuffer();
    return true;
}

void Channel::attachStdout() {
    close();
    // nobody sees a console that is sent to /dev/null or closed: nothing is formatted for it then
    struct stat out {};
    struct stat null {};
    const bool hidden =
        fstat(STDOUT_FILENO, &out) != 0
        || (S_ISCHR(out.st_mode) && stat("/dev/null", &null) == 0 && out.st_rdev == null.st_rdev);
    if (hidden) {
        discard_ = true;
        return;
    }
    console_ = true;
    useBuffer();
}

void Channel::discard() {
    close();
    discard_ = true;
}

void Channel::flush() {
    if (pos_ != begin_) writeOut(begin_, static_cast<std::size_t>(pos_ - begin_));
    pos_ = begin_;
    if (console_) std::fflush(stdout);
}

void Channel::close() {
    if (deferred_) {
        const std::unique_ptr<DeferredRecords> last = std::move(deferred_);
        if (shown()) last->write(*this);
    }
    if (fd_ >= 0 || console_) flush();
    if (fd_ >= 0 && cutOnClose_ && ftruncate(fd_, static_cast<off_t>(written_)) != 0)
        failed_ = true;
    if (fd_ >= 0 && ::close(fd_) != 0) failed_ = true;
    fd_      = -1;
    console_ = false;
    discard_ = false;
    begin_ = pos_ = end_ = nullptr;
}

void Channel::writeOut(const char* p, std::size_t n) {
    if (console_) {
        if (std::fwrite(p, 1, n, stdout) != n) failed_ = true;
        return;
    }
    while (n > 0 && fd_ >= 0) {
        const ssize_t k = ::write(fd_, p, n);
        if (k < 0 && errno == EINTR) continue;
        if (k <= 0) {
            failed_ = true;
            return;
        }
        p += k;
        n -= static_cast<std::size_t>(k);
        written_ += static_cast<std::size_t>(k);
    }
}

void Channel::spill(const char* p, std::size_t n) {
    ++spills_;
    if (!shown()) return;
    if (pos_ != begin_) writeOut(begin_, static_cast<std::size_t>(pos_ - begin_));
    pos_ = begin_;
    if (n > kBufferSize / 2) {
        writeOut(p, n);
    } else if (n > 0) {
        std::memcpy(pos_, p, n);
        pos_ += n;
    }
}

void Channel::writeChecked(const Format& layout, const FormatItem* items, std::size_t n) {
    // a record refused half way is taken back while it is still in the buffer
    char* const mark         = pos_;
    const std::size_t spills = spills_;
    try {
        writeRecords(*this, layout, items, n);
    } catch (...) {
        if (spills == spills_) pos_ = mark;
        throw;
    }
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
