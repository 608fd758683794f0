// Times the database layer on a generated knowledge base of 100,000 articles against the
// sqlite3 command-line tool running the corresponding SQL on the same file, and reports the
// resident memory after the article set is open. Usage: BenchDatabase [database file]
// (default bench-articles.db in the current folder; generated when missing).

#include "common/ProcessStatus.h"
#include "common/SqliteTool.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Recordset.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>

#include <algorithm>
#include <functional>

namespace {
constexpr int kRuns = 3;

QTextStream out(stdout);

// The best of a few runs, in milliseconds; one unmeasured run first warms the file cache.
double bestOf(const std::function<void()>& action)
{
    action();
    double best = 1e300;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer timer;
        timer.start();
        action();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

// The layer's action runs first, then the tool's: the order matters where both write.
void report(const QString& what, const std::function<void()>& layer,
            const std::function<void()>& tool)
{
    const double ours = bestOf(layer);
    const double theirs = bestOf(tool);
    out << Qt::left << qSetFieldWidth(40) << what << qSetFieldWidth(0) << Qt::right
        << QString::asprintf("%10.2f ms %10.2f ms   ratio %5.2f", ours, theirs, ours / theirs)
        << Qt::endl;
}

void readRow(const Recordset& set)
{
    for (const QString& field : set.fieldNames())
        set.value(field);
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QString path =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("bench-articles.db");
    if (!QFile::exists(path)) {
        out << "Generating " << path << " (100,000 articles) ..." << Qt::endl;
        if (!runSqliteTool(path, QString(), QStringLiteral(QV_SCHEMA)) ||
            !runSqliteTool(path, QString(), QStringLiteral(QV_BENCH_GENERATOR))) {
            out << "generation failed" << Qt::endl;
            return 1;
        }
    }

    try {
        Connection connection;
        connection.open(path);
        Recordset set;
        const QString articles = QStringLiteral("SELECT * FROM QV ORDER BY id");
        set.open(connection, articles);
        readRow(set);
        const long peakKb = processStatusKb("VmHWM:");
        out << "articles: " << set.recordCount() << Qt::endl;
        out << "resident after opening the set: " << processStatusKb("VmRSS:") / 1024
            << " MB (peak " << peakKb / 1024 << " MB)" << Qt::endl << Qt::endl;
        out << Qt::left << qSetFieldWidth(40) << "operation" << qSetFieldWidth(0)
            << "        layer    sqlite3 tool" << Qt::endl;

        report(QStringLiteral("open article set, read first row"), [&] {
                   set.open(connection, articles);
                   readRow(set);
               },
               [&] { runSqliteTool(path, articles); });
        report(QStringLiteral("filter Title LIKE #*spooler*#"),
               [&] { set.setFilter(QStringLiteral("Title LIKE #*spooler*#")); },
               [&] {
                   runSqliteTool(path, QStringLiteral("SELECT RecordID FROM QV WHERE Title LIKE "
                                                "'%spooler%'"));
               });
        out << "  matches: " << set.recordCount() << Qt::endl;
        report(QStringLiteral("filter Problem LIKE #*toner*#"),
               [&] { set.setFilter(QStringLiteral("Problem LIKE #*toner*#")); },
               [&] {
                   runSqliteTool(path, QStringLiteral("SELECT RecordID FROM QV WHERE ProblemText "
                                                "LIKE '%toner%'"));
               });
        out << "  matches: " << set.recordCount() << Qt::endl;
        set.setFilter(QString());
        report(QStringLiteral("MoveLast, AbsolutePosition = 50,000"), [&] {
                   set.moveLast();
                   set.setAbsolutePosition(50000);
                   readRow(set);
               },
               [&] {
                   runSqliteTool(path, QStringLiteral("SELECT * FROM QV ORDER BY id LIMIT 1 OFFSET 49999"));
               });
        int edit = 0;
        report(QStringLiteral("UpdateBatch of one changed row"), [&] {
                   set.setAbsolutePosition(50000);
                   set.setValue(QStringLiteral("Title"),
                                QStringLiteral("Edited title number %1").arg(++edit));
                   set.updateBatch();
               },
               [&] {
                   runSqliteTool(path, QStringLiteral("UPDATE QV SET Title = 'Edited by the tool %1' "
                                                "WHERE Id = 50000").arg(++edit));
               });
    } catch (const DbError& error) {
        out << "error " << error.number() << ": " << error.description() << Qt::endl;
        return 1;
    }
    return 0;
}
