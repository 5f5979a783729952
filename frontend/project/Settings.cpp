// Settings in a per-user file in place of a registry key.
#include "Settings.h"

#include <QSettings>

namespace korven {
namespace {

struct TGroup {
    QSettings s{QSettings::NativeFormat, QSettings::UserScope, QLatin1String(kSettingsOrganisation),
                QLatin1String(kSettingsProduct)};
    TGroup() { s.beginGroup(QLatin1String(kSettingsGroup)); }
    ~TGroup() { s.endGroup(); }
    TGroup(const TGroup&)            = delete;
    TGroup& operator=(const TGroup&) = delete;
};

QString FileKey(int i) { return QStringLiteral("File%1").arg(i + 1); }

}  // namespace

QString DefaultTextEditor() { return QStringLiteral("xdg-open"); }

QString TSettingsStore::ReadEditorAtCreate() {
    TGroup g;
    if (g.s.status() != QSettings::NoError) return DefaultTextEditor();
    const QString stored = g.s.value(QLatin1String(kWordProcessorValue)).toString();
    if (!g.s.contains(QLatin1String(kWordProcessorValue))) {
        g.s.setValue(QLatin1String(kWordProcessorValue), DefaultTextEditor());
        g.s.sync();
    }
    return stored.isEmpty() ? DefaultTextEditor() : stored;
}

bool TSettingsStore::ReadAtShow(QString& editor, TRecentFiles& recent) {
    TGroup g;
    if (g.s.status() != QSettings::NoError) {
        editor.clear();
        recent.Clear();
        return false;
    }
    const QString stored = g.s.value(QLatin1String(kWordProcessorValue)).toString();
    if (!stored.isEmpty()) editor = stored;
    for (int i = 0; i < TRecentFiles::kSize; ++i) recent.Set(i, g.s.value(FileKey(i)).toString());
    return true;
}

bool TSettingsStore::Write(const QString& editor, const TRecentFiles& recent) {
    {
        TGroup g;
        g.s.setValue(QLatin1String(kWordProcessorValue), editor);
    }
    return WriteRecent(recent);
}

bool TSettingsStore::WriteRecent(const TRecentFiles& recent) {
    TGroup g;
    for (int i = 0; i < TRecentFiles::kSize; ++i) g.s.setValue(FileKey(i), recent[i]);
    g.s.sync();
    return g.s.status() == QSettings::NoError;
}

}  // namespace korven
