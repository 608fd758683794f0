#include "UserProgramFolder.h"

#include "profile/PrivateProfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

constexpr QFile::Permissions kUserFile =
    QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;

// Copies a file so that the user can write the copy, whatever the installed one allowed.
bool copyFile(const QString& from, const QString& to)
{
    return QFile::copy(from, to) && QFile::setPermissions(to, kUserFile);
}

bool copyFolder(const QString& from, const QString& to)
{
    if (!QDir().mkpath(to))
        return false;
    const QDir source(from);
    for (const QFileInfo& entry :
         source.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        const QString target = QDir(to).filePath(entry.fileName());
        if (!(entry.isDir() ? copyFolder(entry.filePath(), target)
                            : copyFile(entry.filePath(), target)))
            return false;
    }
    return true;
}

// Copies what lies in the installed folder under that name (folder or file), if anything.
bool copyIfPresent(const QString& installedFolder, const QString& name, const QString& to)
{
    const QFileInfo entry(QDir(installedFolder).filePath(name));
    if (!entry.exists())
        return true;
    const QString target = QDir(to).filePath(entry.fileName());
    return entry.isDir() ? copyFolder(entry.filePath(), target)
                         : copyFile(entry.filePath(), target);
}

// The database the installed preferences name, brought along when it lies in the installed
// folder: the user could not write it there.
bool copyDatabase(const QString& installedFolder, const QString& building,
                  const QString& userFolder)
{
    const PrivateProfile profile(QDir(building).filePath(QStringLiteral("ini/qvprefs.ini")));
    const QString section = QStringLiteral("General");
    const QString key = QStringLiteral("Path");
    const QFileInfo database(profile.read(section, key));
    if (!database.isFile() || QFileInfo(database.absolutePath()).canonicalFilePath() !=
                                  QFileInfo(installedFolder).canonicalFilePath())
        return true;
    return copyFile(database.filePath(), QDir(building).filePath(database.fileName())) &&
           profile.write(section, key, QDir(userFolder).filePath(database.fileName()));
}

} // namespace

QString makeUserProgramFolder(const QString& installedFolder, const QString& userFolder)
{
    if (QFileInfo(userFolder).isDir())
        return userFolder;
    // Built beside its final place and renamed into it, so that an interrupted first start
    // leaves no half-made folder behind.
    const QString building =
        userFolder + QStringLiteral(".new-%1").arg(QCoreApplication::applicationPid());
    QDir(building).removeRecursively();
    const bool made = QDir().mkpath(building) &&
                      copyIfPresent(installedFolder, QStringLiteral("ini"), building) &&
                      copyIfPresent(installedFolder, QStringLiteral("HTML"), building) &&
                      copyIfPresent(installedFolder, QStringLiteral("tavrel.ini"), building) &&
                      copyDatabase(installedFolder, building, userFolder) &&
                      QDir().rename(building, userFolder);
    if (!made)
        QDir(building).removeRecursively();
    // Another start of the program may have made it first.
    return QFileInfo(userFolder).isDir() ? userFolder : QString();
}
