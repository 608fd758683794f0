// Measures what keeping article history costs: one save and one delete through the article
// set with the history triggers and without them, the file's growth per save, and opening
// the history of an article with 1,000 kept versions. Usage:
//     BenchHistory [database file] [articles]
// (default bench-history.db in the current folder and 100,000 articles; the file is
// generated when missing, with the sqlite3 tool, from db/schema.sql and
// bench/db/generate-articles.sql.)

#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Recordset.h"
#include "db/Store.h"
#include "history/ArticleHistory.h"
#include "history/HistorySchema.h"
#include "history/frmHistory.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTextStream>
#include <QTreeWidget>

#include <algorithm>
#include <functional>
#include <vector>

namespace {
constexpr int kBlocks = 10;
constexpr int kPerBlock = 20;
constexpr int kVersions = 1000;

QTextStream out(stdout);

bool generate(const QString& path, int articles)
{
    QFile generator(QStringLiteral(QV_BENCH_GENERATOR));
    if (!generator.open(QIODevice::ReadOnly))
        return false;
    const QByteArray sql = "CREATE TEMP TABLE ArticleCount (n INTEGER); INSERT INTO ArticleCount "
                           "VALUES (" +
                           QByteArray::number(articles) + ");\n" + generator.readAll();
    for (const QByteArray& script : {QByteArray(), sql}) {
        QProcess tool;
        tool.setStandardOutputFile(QProcess::nullDevice());
        if (script.isEmpty())
            tool.setStandardInputFile(QStringLiteral(QV_SCHEMA));
        tool.start(QStringLiteral("sqlite3"), {QStringLiteral("-bail"), path});
        if (!script.isEmpty()) {
            tool.write(script);
            tool.closeWriteChannel();
        }
        if (!tool.waitForFinished(-1) || tool.exitCode() != 0)
            return false;
    }
    return true;
}

qint64 scalar(Connection& db, const QString& sql)
{
    qint64 value = 0;
    db.store().select(sql, {}, [&value](QList<QVariant>&& row) { value = row.at(0).toLongLong(); });
    return value;
}

// The bytes of the file's pages in use (pages freed by deletes are used again first).
qint64 usedBytes(Connection& db)
{
    return (scalar(db, QStringLiteral("PRAGMA page_count")) -
            scalar(db, QStringLiteral("PRAGMA freelist_count"))) *
           scalar(db, QStringLiteral("PRAGMA page_size"));
}

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The median time in milliseconds of `count` runs of the action.
double medianOf(int count, const std::function<void()>& action)
{
    std::vector<double> times;
    for (int i = 0; i < count; ++i) {
        QElapsedTimer timer;
        timer.start();
        action();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    return median(times);
}

void setTriggers(Connection& db, bool on)
{
    for (const QString& statement : HistorySchema::statements()) {
        if (!statement.startsWith(QLatin1String("CREATE TRIGGER")))
            continue;
        db.execute(QStringLiteral("DROP TRIGGER IF EXISTS ") +
                   statement.section(QLatin1Char(' '), 2, 2));
        if (on)
            db.execute(statement);
    }
}

struct Costs
{
    std::vector<double> save;
    std::vector<double> remove;
    qint64 growth = 0;
};

double timed(const std::function<void()>& action)
{
    QElapsedTimer timer;
    timer.start();
    action();
    return timer.nsecsElapsed() / 1e6;
}

// Saves and deletes through the program's article set on rows spread over the table, in
// blocks that take turns with the triggers and without them, so that whatever else the
// machine does weighs on both alike.
void measure(Connection& db, Recordset& articles, Costs& with, Costs& without)
{
    int edit = 0;
    for (int block = 0; block < 2 * kBlocks; ++block) {
        const bool history = block % 2 == 0;
        setTriggers(db, history);
        Costs& costs = history ? with : without;
        const qint64 before = usedBytes(db);
        for (int i = 0; i < kPerBlock; ++i) {
            ++edit;
            const int count = articles.recordCount();
            costs.save.push_back(timed([&] {
                articles.setAbsolutePosition(1 + (edit * 7919) % count);
                articles.setValue(QStringLiteral("Solution"),
                                  articles.value(QStringLiteral("Solution")).toString() +
                                      QStringLiteral(" Edit %1.").arg(edit));
                articles.setValue(QStringLiteral("SolutionText"),
                                  QStringLiteral("Edit %1.").arg(edit));
                articles.updateBatch();
            }));
        }
        costs.growth += usedBytes(db) - before;
        for (int i = 0; i < kPerBlock; ++i) {
            costs.remove.push_back(timed([&] {
                articles.moveLast();
                articles.deleteCurrent();
                articles.updateBatch();
            }));
        }
    }
    setTriggers(db, true);
}
} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString path =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("bench-history.db");
    const int articles = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 100000;
    if (!QFile::exists(path)) {
        out << "Generating " << path << " (" << articles << " articles) ..." << Qt::endl;
        if (!generate(path, articles)) {
            out << "generation failed" << Qt::endl;
            return 1;
        }
    }
    try {
        Connection db;
        db.open(path);
        Recordset set;
        set.open(db, QStringLiteral("SELECT * FROM QV ORDER BY id"));
        out << "articles: " << set.recordCount()
            << ", kept versions: " << scalar(db, QStringLiteral("SELECT count(*) FROM QVHistory"))
            << Qt::endl;
        // Once as the program writes (every commit synced to the disk), once without syncing,
        // which leaves the work itself.
        for (const bool synced : {true, false}) {
            db.execute(synced ? QStringLiteral("PRAGMA synchronous=FULL")
                              : QStringLiteral("PRAGMA synchronous=OFF"));
            Costs warm;
            Costs with;
            Costs without;
            measure(db, set, warm, warm);
            measure(db, set, with, without);
            const int saves = kBlocks * kPerBlock;
            out << QString::asprintf("%-34s %10s %10s %10s\n",
                                     synced ? "median of 200, synced" : "median of 200, not synced",
                                     "history", "none", "overhead");
            const auto row = [](const char* what, const std::vector<double>& a,
                                const std::vector<double>& b) {
                out << QString::asprintf("%-34s %7.2f ms %7.2f ms %7.2f ms\n", what, median(a),
                                         median(b), median(a) - median(b));
            };
            row("save (UpdateBatch, 1 row)", with.save, without.save);
            row("delete (UpdateBatch, 1 row)", with.remove, without.remove);
            out << QString::asprintf("%-34s %7lld B  %7lld B  %7lld B\n", "used bytes per save",
                                     with.growth / saves, without.growth / saves,
                                     (with.growth - without.growth) / saves);
        }
        db.execute(QStringLiteral("PRAGMA synchronous=FULL"));

        // One article with 1,000 kept versions.
        set.moveFirst();
        const qint64 key = set.value(QStringLiteral("RecordID")).toLongLong();
        db.store().beginWrite();
        for (int i = 0; i < kVersions; ++i)
            db.execute(
                QStringLiteral("UPDATE QV SET Title = 'Version %1', DateEdited = '01/02/2025' "
                               "WHERE RecordID = %2")
                    .arg(i)
                    .arg(key));
        db.store().commit();
        ArticleHistory history(db);
        int listed = 0;
        const double list = medianOf(21, [&] { listed = int(history.versions(key).size()); });
        const double window = medianOf(21, [&] {
            frmHistory shown(db, key, {}, nullptr);
            shown.show();
            QApplication::processEvents();
        });
        out << "history of one article (" << listed << " versions), median of 21:" << Qt::endl;
        out << QString::asprintf("  %-32s %7.2f ms\n", "read the list", list);
        out << QString::asprintf("  %-32s %7.2f ms\n", "open and show the window", window);
    } catch (const DbError& error) {
        out << "error " << error.number() << ": " << error.description() << Qt::endl;
        return 1;
    }
    return 0;
}
