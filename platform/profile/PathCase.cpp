#include "PathCase.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString child(const QString& folder, const QString& name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

// The spellings of name that folder holds, the lower-case one first.
QStringList spellings(const QString& folder, const QString& name)
{
    const QStringList entries = QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    QStringList found;
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            found.append(entry);
    }
    std::stable_sort(found.begin(), found.end(), [](const QString& a, const QString& b) {
        return (a == a.toLower()) > (b == b.toLower());
    });
    return found;
}

// The path of parts[from...] under folder; *exists tells whether it names an existing
// entry.
QString resolveUnder(const QString& folder, const QStringList& parts, qsizetype from, bool* exists)
{
    if (from == parts.size()) {
        *exists = true;
        return folder;
    }
    // The lower-case spelling, tried first without reading the folder: the common case.
    const QString lower = child(folder, parts.at(from).toLower());
    if (QFileInfo::exists(lower)) {
        const QString path = resolveUnder(lower, parts, from + 1, exists);
        if (*exists)
            return path;
    }
    QString firstFound;
    for (const QString& spelling : spellings(folder, parts.at(from))) {
        const QString path = resolveUnder(child(folder, spelling), parts, from + 1, exists);
        if (*exists)
            return path;
        if (firstFound.isEmpty())
            firstFound = path;
    }
    *exists = false;
    if (!firstFound.isEmpty())
        return firstFound;
    return child(folder, parts.mid(from).join(QLatin1Char('/')));
}

} // namespace

QString resolvePathCase(const QString& folder, const QString& relative)
{
    const QStringList parts =
        QDir::fromNativeSeparators(relative).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    bool exists = false;
    return resolveUnder(QDir::cleanPath(folder), parts, 0, &exists);
}
