// One library loaded at run time: the engine, loaded for a run and unloaded after it.
#pragma once

#include <stdexcept>
#include <string>

namespace korven {

/// Base of the loader's failures, so that a run can catch them with one handler.
class EDLLError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// An entry was looked up while no library is loaded.
class EDLLNotOpenError : public EDLLError {
public:
    EDLLNotOpenError() : EDLLError("Library is not open") {}
};

/// The library was found but could not be made ready: a symbol it needs is missing, or the
/// system could not set up its data.
class EInitError : public EDLLError {
public:
    explicit EInitError(std::string detail)
        : EDLLError("Library failed to properly initialize"), Detail(std::move(detail)) {}
    std::string Detail;  ///< the system loader's own text
};

/// The library, or one it depends on, does not exist.
class EFileNotFoundError : public EDLLError {
public:
    explicit EFileNotFoundError(std::string detail)
        : EDLLError("Library could not be located"), Detail(std::move(detail)) {}
    std::string Detail;  ///< the system loader's own text
};

class TDynamicLibrary {
public:
    TDynamicLibrary() = default;
    ~TDynamicLibrary();
    TDynamicLibrary(const TDynamicLibrary&)            = delete;
    TDynamicLibrary& operator=(const TDynamicLibrary&) = delete;

    const std::string& LibraryName() const { return FLibraryName; }
    /// Unloads the library first if one is loaded.
    void SetLibraryName(const std::string& name);

    /// Loads the library unless it is loaded already. Throws EInitError or EFileNotFoundError
    /// for those two failures; any other failure throws nothing and leaves the library not
    /// loaded, with the system's text in LastError().
    void Load();
    bool IsLoaded() const { return FHandle != nullptr; }
    /// The address of an exported entry, null when the library has no such entry. Throws
    /// EDLLNotOpenError when no library is loaded.
    void* Lookup(const std::string& entryName) const;
    /// Unloads the library when one is loaded. Always false.
    bool Unload();

    /// The system loader's text for the last failed Load, empty after a successful one.
    const std::string& LastError() const { return FLastError; }

private:
    std::string FLibraryName;
    void* FHandle = nullptr;
    std::string FLastError;
};

}  // namespace korven
