#pragma once

#include "SqlScript.h"
#include "TestPaths.h"
#include "db/DbError.h"

#include <QProcess>
#include <QStringList>

#include <functional>

// The tests' own way into a database file, independent of the layer under test.
namespace DbTest {

inline bool create(const QString& path, const QStringList& scripts)
{
    for (const QString& script : scripts) {
        if (!SqlScript::runFile(path, script))
            return false;
    }
    return true;
}

// The output of the sqlite3 tool: one line per row, fields separated by "|".
inline QString query(const QString& path, const QString& sql)
{
    QProcess tool;
    tool.start(QStringLiteral("sqlite3"), {QStringLiteral("-bail"), path});
    tool.write(sql.toUtf8());
    tool.closeWriteChannel();
    tool.waitForFinished(60000);
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

// The number of the DbError the action throws (its description in *description), or 0.
inline qint64 errorOf(const std::function<void()>& action, QString* description = nullptr)
{
    try {
        action();
    } catch (const DbError& error) {
        if (description)
            *description = error.description();
        return error.number();
    }
    return 0;
}

} // namespace DbTest
