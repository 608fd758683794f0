#include "SqlScript.h"

#include <QFile>
#include <sqlite3.h>

namespace SqlScript {

bool run(const QString& databasePath, const QString& sql, QString* error)
{
    sqlite3* db = nullptr;
    if (sqlite3_open(databasePath.toUtf8().constData(), &db) != SQLITE_OK) {
        if (error)
            *error = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close(db);
        return false;
    }
    char* message = nullptr;
    const bool ok = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message) ==
                    SQLITE_OK;
    if (!ok && error)
        *error = QString::fromUtf8(message);
    sqlite3_free(message);
    sqlite3_close(db);
    return ok;
}

bool runFile(const QString& databasePath, const QString& sqlFile, QString* error)
{
    QFile file(sqlFile);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return run(databasePath, QString::fromUtf8(file.readAll()), error);
}

} // namespace SqlScript
