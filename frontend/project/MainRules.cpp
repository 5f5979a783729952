// The main window's rules that need no window.
#include "MainRules.h"

#include <QFileInfo>
#include <algorithm>

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

QString FilterSuffix(const QString& filter) {
    const qsizetype open  = filter.lastIndexOf(QLatin1Char('('));
    const qsizetype close = filter.lastIndexOf(QLatin1Char(')'));
    if (open < 0 || close < open) return {};
    const QString pattern = filter.mid(open + 1, close - open - 1).trimmed();
    if (!pattern.startsWith(QLatin1String("*.")) || pattern.contains(QLatin1Char(' '))
        || pattern.contains(QLatin1Char(';')))
        return {};
    const QString suffix = pattern.mid(2);
    return suffix.contains(QLatin1Char('*')) || suffix.contains(QLatin1Char('.')) ? QString()
                                                                                  : suffix;
}

QString DefaultSuffix(const QStringList& filters, const QString& chosen) {
    if (const QString own = FilterSuffix(chosen); !own.isEmpty()) return own;
    for (const QString& f : filters)
        if (const QString s = FilterSuffix(f); !s.isEmpty()) return s;
    return {};
}

QString PictureFileName(const QString& chosen, const QString& suffix) {
    if (chosen.isEmpty()) return {};
    const QFileInfo info(chosen);
    QString name = chosen;
    if (info.suffix().isEmpty() && !suffix.isEmpty()) name += QLatin1Char('.') + suffix;
    if (QFileInfo(name).suffix().compare(QLatin1String("kvd"), Qt::CaseInsensitive) == 0) return {};
    return name;
}

bool GraphItemEnabled(int graphIndex, bool resultsLoaded, bool plotFileExists,
                      bool settlementAvailable) {
    constexpr int kFirstBoundsGraph = 9;  // upper bound, lower bound, combined settlement
    if (graphIndex < 0 || graphIndex >= 12) return false;
    return resultsLoaded && plotFileExists
           && (graphIndex < kFirstBoundsGraph || settlementAvailable);
}

TTextOpener ChooseTextOpener(const QString& editor, bool systemOpenerFound) {
    const QString program = editor.trimmed();
    if (!program.isEmpty() && program != QLatin1String(kSystemOpener)) return TTextOpener::Editor;
    return systemOpenerFound ? TTextOpener::SystemOpener : TTextOpener::Viewer;
}

bool GraphShowsOneDiameter(int graphIndex) {
    return graphIndex == 6 || graphIndex == 7 || graphIndex == 11;
}

QString GraphWindowName(const QString& caption, const QString& menuCaption,
                        const QString& diameter) {
    QString name = caption.trimmed();
    if (name.isEmpty()) {
        name = menuCaption;
        name.replace(QLatin1String("&&"), QLatin1String("\x01"));
        name.remove(QLatin1Char('&'));
        name.replace(QLatin1Char('\x01'), QLatin1Char('&'));
        name = name.trimmed();
    }
    if (!diameter.trimmed().isEmpty()) name += QLatin1String(", ") + diameter.trimmed();
    return name;
}

QPoint CascadePosition(int n, const QSize& area, const QSize& window, int step) {
    step           = std::max(step, 1);
    const int room = std::min(area.width() - window.width(), area.height() - window.height());
    // how many steps fit before a window would run over the edge
    const int fit = std::max(room / step + 1, 1);
    const int k   = std::max(n, 0) % fit;
    return {k * step, k * step};
}

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
