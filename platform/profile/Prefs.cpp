#include "Prefs.h"

#include "PrivateProfile.h"
#include "shell/ProgramFolder.h"

#include <QDir>

namespace {
constexpr int kReadBufferSize = 255;
}

QString prefsFilePath(const QString& folderName)
{
    return programFolder() + QLatin1Char('/') + folderName + QStringLiteral("/qvprefs.ini");
}

QString prefsFileShown(const QString& filePath)
{
    return QDir::toNativeSeparators(PrivateProfile(filePath).resolvedPath());
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
