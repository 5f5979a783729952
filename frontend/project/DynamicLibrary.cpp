// Loading the engine library with the system loader and sorting its failures.
#include "project/DynamicLibrary.h"

#include <dlfcn.h>
#include <locale.h>

namespace korven {

namespace {

// The system loader's texts in the C locale, whatever the user's locale, so that they can be
// sorted by their wording. The switch holds for this thread only.
class CMessages {
public:
    CMessages() : FLocale(newlocale(LC_ALL_MASK, "C", nullptr)) {
        if (FLocale) FOld = uselocale(FLocale);
    }
    ~CMessages() {
        if (FLocale) {
            uselocale(FOld);
            freelocale(FLocale);
        }
    }
    CMessages(const CMessages&)            = delete;
    CMessages& operator=(const CMessages&) = delete;

private:
    locale_t FLocale;
    locale_t FOld = nullptr;
};

bool Contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

// The file or a library it needs does not exist.
bool MeansNotFound(const std::string& error) {
    return Contains(error, "cannot open shared object file: No such file or directory");
}

// The file was found and mapped, but binding its symbols or setting up its thread-local data
// failed: the closest there is to an initialisation that reports failure.
bool MeansInitFailed(const std::string& error) {
    return Contains(error, "undefined symbol") || Contains(error, "symbol lookup error")
           || Contains(error, "static TLS") || Contains(error, "cannot enable executable stack");
}

}  // namespace

TDynamicLibrary::~TDynamicLibrary() { Unload(); }

void TDynamicLibrary::SetLibraryName(const std::string& name) {
    Unload();
    FLibraryName = name;
}

void TDynamicLibrary::Load() {
    if (IsLoaded()) return;
    // an empty name would give the handle of the program itself
    if (FLibraryName.empty()) {
        FLastError = "No library name was given.";
        return;
    }
    const CMessages c;
    dlerror();  // a stale text from elsewhere must not be taken for ours
    FHandle = dlopen(FLibraryName.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (FHandle) {
        FLastError.clear();
        return;
    }
    const char* text = dlerror();
    FLastError       = text ? text : "unknown error";
    if (MeansNotFound(FLastError)) throw EFileNotFoundError(FLastError);
    if (MeansInitFailed(FLastError)) throw EInitError(FLastError);
}

void* TDynamicLibrary::Lookup(const std::string& entryName) const {
    if (!IsLoaded()) throw EDLLNotOpenError();
    return dlsym(FHandle, entryName.c_str());
}

bool TDynamicLibrary::Unload() {
    if (IsLoaded()) {
        dlclose(FHandle);
        FHandle = nullptr;
    }
    return false;
}

}  // namespace korven
