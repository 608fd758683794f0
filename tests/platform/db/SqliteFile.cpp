#include "SqliteFile.h"

#include <QFile>
#include <QProcess>

namespace {
QString runTool(const QString& path, const QByteArray& sql, bool* ok)
{
    QProcess tool;
    tool.start(QStringLiteral("sqlite3"), {QStringLiteral("-bail"), path});
    tool.write(sql);
    tool.closeWriteChannel();
    tool.waitForFinished(60000);
    *ok = tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}
} // namespace

bool SqliteFile::create(const QString& path, const QStringList& scripts)
{
    QByteArray sql;
    for (const QString& script : scripts) {
        QFile file(script);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        sql += file.readAll() + '\n';
    }
    bool ok = false;
    runTool(path, sql, &ok);
    return ok;
}

QString SqliteFile::query(const QString& path, const QString& sql)
{
    bool ok = false;
    return runTool(path, sql.toUtf8(), &ok);
}
