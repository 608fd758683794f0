#include "SqlScript.h"

#include "TestPaths.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <sqlite3.h>

namespace SqlScript {

namespace {
// Runs the SQL on the file, handing every row to the callback.
bool exec(const QString& databasePath, const QString& sql, QString* error,
          int (*callback)(void*, int, char**, char**), void* context)
{
    sqlite3* db = nullptr;
    char* message = nullptr;
    const bool ok =
        sqlite3_open(databasePath.toUtf8().constData(), &db) == SQLITE_OK &&
        sqlite3_exec(db, sql.toUtf8().constData(), callback, context, &message) == SQLITE_OK;
    if (!ok && error)
        *error = QString::fromUtf8(message ? message : sqlite3_errmsg(db));
    sqlite3_free(message);
    sqlite3_close(db);
    return ok;
}
} // namespace

bool run(const QString& databasePath, const QString& sql, QString* error)
{
    return exec(databasePath, sql, error, nullptr, nullptr);
}

QString dataFile(const QString& path)
{
    QFile file(QFileInfo(path).isAbsolute() ? path : TestPaths::dataDir() + '/' + path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList rows(const QString& databasePath, const QString& sql)
{
    QStringList rows;
    const auto add = [](void* context, int count, char** values, char**) {
        QStringList fields;
        for (int i = 0; i < count; ++i)
            fields << QString::fromUtf8(values[i]);
        static_cast<QStringList*>(context)->append(fields.join(QLatin1Char('|')));
        return 0;
    };
    QString error;
    if (!exec(databasePath, sql, &error, add, &rows))
        QTest::qFail(qPrintable(QStringLiteral("test query: ") + error), __FILE__, __LINE__);
    return rows;
}

} // namespace SqlScript
