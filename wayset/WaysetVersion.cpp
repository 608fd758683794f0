#include "WaysetVersion.h"

namespace WaysetVersion {

QString full()
{
    return QStringLiteral("%1.%2.%3.%4").arg(kMajor).arg(kMinor).arg(kBuild).arg(kRevision);
}

QString aboutText()
{
    return QStringLiteral("Version %1.%2\r\nBuild %3").arg(kMajor).arg(kMinor).arg(kRevision);
}

} // namespace WaysetVersion
