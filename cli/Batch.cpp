// Child processes of `korven run`, at most N at a time, with their exit status and error line.
#include "Batch.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <map>

#include "Commands.h"

extern char** environ;

namespace fs = std::filesystem;

namespace korven::cli {
namespace {

std::string selfPath() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string("korven") : exe.string();
}

std::string firstLine(const std::string& text) {
    std::string line = text.substr(0, text.find('\n'));
    if (line.starts_with("korven: ")) line.erase(0, 8);
    return line;
}

// Removes the folder of the children's error files on every path.
struct ScratchFolder {
    fs::path path;
    ScratchFolder() {
        std::string pattern = (fs::temp_directory_path() / "korven-batch-XXXXXX").string();
        if (mkdtemp(pattern.data())) path = pattern;
    }
    ~ScratchFolder() {
        std::error_code ec;
        if (!path.empty()) fs::remove_all(path, ec);
    }
    ScratchFolder(const ScratchFolder&)            = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
};

class Progress {
public:
    Progress(std::size_t total, BatchOptions::Progress style)
        : total_(total), style_(style), on_(isatty(STDERR_FILENO) == 1) {}
    void finished(const BatchRun& run) {
        ++done_;
        if (!on_) return;
        if (style_ == BatchOptions::Progress::Lines) {
            std::cerr << "[" << done_ << "/" << total_ << "] " << run.project << ": "
                      << (run.status == 0 ? "done" : "failed") << "\n";
            return;
        }
        constexpr std::size_t width = 30;
        const std::size_t filled    = total_ ? done_ * width / total_ : width;
        std::cerr << "\r[" << std::string(filled, '#') << std::string(width - filled, '.') << "] "
                  << done_ << "/" << total_ << (done_ == total_ ? "\n" : "") << std::flush;
    }

private:
    std::size_t total_, done_ = 0;
    BatchOptions::Progress style_;
    bool on_;
};

}  // namespace

int coreCount() {
    const long n = sysconf(_SC_NPROCESSORS_ONLN);
    return n >= 1 ? static_cast<int>(n) : 1;
}

int parseJobs(const std::string& text) {
    int n        = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), n);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size() || n < 1 || n > 1024) return 0;
    return n;
}

std::vector<BatchRun> runBatch(const std::vector<std::string>& projects,
                               const BatchOptions& options) {
    std::vector<BatchRun> runs;
    for (const auto& p : projects) runs.push_back({p, -1, {}});
    const std::size_t jobs =
        static_cast<std::size_t>(options.jobs > 0 ? options.jobs : coreCount());
    const std::string self = selfPath();
    ScratchFolder scratch;
    Progress progress(runs.size(), options.progress);

    std::map<pid_t, std::size_t> running;
    std::size_t next = 0;
    auto errFile     = [&](std::size_t i) { return (scratch.path / std::to_string(i)).string(); };
    while (next < runs.size() || !running.empty()) {
        while (next < runs.size() && running.size() < jobs) {
            const std::size_t i = next++;
            std::error_code ec;
            const std::string project     = fs::absolute(runs[i].project, ec).string();
            std::vector<std::string> args = {self, "run", "--quiet", kPrivateFolderOption};
            if (options.trace) args.push_back("--trace");
            args.push_back(project);
            std::vector<char*> argv;
            for (auto& a : args) argv.push_back(a.data());
            argv.push_back(nullptr);

            posix_spawn_file_actions_t actions;
            posix_spawn_file_actions_init(&actions);
            posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
            const std::string err = scratch.path.empty() ? "/dev/null" : errFile(i);
            posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(),
                                             O_WRONLY | O_CREAT | O_TRUNC, 0600);
            pid_t pid = 0;
            const int fail =
                posix_spawn(&pid, self.c_str(), &actions, nullptr, argv.data(), environ);
            posix_spawn_file_actions_destroy(&actions);
            if (fail != 0) {
                runs[i].message = "cannot start a run: " + std::string(std::strerror(fail));
                progress.finished(runs[i]);
                continue;
            }
            running[pid] = i;
        }
        if (running.empty()) continue;
        int status      = 0;
        const pid_t pid = waitpid(-1, &status, 0);
        if (pid < 0) {
            if (errno == EINTR) continue;
            break;  // no children left to wait for
        }
        const auto it = running.find(pid);
        if (it == running.end()) continue;
        BatchRun& run = runs[it->second];
        run.status    = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        if (run.status != 0) {
            run.message = firstLine(readFile(errFile(it->second)));
            if (run.message.empty())
                run.message = WIFSIGNALED(status)
                                  ? "the run ended by signal " + std::to_string(WTERMSIG(status))
                                  : "the run failed";
        }
        running.erase(it);
        progress.finished(run);
    }
    return runs;
}

}  // namespace korven::cli
