// One analysis run through the engine library, without windows: the caller supplies the
// message box, the wait cursor and the loading of the results.
#pragma once

#include <QString>
#include <functional>
#include <memory>

namespace korven {

class TDynamicLibrary;

struct TRunHooks {
    std::function<void(const QString&)> Inform;       ///< an information box with OK
    std::function<void(bool)> WaitCursor;             ///< true: show it, false: restore
    std::function<void(const QString&)> LoadResults;  ///< the plot data file, when it exists
};

class TRunCommand {
public:
    explicit TRunCommand(QString libraryPath);
    ~TRunCommand();
    TRunCommand(const TRunCommand&)            = delete;
    TRunCommand& operator=(const TRunCommand&) = delete;

    /// Runs a saved project: "." as decimal separator, the project's folder as the current
    /// directory, names.dat, the library loaded, its entry called once, the completion message,
    /// the results loaded, the library unloaded, names.dat deleted, the separator restored.
    /// Returns true when the engine was called.
    bool Execute(const QString& projectPath, const TRunHooks& hooks);

    const QString& LibraryPath() const { return FLibraryPath; }
    void SetLibraryPath(const QString& path) { FLibraryPath = path; }

    static constexpr const char* kCompleted =
        "Computations are completed. Please, check output file for results or error messages.";
    static constexpr const char* kReinitialize = "Attempt to reinitialize DLL";
    static constexpr const char* kInitFailed   = "Attempt to initialize DLL failed";

private:
    QString FLibraryPath;
    std::unique_ptr<TDynamicLibrary> FLibrary;  ///< exists only while a run is under way
};

}  // namespace korven
