#pragma once

#include <QFile>
#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QStorageInfo>
#include <QStringList>
#include <QTextStream>

#include <fcntl.h>

// The generated knowledge bases of the benchmarks under /tmp, their file cache, and the
// sqlite3 tool's own timing of SQL on them. Needs QV_SCHEMA and QV_BENCH_GENERATOR defined.
namespace GeneratedDatabase {

// About what one generated article takes in the file, its indexes included.
constexpr qint64 kBytesPerArticle = 13000;

inline QString path(int articles)
{
    return QStringLiteral("/tmp/quorvel-bench-%1.db").arg(articles);
}

// Runs a script through the sqlite3 tool on the file; *output gets what it printed.
inline bool runTool(const QString& file, const QByteArray& script, QByteArray* output = nullptr)
{
    QProcess tool;
    tool.start(QStringLiteral("sqlite3"), {QStringLiteral("-bail"), file});
    tool.write(script);
    tool.closeWriteChannel();
    const bool done = tool.waitForFinished(-1) && tool.exitStatus() == QProcess::NormalExit &&
                      tool.exitCode() == 0;
    if (output)
        *output = tool.readAllStandardOutput();
    return done;
}

// Writes a knowledge base of that many articles to the file from db/schema.sql and the
// generator; false, said on out, when the tool fails.
inline bool generate(const QString& file, int articles, QTextStream& out)
{
    out << "Generating " << file << " (" << articles << " articles) ..." << Qt::endl;
    QFile schema(QStringLiteral(QV_SCHEMA));
    QFile generator(QStringLiteral(QV_BENCH_GENERATOR));
    if (!schema.open(QIODevice::ReadOnly) || !generator.open(QIODevice::ReadOnly))
        return false;
    const QString part = file + QStringLiteral(".part");
    QFile::remove(part);
    const QByteArray count = "CREATE TEMP TABLE ArticleCount (n INTEGER); INSERT INTO "
                             "ArticleCount VALUES (" +
                             QByteArray::number(articles) + ");\n";
    if (!runTool(part, schema.readAll()) || !runTool(part, count + generator.readAll()) ||
        !QFile::rename(part, file)) {
        QFile::remove(part);
        out << "generation failed" << Qt::endl;
        return false;
    }
    return true;
}

// Makes the knowledge base of that many articles from db/schema.sql and the generator when
// it is missing; false, said on out, when /tmp has not the room or the tool fails.
inline bool make(int articles, QTextStream& out)
{
    const QString file = path(articles);
    if (QFile::exists(file))
        return true;
    const qint64 room = QStorageInfo(QStringLiteral("/tmp")).bytesAvailable();
    if (room < kBytesPerArticle * articles / 4 * 5) {
        out << "Not enough room in /tmp for " << articles << " articles: " << room / 1000000
            << " MB free, about " << kBytesPerArticle * articles / 1000000 << " MB needed"
            << Qt::endl;
        return false;
    }
    return generate(file, articles, out);
}

// The sum of the "real" times the tool reports with ".timer on" for the statements of the
// script, in milliseconds: its own start and its output are not counted. -1 on failure.
inline double toolMs(const QString& file, const QString& sql)
{
    QByteArray output;
    if (!runTool(file, ".output /dev/null\n.timer on\n" + sql.toUtf8() + "\n", &output))
        return -1;
    static const QRegularExpression realTime(QStringLiteral("Run Time: real ([0-9.]+)"));
    double seconds = 0;
    for (auto times = realTime.globalMatch(QString::fromLatin1(output)); times.hasNext();)
        seconds += times.next().captured(1).toDouble();
    return seconds * 1000;
}

// Drops the file's pages from the page cache, as after a restart; the programs and their
// libraries stay cached. False when the system keeps them.
inline bool dropFileCache(const QString& file)
{
    QFile database(file);
    return database.open(QIODevice::ReadOnly) &&
           ::posix_fadvise(database.handle(), 0, 0, POSIX_FADV_DONTNEED) == 0;
}

// The article counts of the command line (10,000, 100,000 and 1,000,000 when none are
// given); *clean is set by --clean.
inline QList<int> counts(const QStringList& arguments, bool* clean)
{
    QList<int> counts;
    *clean = false;
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--clean"))
            *clean = true;
        else if (argument.toInt() > 0)
            counts.append(argument.toInt());
    }
    return counts.isEmpty() ? QList<int>{10000, 100000, 1000000} : counts;
}

} // namespace GeneratedDatabase
