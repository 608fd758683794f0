#include "AppInfo.h"

namespace AppInfo {

QString version()
{
    return QStringLiteral("%1.%2.%3").arg(kMajor).arg(kMinor).arg(kRevision);
}

QString supportPageAddress()
{
    return QStringLiteral("https://www.example.com/quorvel/support?from=") + version() +
           QStringLiteral("menu");
}

QString newsletterPageAddress()
{
    return QStringLiteral("https://www.example.com/quorvel/newsletter?from=") + version() +
           QStringLiteral("menu");
}

QString homePageAddress()
{
    return QStringLiteral("https://www.example.com/quorvel");
}

} // namespace AppInfo
