// The main window's rules that need no window: caption, command-line name and recent files.
#pragma once

#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <array>

namespace korven {

inline constexpr const char* kVersionString  = "2012.7.2";
inline constexpr const char* kUntitledName   = "NewKorven.kvd";
inline constexpr const char* kEngineLibrary  = "Korven2012_DLL.so";
inline constexpr const char* kRunControlFile = "names.dat";
inline constexpr const char* kSystemOpener   = "xdg-open";

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

/// The extension a file dialog filter such as "Bitmap (*.bmp)" stands for ("bmp"); empty for a
/// filter of several extensions or of any file ("All Files(*.*)").
QString FilterSuffix(const QString& filter);

/// The extension a save dialog gives a name typed without one: that of the chosen filter, or,
/// for a filter of any file, that of the first filter that has one.
QString DefaultSuffix(const QStringList& filters, const QString& chosen);

/// The name a picture is written to: `chosen` with `suffix` appended when it has no extension.
/// Empty when the name is a project file's (".kvd", any case): a picture never replaces one.
QString PictureFileName(const QString& chosen, const QString& suffix);

/// Whether the graph of `graphIndex` (the order of the Graphics menu) may be opened: results of
/// this project are loaded and their plot data file still exists; the upper, lower and combined
/// settlement graphs (9 to 11) also need settlement curves in those results.
bool GraphItemEnabled(int graphIndex, bool resultsLoaded, bool plotFileExists,
                      bool settlementAvailable);

/// Who shows a text file (report, runtime file, project file): the text editor the user set;
/// the desktop's opener when the setting is empty or names that opener; the built-in viewer when
/// the opener is not installed.
enum class TTextOpener { Editor, SystemOpener, Viewer };
TTextOpener ChooseTextOpener(const QString& editor, bool systemOpenerFound);

/// Whether the graph of `graphIndex` draws one diameter only: the three combined graphs (6, 7
/// and 11), which show the smallest diameter of the range.
bool GraphShowsOneDiameter(int graphIndex);

/// Title of a graph window and its entry in the Window menu: the graph's caption, or its menu
/// item's text (access keys and trailing blanks dropped) when the graph has none; followed by
/// ", " and `diameter` when that is given.
QString GraphWindowName(const QString& caption, const QString& menuCaption,
                        const QString& diameter);

/// Where the `n`-th new child window (from 0) goes in an area of `area`: each one `step` pixels
/// right of and below the one before, starting again at the top left when a window of `window`
/// would no longer fit.
QPoint CascadePosition(int n, const QSize& area, const QSize& window, int step);

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
