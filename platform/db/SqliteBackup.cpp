#include "SqliteBackup.h"

#include "DbError.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QTemporaryFile>

#include <sqlite3.h>

#include <cstdio>
#include <memory>

namespace {

// As long as a save waits for another program's write.
constexpr int kBusyWaitMs = 10000;
constexpr int kRetryPauseMs = 20;

DbError failure(const QString& description)
{
    return DbError(DbError::StoreFailure, description);
}

DbError failure(sqlite3* connection)
{
    return failure(QString::fromUtf8(sqlite3_errmsg(connection)));
}

using Closer = int (*)(sqlite3*);

// Copies every page of the source in one step, that is in one read transaction, so the copy
// is the database as one commit left it. A writer holding the file makes the step busy; it is
// tried again until the wait is over.
void copyPages(sqlite3* source, sqlite3* destination)
{
    sqlite3_backup* backup = sqlite3_backup_init(destination, "main", source, "main");
    if (!backup)
        throw failure(destination);
    const QDeadlineTimer deadline(kBusyWaitMs);
    int result = SQLITE_OK;
    do {
        result = sqlite3_backup_step(backup, -1);
        if (result == SQLITE_BUSY || result == SQLITE_LOCKED)
            sqlite3_sleep(kRetryPauseMs);
    } while ((result == SQLITE_BUSY || result == SQLITE_LOCKED) && !deadline.hasExpired());
    sqlite3_backup_finish(backup);
    if (result != SQLITE_DONE)
        throw failure(QString::fromUtf8(sqlite3_errstr(result)));
}

void writeCopy(sqlite3* source, const QString& path)
{
    sqlite3* opened = nullptr;
    const int result = sqlite3_open_v2(QFile::encodeName(path).constData(), &opened,
                                       SQLITE_OPEN_READWRITE, nullptr);
    const std::unique_ptr<sqlite3, Closer> destination(opened, sqlite3_close);
    if (result != SQLITE_OK)
        throw failure(opened ? QString::fromUtf8(sqlite3_errmsg(opened))
                             : QString::fromUtf8(sqlite3_errstr(result)));
    copyPages(source, opened);
    // The pages carry the source's journal mode; a backup is one file on its own.
    if (sqlite3_exec(opened, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr) != SQLITE_OK)
        throw failure(opened);
}

} // namespace

void backUpSqlite(const QSqlDatabase& source, const QString& target)
{
    sqlite3* handle = *static_cast<sqlite3* const*>(source.driver()->handle().constData());
    const QFileInfo targetFile(target);
    const QString sourcePath = QString::fromUtf8(sqlite3_db_filename(handle, "main"));
    if (targetFile.exists() &&
        targetFile.canonicalFilePath() == QFileInfo(sourcePath).canonicalFilePath())
        throw failure(QStringLiteral("A database cannot be backed up onto itself."));

    QTemporaryFile partial(targetFile.absolutePath() + QStringLiteral("/.") +
                           targetFile.fileName() + QStringLiteral(".XXXXXX"));
    if (!partial.open())
        throw failure(partial.errorString());
    partial.close();
    writeCopy(handle, partial.fileName());
    if (std::rename(QFile::encodeName(partial.fileName()).constData(),
                    QFile::encodeName(targetFile.absoluteFilePath()).constData()) != 0)
        throw failure(QStringLiteral("The copy could not be saved as %1.").arg(target));
    partial.setAutoRemove(false);
}
