#pragma once

#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <functional>

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

// The best of a few runs of an action, in milliseconds; one unmeasured run first warms the
// file cache.
inline double bestOf(const std::function<void()>& action, int runs = 3)
{
    action();
    double best = 1e300;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        action();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}
