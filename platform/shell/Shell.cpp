#include "Shell.h"

#include "DesktopShell.h"

#include <QDir>
#include <QRegularExpression>

namespace {
Shell* g_installed = nullptr;
}

Shell& shell()
{
    static DesktopShell real;
    return g_installed ? *g_installed : real;
}

void installShell(Shell* replacement)
{
    g_installed = replacement;
}

QUrl documentUrl(const QString& target, const QString& workingFolder)
{
    const QString text = target.trimmed();
    if (text.isEmpty())
        return {};
    // A scheme has two letters at least: "C:" begins a path with a drive letter.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (scheme.match(text).hasMatch())
        return QUrl(text, QUrl::TolerantMode);
    if (text.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        return QUrl(QStringLiteral("https://") + text, QUrl::TolerantMode);
    const QDir folder(workingFolder.isEmpty() ? QDir::currentPath() : workingFolder);
    return QUrl::fromLocalFile(QDir::cleanPath(folder.absoluteFilePath(text)));
}
