// The file and locale steps around one engine call: names.dat, and "." as the decimal separator
// for as long as the call lasts.
#pragma once

#include <QLocale>
#include <QString>
#include <clocale>
#include <string>

namespace korven {

/// The project path with its extension replaced (".kvo", ".kvp", ".kvr").
QString WithExtension(const QString& path, const char* extension);

/// The engine library of a program in `programDir`: beside it (the build tree) or, when no file
/// is there, in ../lib/korven (an installed program). The path beside it when neither exists.
QString EngineLibraryPath(const QString& programDir);

/// A document of the program, `relative` to its documentation folder: the installed one
/// (../share/doc/korven) or the build tree's (../docs). Empty when neither holds it.
QString DocumentPath(const QString& programDir, const QString& relative);

/// Writes the five lines of names.dat into `folder`: the version, the project path and the
/// report, plot data and runtime paths derived from it. False with `error` set when the file
/// cannot be written completely.
bool WriteRunControlFile(const QString& folder, const QString& projectPath, QString& error);

/// Forces "." as the decimal separator, for the C library (LC_NUMERIC "C", process-wide and
/// for this thread) and for Qt's default locale, and puts back what was there when destroyed,
/// whatever path leaves the scope.
class TDecimalPointGuard {
public:
    TDecimalPointGuard();
    ~TDecimalPointGuard();
    TDecimalPointGuard(const TDecimalPointGuard&)            = delete;
    TDecimalPointGuard& operator=(const TDecimalPointGuard&) = delete;

private:
    std::string FNumeric;    ///< LC_NUMERIC of the process before
    locale_t FCLocale;       ///< the "C" numeric locale this thread uses meanwhile
    locale_t FThreadBefore;  ///< this thread's locale before
    QLocale FQtBefore;
};

}  // namespace korven
