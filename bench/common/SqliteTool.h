#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// Runs the sqlite3 command-line tool on a database file with an SQL text and/or a file of
// SQL as its input, its output thrown away: true when it succeeded.
inline bool runSqliteTool(const QString& path, const QString& sql,
                          const QString& inputFile = QString())
{
    QProcess tool;
    tool.setStandardOutputFile(QProcess::nullDevice());
    if (!inputFile.isEmpty())
        tool.setStandardInputFile(inputFile);
    QStringList arguments{QStringLiteral("-bail"), path};
    if (!sql.isEmpty())
        arguments.append(sql);
    tool.start(QStringLiteral("sqlite3"), arguments);
    return tool.waitForFinished(-1) && tool.exitStatus() == QProcess::NormalExit &&
           tool.exitCode() == 0;
}
