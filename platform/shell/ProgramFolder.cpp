#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

QString programFolder()
{
    const QString overridden = qEnvironmentVariable("QUORVEL_PROGRAM_DIR");
    if (!overridden.isEmpty())
        return QDir::cleanPath(QDir(overridden).absolutePath());
    return QCoreApplication::applicationDirPath();
}

QString pathInProgramFolder(const QString& path)
{
    return QDir(programFolder()).absoluteFilePath(path);
}
