// Times searches with the trigram search index against the same searches on a copy of the
// database without it (the scan the index replaces), the cost the index adds to a save and a
// delete, its size, and how long the start-up upgrade takes to build it for an older file.
// Usage: BenchSearchIndex [article count] [--clean]
// The database is generated under /tmp (bench-search-<count>.db) by the database benchmark's
// generator when missing; one article in 200 gets the words "firmware rollback" in its
// problem, for a selective search. Above 200,000 articles the documents are shortened to
// about 700 characters so that a million articles fit on a small disk. Both files are
// vacuumed, so that the articles lie together in each. --clean deletes the generated files
// at the end.

#include "common/GeneratedDatabase.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Recordset.h"
#include "db/SchemaUpgrade.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <vector>

namespace {
constexpr int kRuns = 7;
QTextStream out(stdout);

bool sqlite(const QString& path, const QByteArray& script)
{
    return GeneratedDatabase::runTool(path, script);
}

QByteArray fileText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool generate(const QString& path, int count)
{
    QByteArray generator = fileText(QStringLiteral(QV_BENCH_GENERATOR));
    if (count > 200000)
        generator.replace(", 2900)", ", 700)");
    return sqlite(path, fileText(QStringLiteral(QV_SCHEMA))) &&
           sqlite(path, "CREATE TEMP TABLE ArticleCount (n INTEGER); INSERT INTO ArticleCount "
                        "VALUES (" + QByteArray::number(count) + ");\n" + generator) &&
           sqlite(path, "UPDATE QV SET ProblemText = ProblemText || ' firmware rollback', "
                        "Problem = replace(Problem, '\\par}', ' firmware rollback\\par}') "
                        "WHERE RecordID % 200 = 0; VACUUM;");
}

// The median of a few runs in milliseconds, after one unmeasured run.
double medianOf(const std::function<void()>& action)
{
    action();
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer timer;
        timer.start();
        action();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// A search as the user meets it: the filter, then the first match's fields shown.
double search(Recordset& set, const QString& criterion, int* matches)
{
    const double ms = medianOf([&] {
        set.setFilter(criterion);
        if (set.recordCount() > 0) {
            set.moveFirst();
            for (const QString& field : set.fieldNames())
                set.value(field);
        }
    });
    *matches = set.recordCount();
    set.setFilter(QString());
    return ms;
}

// One save of a changed problem text, and one delete, each a batch of its own.
std::pair<double, double> writes(Recordset& set)
{
    int round = 0;
    const double save = medianOf([&] {
        set.setValue(QStringLiteral("ProblemText"),
                     QStringLiteral("changed text of round %1 with the words printer and spooler")
                         .arg(++round));
        set.updateBatch();
    });
    const double remove = medianOf([&] {
        set.moveLast();
        set.deleteCurrent();
        set.updateBatch();
    });
    return {save, remove};
}

qint64 sizeOf(const QString& path)
{
    return QFileInfo(path).size();
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const bool clean = arguments.contains(QStringLiteral("--clean"));
    const int count = arguments.size() > 1 && arguments.at(1) != QLatin1String("--clean")
                          ? arguments.at(1).toInt()
                          : 100000;
    const QString indexed = QStringLiteral("/tmp/bench-search-%1.db").arg(count);
    const QString scanned = QStringLiteral("/tmp/bench-search-%1-scan.db").arg(count);
    if (!QFile::exists(indexed)) {
        out << "Generating " << indexed << " (" << count << " articles) ..." << Qt::endl;
        if (!generate(indexed, count)) {
            out << "generation failed" << Qt::endl;
            return 1;
        }
    }
    QFile::remove(scanned);
    if (!QFile::copy(indexed, scanned) ||
        !sqlite(scanned, "DROP TRIGGER QV_Search_Insert; DROP TRIGGER QV_Search_Delete; "
                         "DROP TRIGGER QV_Search_Update; DROP TABLE QV_Search; VACUUM;")) {
        out << "could not make the copy without the index" << Qt::endl;
        return 1;
    }
    out << "articles: " << count << ", file with the index " << sizeOf(indexed) / 1048576
        << " MB, without " << sizeOf(scanned) / 1048576 << " MB" << Qt::endl;

    const QStringList searches{
        QStringLiteral("ProblemText LIKE #*firmware rollback*#"),
        QStringLiteral("ProblemText LIKE #*driver version*#"),
        QStringLiteral("SolutionText LIKE #*zebra crossing*#"),
        QStringLiteral("Title LIKE #*case 012345*#"),
        QStringLiteral("ProblemText LIKE #*the*log*#"),
        QStringLiteral("ProblemText LIKE #*ab*#"),
    };
    try {
        Connection withIndex;
        withIndex.open(indexed);
        Connection withoutIndex;
        withoutIndex.open(scanned);
        Recordset a;
        a.open(withIndex, QStringLiteral("SELECT * FROM QV ORDER BY id"));
        Recordset b;
        b.open(withoutIndex, QStringLiteral("SELECT * FROM QV ORDER BY id"));
        out << Qt::endl << "search, then the first match shown      index      scan   matches"
            << Qt::endl;
        for (const QString& criterion : searches) {
            int matchesA = 0;
            int matchesB = 0;
            const double ms = search(a, criterion, &matchesA);
            const double scan = search(b, criterion, &matchesB);
            out << Qt::left << qSetFieldWidth(40) << criterion << qSetFieldWidth(0) << Qt::right
                << QString::asprintf("%7.1f ms %7.1f ms %8d", ms, scan, matchesA)
                << (matchesA == matchesB ? "" : "  DIFFERENT ANSWERS") << Qt::endl;
        }
        const auto [saveA, deleteA] = writes(a);
        const auto [saveB, deleteB] = writes(b);
        out << QString::asprintf("save one problem text  %7.2f ms %7.2f ms\n", saveA, saveB)
            << QString::asprintf("delete one article     %7.2f ms %7.2f ms\n", deleteA, deleteB);
        b.close();
        withoutIndex.close();

        // The copy without the index is an older file: the start-up upgrade builds it.
        const qint64 before = sizeOf(scanned);
        Connection older;
        older.open(scanned);
        QElapsedTimer timer;
        timer.start();
        SchemaUpgrade::probeAndUpgrade(older);
        out << "index built by the start-up upgrade in " << timer.elapsed() << " ms, adding "
            << (sizeOf(scanned) - before) / 1048576 << " MB" << Qt::endl;
    } catch (const DbError& error) {
        out << "database error " << error.number() << ": " << error.description() << Qt::endl;
        return 1;
    }
    QFile::remove(scanned);
    if (clean)
        QFile::remove(indexed);
    return 0;
}
