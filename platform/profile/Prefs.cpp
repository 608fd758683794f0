#include "Prefs.h"

#include "PathCase.h"
#include "PrivateProfile.h"
#include "shell/ProgramFolder.h"

namespace {
constexpr int kReadBufferSize = 255;
}

QString prefsFilePath(const QString& folderName)
{
    return resolvePathCase(programFolder(), folderName + QStringLiteral("/qvprefs.ini"));
}

QString ReadPref(const QString& section, const QString& key, const QString& filePath)
{
    return PrivateProfile(filePath).read(section, key, QString(), kReadBufferSize);
}

bool WritePref(const QString& section, const QString& key, const QString& value,
               const QString& filePath)
{
    return PrivateProfile(filePath).write(section, key, value);
}

bool WritePrefs(const QString& section, const PrivateProfile::Entries& entries,
                const QString& filePath)
{
    return PrivateProfile(filePath).write(section, entries);
}
