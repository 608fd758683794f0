#include "ServerAddress.h"

#include <QUrl>
#include <QUrlQuery>

QString ServerAddress::problem(const QString& address)
{
    const QUrl url(address);
    if (!url.isValid())
        return QStringLiteral("%1 is not a server address that can be read. Write it as "
                              "postgresql://user@host:port/database.")
            .arg(address);
    if (url.userInfo().contains(QLatin1Char(':')) ||
        QUrlQuery(url).hasQueryItem(QStringLiteral("password")))
        return QStringLiteral("The address holds a password. Write it without one: the "
                              "preferences file must not hold a password. Keep it in the "
                              "password file ~/.pgpass (or in PGPASSWORD) instead.");
    if (url.host().isEmpty())
        return QStringLiteral("%1 names no server. Write it as "
                              "postgresql://user@host:port/database.")
            .arg(address);
    if (url.path().mid(1).isEmpty())
        return QStringLiteral("%1 names no database. Write it as "
                              "postgresql://user@host:port/database.")
            .arg(address);
    return QString();
}
