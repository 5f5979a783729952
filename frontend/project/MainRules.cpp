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

QString SoilTableComments(int designMethod) {
    QString text = QStringLiteral(
        "Max. Side Friction and Max. End Bearing:\n"
        "\u2022 If entries are left as zero, the program assumes no limits in side friction and "
        "end bearing computed by the program.");
    if (designMethod == 1)
        text += QStringLiteral(
            "\nLRFD Resistance Factors\n"
            "\u2022 Options for entering LRFD resistance factors for side friction and for for tip "
            "resistance in each layer.");
    return text;
}

QString SandTableComments() {
    return QStringLiteral(
        "The user may optionally enter blow counts only in cases the friction angle is not "
        "readily available.\n"
        "When both friction angels and blow counts are entered, only friction angels are used "
        "for computation. \n"
        "If the user intends to use Ko for side-friction computation, please leave Beta as "
        "zero. \n"
        "If the user intends to use Beta coefficient for side-friction computation, please leave "
        "Ko as zero.\n"
        "If the user designates zero values for both Ko and Beta, the program will internally "
        "generate Beta for \n"
        "side-friction computation.");
}

QString ClayTableComments() {
    return QStringLiteral(
        "The user may optionally enter blow counts only in cases the cohesion is not readily "
        "available.\n"
        "If the user designates zero values for both Alpha factor and Nc,\n"
        "the program will internally generate those values during computation.");
}

}  // namespace korven
