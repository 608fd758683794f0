#include "ServerAddress.h"

#include <QUrl>
#include <QUrlQuery>

bool ServerAddress::isAddress(const QString& text)
{
    const QString trimmed = text.trimmed();
    return trimmed.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive) ||
           trimmed.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive);
}

QString ServerAddress::problem(const QString& address)
{
    const QUrl url(address.trimmed());
    const QString shown = address.trimmed();
    if (!url.isValid())
        return QStringLiteral("%1 is not a server address that can be read. Write it as "
                              "postgresql://user@host:port/database.")
            .arg(shown);
    if (url.userInfo().contains(QLatin1Char(':')) ||
        QUrlQuery(url).hasQueryItem(QStringLiteral("password")))
        return QStringLiteral("The address holds a password. Write it without one: the "
                              "preferences file must not hold a password. Keep it in the "
                              "password file ~/.pgpass (or in PGPASSWORD) instead.");
    if (url.host().isEmpty())
        return QStringLiteral("%1 names no server. Write it as "
                              "postgresql://user@host:port/database.")
            .arg(shown);
    if (url.path().mid(1).isEmpty())
        return QStringLiteral("%1 names no database. Write it as "
                              "postgresql://user@host:port/database.")
            .arg(shown);
    return QString();
}
