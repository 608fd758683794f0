#include "DesktopShell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>

bool DesktopShell::openDocument(const QString& target, const QString& workingFolder)
{
    const QUrl url = documentUrl(target, workingFolder);
    return url.isValid() && QDesktopServices::openUrl(url);
}

bool DesktopShell::startCommandLine(const QString& commandLine, WindowMode)
{
    QStringList parts = QProcess::splitCommand(commandLine);
    if (parts.isEmpty())
        return false;
    const QString program = parts.takeFirst();
    return QProcess::startDetached(program, parts);
}

bool DesktopShell::startProgram(const QString& programPath)
{
    if (!QFileInfo(programPath).isExecutable())
        return false;
    return QProcess::startDetached(programPath, {});
}
