// One analysis run through the engine library.
#include "RunCommand.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdint>
#include <cstdio>

#include "project/DynamicLibrary.h"
#include "project/MainRules.h"
#include "project/RunSupport.h"

namespace korven {
namespace {

// Whatever way the run is left after names.dat was written, the library goes and names.dat
// goes with it, in that order.
class TRunCleanup {
public:
    TRunCleanup(std::unique_ptr<TDynamicLibrary>& library, QString namesFile)
        : FLibrary(library), FNamesFile(std::move(namesFile)) {}
    ~TRunCleanup() {
        FLibrary.reset();
        QFile::remove(FNamesFile);
    }
    TRunCleanup(const TRunCleanup&)            = delete;
    TRunCleanup& operator=(const TRunCleanup&) = delete;

private:
    std::unique_ptr<TDynamicLibrary>& FLibrary;
    QString FNamesFile;
};

// The desktop program has no console: the engine's standard output goes to /dev/null during the
// call, where the engine sees that nobody reads it and formats nothing for it.
class TNoConsole {
public:
    TNoConsole() {
        std::fflush(stdout);
        FSaved         = dup(STDOUT_FILENO);
        const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (FSaved >= 0 && null >= 0) dup2(null, STDOUT_FILENO);
        if (null >= 0) close(null);
    }
    ~TNoConsole() {
        if (FSaved < 0) return;
        std::fflush(stdout);
        dup2(FSaved, STDOUT_FILENO);
        close(FSaved);
    }
    TNoConsole(const TNoConsole&)            = delete;
    TNoConsole& operator=(const TNoConsole&) = delete;

private:
    int FSaved = -1;
};

class TWaitCursor {
public:
    explicit TWaitCursor(const TRunHooks& hooks) : FHooks(hooks) {
        if (FHooks.WaitCursor) FHooks.WaitCursor(true);
    }
    ~TWaitCursor() {
        if (FHooks.WaitCursor) FHooks.WaitCursor(false);
    }
    TWaitCursor(const TWaitCursor&)            = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;

private:
    const TRunHooks& FHooks;
};

}  // namespace

TRunCommand::TRunCommand(QString libraryPath) : FLibraryPath(std::move(libraryPath)) {}

TRunCommand::~TRunCommand() = default;

bool TRunCommand::Execute(const QString& projectPath, const TRunHooks& hooks) {
    const auto inform = [&hooks](const QString& text) {
        if (hooks.Inform) hooks.Inform(text);
    };
    TDecimalPointGuard decimalPoint;

    const QString folder = QFileInfo(projectPath).absolutePath();
    if (!QDir::setCurrent(folder)) {
        inform(QStringLiteral("The project's folder %1 cannot be entered.").arg(folder));
        return false;
    }
    QString error;
    if (!WriteRunControlFile(folder, projectPath, error)) {
        inform(
            QStringLiteral("%1 cannot be written: %2").arg(QLatin1String(kRunControlFile), error));
        return false;
    }
    const QString namesFile = QDir(folder).filePath(QLatin1String(kRunControlFile));
    if (FLibrary) {
        inform(QLatin1String(kReinitialize));
        return false;
    }
    TRunCleanup cleanup(FLibrary, namesFile);

    using TEntry = std::int32_t (*)(std::int32_t);
    TEntry entry = nullptr;
    try {
        FLibrary = std::make_unique<TDynamicLibrary>();
        FLibrary->SetLibraryName(FLibraryPath.toStdString());
        FLibrary->Load();
        entry = reinterpret_cast<TEntry>(FLibrary->Lookup("_IKORVEN"));
    } catch (const EDLLError&) {
        entry = nullptr;
    }
    if (!entry) {
        FLibrary.reset();
        inform(QLatin1String(kInitFailed));
        return false;
    }
    {
        TWaitCursor wait(hooks);
        TNoConsole noConsole;
        entry(0);
    }
    inform(QLatin1String(kCompleted));
    const QString plot = WithExtension(projectPath, ".kvp");
    if (QFileInfo::exists(plot) && hooks.LoadResults) hooks.LoadResults(plot);
    return true;
}

}  // namespace korven
