#include "DesktopShell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace {

QUrl urlOf(const QString& target)
{
    const QUrl url(target, QUrl::StrictMode);
    // A one-letter scheme is a drive letter of a path ("C:/..."), not an address.
    if (url.isValid() && url.scheme().size() > 1)
        return url;
    return QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
}

} // namespace

bool DesktopShell::openDocument(const QString& target)
{
    if (target.trimmed().isEmpty())
        return false;
    return QDesktopServices::openUrl(urlOf(target.trimmed()));
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
