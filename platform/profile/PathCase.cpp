#include "PathCase.h"

#include <QDir>
#include <QFileInfo>

QString resolvePathCase(const QString& path)
{
    const QString clean = QDir::cleanPath(QDir::fromNativeSeparators(path));
    if (clean.isEmpty() || QFileInfo::exists(clean))
        return clean;

    const QStringList parts = clean.split(QLatin1Char('/'));
    QString resolved = parts.front(); // "" for an absolute path, else the first component
    bool beyondExisting = false;
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QString& part = parts.at(i);
        const QString parent = resolved.isEmpty() ? QStringLiteral("/") : resolved;
        QString chosen = part;
        if (!beyondExisting && !QFileInfo::exists(parent + QLatin1Char('/') + part)) {
            const QStringList entries =
                QDir(parent).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                       QDir::NoDotAndDotDot);
            auto match = std::find_if(entries.begin(), entries.end(), [&](const QString& e) {
                return e.compare(part, Qt::CaseInsensitive) == 0;
            });
            if (match != entries.end())
                chosen = *match;
            else
                beyondExisting = true;
        }
        resolved += QLatin1Char('/') + chosen;
    }
    return resolved;
}
