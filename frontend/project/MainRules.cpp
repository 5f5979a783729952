// The main window's rules that need no window.
#include "MainRules.h"

#include <QFileInfo>

namespace korven {

QString ProjectShortName(const QString& fileName) {
    QString name = QFileInfo(fileName).fileName();
    if (name.endsWith(QLatin1String(".kvd"), Qt::CaseInsensitive)) name.chop(4);
    if (name.size() > 1) name[0] = name[0].toUpper();
    return name;
}

QString MainCaption(const QString& fileName) {
    return QStringLiteral("KORVEN %1 - ").arg(QLatin1String(kVersionString))
           + ProjectShortName(fileName);
}

QString CommandLineProject(const QString& argument) {
    const qsizetype slash  = argument.lastIndexOf(QLatin1Char('/'));
    const QString fileName = argument.mid(slash + 1);
    return fileName.contains(QLatin1Char('.')) ? argument : argument + QLatin1String(".kvd");
}

bool IsUntitled(const QString& fileName) { return fileName == QLatin1String(kUntitledName); }

bool TRecentFiles::Add(const QString& path) {
    if (FItems[0] == path) return false;
    std::size_t from = kSize - 1;  // not found: everything moves down, the tenth drops
    for (std::size_t i = 1; i < kSize; ++i) {
        if (FItems[i] == path) {
            from = i;
            break;
        }
    }
    for (std::size_t i = from; i > 0; --i) FItems[i] = FItems[i - 1];
    FItems[0] = path;
    return true;
}

int TRecentFiles::Count() const {
    int n = 0;
    for (const QString& s : FItems)
        if (!s.isEmpty()) ++n;
    return n;
}

void TRecentFiles::Clear() {
    for (QString& s : FItems) s.clear();
}

QString TRecentFiles::MenuText(int i, const QString& currentDir) const {
    QString path = (*this)[i];
    QString dir  = currentDir;
    if (!dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
    if (path.startsWith(dir)) path = path.mid(dir.size());
    return QString::number(i + 1) + QLatin1Char(' ') + path;
}

}  // namespace korven
