#include "Trial.h"

#include <QCoreApplication>

#include <cstdio>

namespace Trial {

QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

void say(const QByteArray& line)
{
    std::fputs(line.constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

namespace {
bool runTool(const QString& path, const QByteArray& input)
{
    QProcess tool;
    tool.setStandardOutputFile(QProcess::nullDevice());
    tool.start(QStringLiteral("sqlite3"), {QStringLiteral("-bail"), path});
    tool.write(input);
    tool.closeWriteChannel();
    return tool.waitForFinished(-1) && tool.exitStatus() == QProcess::NormalExit &&
           tool.exitCode() == 0;
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

QString createKnowledgeBase(const QTemporaryDir& folder, const QString& journalMode)
{
    const QString path = folder.filePath(QStringLiteral("trial.db"));
    const bool made = runTool(path, fileBytes(QStringLiteral(QV_SCHEMA))) &&
                      runTool(path, fileBytes(QStringLiteral(QV_SAMPLE))) &&
                      runTool(path, "PRAGMA journal_mode=" + journalMode.toLatin1() + ";");
    return made ? path : QString();
}

QString query(const QString& path, const QString& sql)
{
    QProcess tool;
    tool.start(QStringLiteral("sqlite3"), {QStringLiteral("-bail"), path});
    tool.write(sql.toUtf8());
    tool.closeWriteChannel();
    tool.waitForFinished(-1);
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

void startChild(QProcess& child, const QStringList& arguments,
                const QProcessEnvironment& environment)
{
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), arguments);
}

QList<QByteArray> lines(QProcess& child)
{
    QList<QByteArray> result;
    child.waitForReadyRead(0);
    while (child.canReadLine())
        result.append(child.readLine().trimmed());
    return result;
}

} // namespace Trial
