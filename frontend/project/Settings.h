// The user's settings of the main window: the text editor and the ten recent files, kept with
// QSettings under the organisation and product of the program's registry key.
#pragma once

#include <QString>

#include "MainRules.h"

namespace korven {

inline constexpr const char* kSettingsOrganisation = "Pravex";
inline constexpr const char* kSettingsProduct      = "KORVEN";
inline constexpr const char* kSettingsGroup        = "2012.7.2";
inline constexpr const char* kWordProcessorValue   = "Word Processor";

/// The text editor used when none is set: the desktop's handler for the file's type.
QString DefaultTextEditor();

class TSettingsStore {
public:
    /// Start-up read of the text editor: creates the key when it is missing and writes the
    /// default there; a read error is ignored and leaves the default.
    static QString ReadEditorAtCreate();

    /// Read at first show. Returns false when the settings could not be read, in which case the
    /// editor and every recent entry are cleared as a read error demands. An empty stored editor
    /// keeps `editor` as it was.
    static bool ReadAtShow(QString& editor, TRecentFiles& recent);

    /// Writes the editor and the ten recent files; false when they could not be stored.
    static bool Write(const QString& editor, const TRecentFiles& recent);
    static bool WriteRecent(const TRecentFiles& recent);
};

}  // namespace korven
