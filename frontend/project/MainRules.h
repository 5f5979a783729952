// The main window's rules that need no window: caption, command-line name and recent files.
#pragma once

#include <QString>
#include <QStringList>
#include <array>

namespace korven {

inline constexpr const char* kVersionString  = "2012.7.2";
inline constexpr const char* kUntitledName   = "NewKorven.kvd";
inline constexpr const char* kEngineLibrary  = "Korven2012_DLL.so";
inline constexpr const char* kRunControlFile = "names.dat";

/// File name without its folder, without ".kvd" (any case), first character in upper case when
/// the name has more than one character.
QString ProjectShortName(const QString& fileName);

/// "KORVEN 2012.7.2 - " followed by the short name.
QString MainCaption(const QString& fileName);

/// The project named on the command line: ".kvd" is appended when the file name part has no ".".
/// Only the part after the last "/" counts, so a dotted folder ("../a", "/home/x.y/p") does not
/// hide a missing extension.
QString CommandLineProject(const QString& argument);

/// True for the name that marks a project never saved.
bool IsUntitled(const QString& fileName);

/// The ten most recent project files, most recent first.
class TRecentFiles {
public:
    static constexpr int kSize = 10;

    /// Puts `path` first. Returns false when it already was first (nothing changed).
    bool Add(const QString& path);

    /// Number of non-empty entries.
    int Count() const;

    const QString& operator[](int i) const { return FItems.at(static_cast<std::size_t>(i)); }
    void Set(int i, const QString& path) { FItems.at(static_cast<std::size_t>(i)) = path; }
    void Clear();

    /// Menu text of entry i (from 0): its number from 1, a blank, and the path without the
    /// current directory and its "/" when the path starts with them.
    QString MenuText(int i, const QString& currentDir) const;

private:
    std::array<QString, kSize> FItems;
};

}  // namespace korven
