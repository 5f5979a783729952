// names.dat and the decimal separator of one run.
#include "RunSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include "MainRules.h"

namespace korven {

QString WithExtension(const QString& path, const char* extension) {
    const QFileInfo info(path);
    return info.dir().filePath(info.completeBaseName() + QLatin1String(extension));
}

QString EngineLibraryPath(const QString& programDir) {
    const QDir dir(programDir);
    const QString beside    = dir.filePath(QLatin1String(kEngineLibrary));
    const QString installed = dir.filePath(QStringLiteral("../lib/korven/") + kEngineLibrary);
    if (!QFileInfo::exists(beside) && QFileInfo::exists(installed))
        return QDir::cleanPath(installed);
    return beside;
}

QString DocumentPath(const QString& programDir, const QString& relative) {
    const QDir dir(programDir);
    for (const char* folder : {"../share/doc/korven/", "../docs/"}) {
        const QString path = QDir::cleanPath(dir.filePath(QLatin1String(folder) + relative));
        if (QFileInfo::exists(path)) return path;
    }
    return {};
}

bool WriteRunControlFile(const QString& folder, const QString& projectPath, QString& error) {
    const QString target = QDir(folder).filePath(QLatin1String(kRunControlFile));
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    // The engine reads each line as a whole, so a line break inside a path would shift every
    // later line; such a path cannot be handed over.
    if (projectPath.contains(QLatin1Char('\n')) || projectPath.contains(QLatin1Char('\r'))) {
        error = QStringLiteral("the project path contains a line break");
        file.cancelWriting();
        return false;
    }
    QByteArray text;
    for (const QString& line :
         {QString::fromLatin1(kVersionString), projectPath, WithExtension(projectPath, ".kvo"),
          WithExtension(projectPath, ".kvp"), WithExtension(projectPath, ".kvr")}) {
        text += line.toLocal8Bit();
        text += "\r\n";
    }
    if (file.write(text) != text.size() || !file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

TDecimalPointGuard::TDecimalPointGuard()
    : FCLocale(newlocale(LC_NUMERIC_MASK, "C", duplocale(LC_GLOBAL_LOCALE))),
      FThreadBefore(uselocale(nullptr)) {
    if (const char* now = std::setlocale(LC_NUMERIC, nullptr)) FNumeric = now;
    std::setlocale(LC_NUMERIC, "C");
    if (FCLocale) uselocale(FCLocale);
    QLocale::setDefault(QLocale::c());
}

TDecimalPointGuard::~TDecimalPointGuard() {
    QLocale::setDefault(FQtBefore);
    uselocale(FThreadBefore);
    if (FCLocale) freelocale(FCLocale);
    std::setlocale(LC_NUMERIC, FNumeric.empty() ? "C" : FNumeric.c_str());
}

}  // namespace korven
