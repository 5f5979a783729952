// Keeping a project's results current.
#include "ProjectFiles.h"

#include <filesystem>

#include "Batch.h"

namespace fs = std::filesystem;

namespace korven::cli {

bool resultsCurrent(const RunFiles& files) {
    std::error_code ec;
    const auto project = fs::last_write_time(files.project, ec);
    if (ec) return false;
    for (const auto& f : {files.report, files.plot}) {
        const auto t = fs::last_write_time(f, ec);
        if (ec || t < project) return false;
    }
    return true;
}

bool ensureResults(const RunFiles& files, std::string& error) {
    if (resultsCurrent(files)) return true;
    BatchOptions options;
    options.jobs    = 1;
    const auto runs = runBatch({files.project}, options);
    if (runs.front().status == 0) return true;
    error = runs.front().message;
    return false;
}

}  // namespace korven::cli
