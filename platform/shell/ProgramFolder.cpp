#include "ProgramFolder.h"

#include "UserProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString overriddenFolder()
{
    const QString overridden = qEnvironmentVariable("QUORVEL_PROGRAM_DIR");
    return overridden.isEmpty() ? QString() : QDir::cleanPath(QDir(overridden).absolutePath());
}

// Decided once per run: an installed folder does not become writable while the program runs.
QString installedProgramFolder()
{
    const QString executableFolder = QCoreApplication::applicationDirPath();
    if (QFileInfo(executableFolder).isWritable())
        return executableFolder;
    const QString userFolder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
        QStringLiteral("/quorvel");
    QDir().mkpath(QFileInfo(userFolder).absolutePath());
    const QString made = makeUserProgramFolder(executableFolder, userFolder);
    // Without a folder of its own the program still runs; what it writes is then refused.
    return made.isEmpty() ? executableFolder : made;
}

} // namespace

QString programFolder()
{
    const QString overridden = overriddenFolder();
    if (!overridden.isEmpty())
        return overridden;
    static const QString folder = installedProgramFolder();
    return folder;
}

QString applicationFolder()
{
    const QString overridden = overriddenFolder();
    return overridden.isEmpty() ? QCoreApplication::applicationDirPath() : overridden;
}

QString pathInProgramFolder(const QString& path)
{
    return QDir(programFolder()).absoluteFilePath(path);
}
