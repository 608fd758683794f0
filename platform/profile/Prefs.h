#pragma once

#include "PrivateProfile.h"

#include <QString>

// The preferences file qvprefs.ini in the folder "ini" of the program folder. Every value
// is read afresh from the file and written at once; nothing is cached.

// The file's path as this file system spells it. Callers spell the folder "ini" or "Ini";
// both reach the same file (see PathCase.h).
QString prefsFilePath(const QString& folderName = QStringLiteral("ini"));

// A value of the preferences file as a 255-character buffer receives it: at most 254
// characters; "" for an absent file, section or key.
QString ReadPref(const QString& section, const QString& key,
                 const QString& filePath = prefsFilePath());

// Writes a value, creating key, section and file (when the folder exists). False when
// the file could not be written.
bool WritePref(const QString& section, const QString& key, const QString& value,
               const QString& filePath = prefsFilePath());

// Writes several keys of one section at once: all of them or none.
bool WritePrefs(const QString& section, const PrivateProfile::Entries& entries,
                const QString& filePath = prefsFilePath());
