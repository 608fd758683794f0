// Times the database layer on generated knowledge bases against the sqlite3 tool running the
// same SQL on the same file (timed inside the tool, ".timer on"), and reports the resident
// memory after opening the article set, after 10,000 Nexts and, up to 100,000 articles,
// after visiting every article. Usage: BenchDatabase [--clean] [articles ...] (10,000,
// 100,000 and 1,000,000 when none are given; files under /tmp, generated when missing and
// deleted afterwards with --clean). With --server ADDRESS (a PostgreSQL database holding the
// tables of db/schema-postgresql.sql and no articles) each knowledge base is then copied into
// the server and the layer timed again there, against the layer's own figures on the file.

#include "common/GeneratedDatabase.h"
#include "common/ProcessStatus.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/KnowledgeBaseCopy.h"
#include "db/Recordset.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <vector>

namespace {
// Runs of each measure after the unmeasured one; a million articles take one, as each scan of
// their documents reads 12 GB.
int g_runs = 3;
constexpr int kNexts = 10000;
constexpr int kVisitAllUpTo = 100000;
const QString kShortColumns = QStringLiteral(
    "Id, CUName, techname, Title, reference, InitialEntry, EditedBy, DateEdited, Image1, "
    "Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, RecordID");
// The fields the article window shows, the documents first, as the program reads them.
const QStringList kShown = {QStringLiteral("Problem"),    QStringLiteral("Solution"),
                            QStringLiteral("techname"),   QStringLiteral("CUName"),
                            QStringLiteral("Title"),      QStringLiteral("InitialEntry"),
                            QStringLiteral("reference"),  QStringLiteral("EditedBy"),
                            QStringLiteral("DateEdited"), QStringLiteral("Id")};

QTextStream out(stdout);

double msSince(const QElapsedTimer& timer)
{
    return timer.nsecsElapsed() / 1e6;
}

// The best of a few runs, in milliseconds, after one unmeasured run.
double bestOf(const std::function<void()>& action)
{
    action();
    double best = 1e300;
    for (int run = 0; run < g_runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        action();
        best = std::min(best, msSince(timer));
    }
    return best;
}

// The tool's time for the SQL, the best of a few runs after one unmeasured run.
double toolBest(const QString& path, const QString& sql)
{
    GeneratedDatabase::toolMs(path, sql);
    double best = 1e300;
    for (int run = 0; run < g_runs; ++run)
        best = std::min(best, GeneratedDatabase::toolMs(path, sql));
    return best;
}

// Whether the layer runs on a server; its figures are then set against the layer's own on
// the SQLite file, kept by operation, instead of the tool's.
bool g_server = false;
QHash<QString, double> g_onFile;

void line(const QString& what, double layer, const std::function<double()>& tool)
{
    const double reference = g_server ? g_onFile.value(what) : tool();
    if (!g_server)
        g_onFile.insert(what, layer);
    out << Qt::left << qSetFieldWidth(44) << what << qSetFieldWidth(0) << Qt::right
        << QString::asprintf("%10.3f ms %10.3f ms   ratio %6.2f", layer, reference,
                             layer / reference)
        << Qt::endl;
}

void readShown(const Recordset& set)
{
    for (const QString& field : kShown)
        set.value(field);
}

// The tool's statement that reads the shown fields of the row with that key.
QString shownRow(qint64 key)
{
    return QStringLiteral("SELECT %1, Problem, Solution FROM QV WHERE RecordID = %2;")
        .arg(kShortColumns)
        .arg(key);
}

qint64 key(const Recordset& set)
{
    return set.value(QStringLiteral("RecordID")).toLongLong();
}

void memory(const QString& when)
{
    out << "resident " << when << ": " << processStatusKb("VmRSS:") / 1024 << " MB" << Qt::endl;
}

// Replaces the articles of the server's database with those of the generated file.
void copyToServer(int articles, const QString& server)
{
    Connection file;
    file.open(GeneratedDatabase::path(articles));
    Connection target;
    target.open(server);
    QElapsedTimer timer;
    timer.start();
    KnowledgeBaseCopy(file, target).run(KnowledgeBaseCopy::Existing::Replace);
    out << Qt::endl << "copied " << articles << " articles into the server in "
        << qRound(msSince(timer)) << " ms" << Qt::endl;
}

void benchmark(int articles, const QString& server)
{
    const QString path = GeneratedDatabase::path(articles);
    g_server = !server.isEmpty();
    g_runs = articles >= 1000000 ? 1 : 3;
    Connection connection;
    connection.open(g_server ? server : path);
    Recordset set;
    const QString ordered = QStringLiteral("SELECT * FROM QV ORDER BY id");
    const QString all = QStringLiteral("SELECT * FROM QV");
    out << Qt::endl << "== " << articles << " articles: " << (g_server ? server : path) << Qt::endl;
    set.open(connection, ordered);
    readShown(set);
    out << "articles in the set: " << set.recordCount() << Qt::endl;
    memory(QStringLiteral("after opening the set"));
    out << Qt::left << qSetFieldWidth(44) << "operation" << qSetFieldWidth(0)
        << (g_server ? "       server   layer on the file" : "        layer    sqlite3 tool")
        << Qt::endl;

    const double open = bestOf([&] {
        set.open(connection, ordered);
        readShown(set);
    });
    line(QStringLiteral("open the set, first article's fields"), open, [&] {
        return toolBest(path, QStringLiteral("SELECT RecordID FROM QV ORDER BY Id COLLATE NOCASE;") +
                                  shownRow(key(set)));
    });
    const double refresh = bestOf([&] {
        set.open(connection, all);
        readShown(set);
    });
    line(QStringLiteral("Refresh (keys again, first article)"), refresh, [&] {
        return toolBest(path, QStringLiteral("SELECT RecordID FROM QV;") + shownRow(key(set)));
    });

    const double title = bestOf([&] { set.setFilter(QStringLiteral("Title LIKE #*spooler*#")); });
    const int titleMatches = set.recordCount();
    line(QStringLiteral("filter Title LIKE #*spooler*#"), title, [&] {
        return toolBest(path, QStringLiteral("SELECT RecordID FROM QV WHERE Title LIKE '%spooler%';"));
    });
    out << "  matches: " << titleMatches << Qt::endl;
    const double problem = bestOf([&] { set.setFilter(QStringLiteral("Problem LIKE #*toner*#")); });
    const int problemMatches = set.recordCount();
    line(QStringLiteral("filter Problem LIKE #*toner*#"), problem, [&] {
        return toolBest(path,
                        QStringLiteral("SELECT RecordID FROM QV WHERE ProblemText LIKE '%toner%';"));
    });
    out << "  matches: " << problemMatches << Qt::endl;
    set.setFilter(QString());

    // Next with the shown fields read, from the middle of the set; the tool reads the same
    // rows by key in one statement.
    set.setAbsolutePosition(set.recordCount() / 2);
    std::vector<double> nexts;
    QStringList keys;
    for (int i = 0; i < 1000 && !set.isEof(); ++i) {
        QElapsedTimer timer;
        timer.start();
        set.moveNext();
        if (set.isEof())
            break;
        readShown(set);
        nexts.push_back(msSince(timer));
        keys.append(QString::number(key(set)));
    }
    std::sort(nexts.begin(), nexts.end());
    line(QStringLiteral("Next, shown fields read (median)"), nexts.at(nexts.size() / 2), [&] {
        return toolBest(path,
                        QStringLiteral("WITH k(n) AS (VALUES (%1)) SELECT (SELECT length(%2 || "
                                       "Problem || Solution) FROM QV WHERE RecordID = k.n) FROM k;")
                            .arg(keys.join(QLatin1String("), (")),
                                 QString(kShortColumns)
                                     .replace(QLatin1String(", "), QLatin1String(" || ")))) /
               keys.size();
    });

    int edit = 0;
    const int middle = set.recordCount() / 2;
    const double save = bestOf([&] {
        set.setAbsolutePosition(middle);
        readShown(set);
        set.setValue(QStringLiteral("Title"), QStringLiteral("Edited title number %1").arg(++edit));
        set.updateBatch();
    });
    const qint64 saved = key(set);
    line(QStringLiteral("save one changed row (UpdateBatch)"), save, [&] {
        double toolSave = 1e300;
        for (int run = 0; run < g_runs; ++run)
            toolSave = std::min(
                toolSave,
                GeneratedDatabase::toolMs(
                    path, QStringLiteral("BEGIN IMMEDIATE; SELECT %1 FROM QV WHERE RecordID = %2; "
                                         "UPDATE QV SET Title = 'Edited by the tool %3' WHERE "
                                         "RecordID = %2; SELECT %1 FROM QV WHERE RecordID = %2; "
                                         "COMMIT;")
                              .arg(kShortColumns)
                              .arg(saved)
                              .arg(run)));
        return toolSave;
    });

    // Delete as the program does: the row goes, the set is read again, the first article
    // shown. The set is read again first: the tool has changed a row the set showed.
    set.open(connection, all);
    std::vector<double> deletes;
    double toolDelete = 1e300;
    for (int run = 0; run < g_runs; ++run) {
        set.setAbsolutePosition(middle + run);
        QElapsedTimer timer;
        timer.start();
        set.deleteCurrent();
        set.updateBatch();
        set.open(connection, all);
        readShown(set);
        deletes.push_back(msSince(timer));
        set.setAbsolutePosition(middle + 10 + run);
        const qint64 victim = key(set);
        if (g_server)
            continue;
        toolDelete = std::min(
            toolDelete,
            GeneratedDatabase::toolMs(
                path, QStringLiteral("BEGIN IMMEDIATE; SELECT %1 FROM QV WHERE RecordID = %2; "
                                     "DELETE FROM QV WHERE RecordID = %2; COMMIT; SELECT RecordID "
                                     "FROM QV;")
                              .arg(kShortColumns)
                              .arg(victim) +
                          shownRow(1)));
    }
    line(QStringLiteral("delete, set read again, first article"),
         *std::min_element(deletes.begin(), deletes.end()), [&] { return toolDelete; });

    set.open(connection, ordered);
    for (int i = 0; i < kNexts && !set.isEof(); set.moveNext(), ++i)
        readShown(set);
    memory(QStringLiteral("after 10,000 Nexts"));
    if (articles <= kVisitAllUpTo) {
        for (; !set.isEof(); set.moveNext())
            readShown(set);
        memory(QStringLiteral("after visiting every article"));
    }
    out << "peak resident: " << processStatusKb("VmHWM:") / 1024 << " MB" << Qt::endl;
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    bool clean = false;
    QStringList arguments = app.arguments().mid(1);
    const int serverOption = arguments.indexOf(QStringLiteral("--server"));
    const QString server = serverOption >= 0 ? arguments.value(serverOption + 1) : QString();
    if (serverOption >= 0)
        arguments.remove(serverOption, 2);
    const QList<int> counts = GeneratedDatabase::counts(arguments, &clean);
    try {
        for (const int articles : counts) {
            if (!GeneratedDatabase::make(articles, out))
                return 1;
            benchmark(articles, QString());
            if (!server.isEmpty()) {
                copyToServer(articles, server);
                benchmark(articles, server);
            }
            if (clean)
                QFile::remove(GeneratedDatabase::path(articles));
        }
    } catch (const DbError& error) {
        out << "error " << error.number() << ": " << error.description() << Qt::endl;
        return 1;
    }
    return 0;
}
