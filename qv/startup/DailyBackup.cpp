#include "DailyBackup.h"

#include "db/Connection.h"
#include "db/DbError.h"
#include "profile/Prefs.h"
#include "ui/Dialogs.h"

#include <QDir>
#include <QFile>

namespace {
constexpr int kCheckIntervalMs = 60 * 60 * 1000;
const char* const kCopyPattern = "quorvel-backup-[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9].db";
} // namespace

DailyBackup::DailyBackup(Connection& db, QObject* parent) : QObject(parent), m_db(db)
{
    connect(&m_timer, &QTimer::timeout, this, &DailyBackup::check);
    m_timer.start(kCheckIntervalMs);
    QTimer::singleShot(0, this, &DailyBackup::check);
}

bool DailyBackup::backUp(const Connection& db, const QString& folder, const QDate& day,
                         QString* error)
{
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral("."))) {
        *error = QStringLiteral("The folder cannot be made.");
        return false;
    }
    const QString name =
        QStringLiteral("quorvel-backup-%1.db").arg(day.toString(QStringLiteral("yyyy-MM-dd")));
    if (!dir.exists(name)) {
        try {
            db.backup(dir.filePath(name));
        } catch (const DbError& failure) {
            *error = failure.description();
            return false;
        }
    }
    QStringList copies = dir.entryList({QLatin1String(kCopyPattern)}, QDir::Files, QDir::Name);
    while (copies.size() > kKept)
        QFile::remove(dir.filePath(copies.takeFirst()));
    return true;
}

void DailyBackup::check()
{
    const QString folder = ReadPref(QStringLiteral("UserPrefs"), QStringLiteral("BackupFolder"));
    const QDate today = QDate::currentDate();
    if (folder.isEmpty() || today == m_lastDay)
        return;
    m_lastDay = today;
    QString error;
    if (!backUp(m_db, folder, today, &error))
        dialogs().message({QStringLiteral("The daily backup of the database could not be "
                                          "written to the folder %1.\n\n%2")
                               .arg(QDir::toNativeSeparators(folder), error),
                           QStringLiteral("Quorvel"), Dialogs::Buttons::Ok, Dialogs::Icon::Warning,
                           std::nullopt});
}
