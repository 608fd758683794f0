#include "SearchIndex.h"

#include "Criterion.h"
#include "Store.h"

#include <algorithm>
#include <limits>

namespace {
constexpr int kRowsPerStep = 1000;
constexpr int kShortestLookup = 3;
constexpr int kFewestCandidatesLimit = 200;
constexpr int kLargestShare = 20;
const QString kIndex = QStringLiteral("QV_Search");

QString joined(const QString& prefix)
{
    QStringList names;
    for (const QString& column : SearchIndex::columns())
        names.append(prefix + column);
    return names.join(QLatin1String(", "));
}

// An index row for the values of one article row ("new." or "old."); a delete row names the
// index's own column first.
QString indexInsert(const QString& row, bool remove)
{
    return QStringLiteral("INSERT INTO %1(%2rowid, %3) VALUES (%4%5RecordID, %6);")
        .arg(kIndex, remove ? kIndex + QStringLiteral(", ") : QString(), joined(QString()),
             remove ? QStringLiteral("'delete', ") : QString(), row, joined(row));
}

// The index's name of an article column, "" when the index has no such column.
QString indexSpelling(const QString& column)
{
    for (const QString& name : SearchIndex::columns()) {
        if (name.compare(column, Qt::CaseInsensitive) == 0)
            return name;
    }
    return {};
}

bool isPlainLookupCharacter(QChar c)
{
    return c.unicode() <= 0x7f && c != QLatin1Char('*') && c != QLatin1Char('%') &&
           c != QLatin1Char('_') && c != QLatin1Char('\\');
}
} // namespace

const QStringList& SearchIndex::columns()
{
    static const QStringList names{QStringLiteral("Title"),    QStringLiteral("ProblemText"),
                                   QStringLiteral("SolutionText"), QStringLiteral("techname"),
                                   QStringLiteral("EditedBy"), QStringLiteral("reference")};
    return names;
}

bool SearchIndex::exists(const Store& store)
{
    // A server's own trigram indexes serve a LIKE without narrowing.
    if (store.dialect() != Store::Dialect::Sqlite)
        return false;
    bool found = false;
    store.select(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND "
                                "name = ? COLLATE NOCASE"),
                 {kIndex}, [&found](QList<QVariant>&&) { found = true; });
    return found;
}

bool SearchIndex::indexes(const Store& store, const QString& table, const QString& keyColumn)
{
    return table.compare(QLatin1String("QV"), Qt::CaseInsensitive) == 0 &&
           keyColumn.compare(QLatin1String("RecordID"), Qt::CaseInsensitive) == 0 && exists(store);
}

void SearchIndex::create(Store& store, const Progress& progress)
{
    store.execute(QStringLiteral("CREATE VIRTUAL TABLE %1 USING fts5(%2, content='QV', "
                                 "content_rowid='RecordID', tokenize='trigram')")
                      .arg(kIndex, joined(QString())));
    int total = 0;
    store.select(QStringLiteral("SELECT count(*) FROM QV"), {},
                 [&total](QList<QVariant>&& row) { total = row.at(0).toInt(); });
    // Steps in key order, each its own statement, so that the progress can be shown.
    const QString stepEnd = QStringLiteral("SELECT max(RecordID) FROM (SELECT RecordID FROM QV "
                                           "WHERE RecordID > ? ORDER BY RecordID LIMIT %1)")
                                .arg(kRowsPerStep);
    const QString step = QStringLiteral("INSERT INTO %1(rowid, %2) SELECT RecordID, %2 FROM QV "
                                        "WHERE RecordID > %3 AND RecordID <= %4")
                             .arg(kIndex, joined(QString()));
    qint64 last = std::numeric_limits<qint64>::min();
    for (int done = 0; done < total; done += kRowsPerStep) {
        if (progress)
            progress(done, total);
        qint64 end = last;
        store.select(stepEnd, {last},
                     [&end](QList<QVariant>&& row) { end = row.at(0).toLongLong(); });
        store.execute(step.arg(last).arg(end));
        last = end;
    }
    store.execute(QStringLiteral("CREATE TRIGGER QV_Search_Insert AFTER INSERT ON QV BEGIN %1 END")
                      .arg(indexInsert(QStringLiteral("new."), false)));
    store.execute(QStringLiteral("CREATE TRIGGER QV_Search_Delete AFTER DELETE ON QV BEGIN %1 END")
                      .arg(indexInsert(QStringLiteral("old."), true)));
    store.execute(QStringLiteral("CREATE TRIGGER QV_Search_Update AFTER UPDATE OF %1 ON QV "
                                 "BEGIN %2 %3 END")
                      .arg(joined(QString()), indexInsert(QStringLiteral("old."), true),
                           indexInsert(QStringLiteral("new."), false)));
    if (progress)
        progress(total, total);
}

QString SearchIndex::lookupText(const Criterion& criterion, const QString& column)
{
    if (criterion.op() != Criterion::Operator::Like || indexSpelling(column).isEmpty())
        return {};
    QString longest;
    QString run;
    const QString value = criterion.value() + QLatin1Char('*');
    for (const QChar c : value) {
        if (isPlainLookupCharacter(c)) {
            run += c;
            continue;
        }
        if (run.size() > longest.size())
            longest = run;
        run.clear();
    }
    return longest.size() >= kShortestLookup ? longest : QString();
}

std::optional<SearchIndex::Narrowing>
SearchIndex::narrowing(const Store& store, const QString& table, const QString& keyColumn,
                       const Criterion& criterion, const QString& column, int rowCount)
{
    const QString lookup = lookupText(criterion, column);
    if (lookup.isEmpty() || !indexes(store, table, keyColumn))
        return std::nullopt;
    const QString indexColumn = indexSpelling(column);
    const QString phrase = QStringLiteral("{%1} : \"%2\"")
                               .arg(indexColumn, QString(lookup).replace(QLatin1Char('"'),
                                                                         QStringLiteral("\"\"")));
    // Past this many candidates the scan reads the table faster than the index's rows can be
    // fetched one by one.
    const int most = std::max(kFewestCandidatesLimit, rowCount / kLargestShare);
    int candidates = 0;
    store.select(QStringLiteral("SELECT count(*) FROM (SELECT rowid FROM %1 WHERE %1 MATCH ? "
                                "LIMIT %2)")
                     .arg(kIndex)
                     .arg(most),
                 {phrase}, [&candidates](QList<QVariant>&& row) { candidates = row.at(0).toInt(); });
    if (candidates >= most)
        return std::nullopt;
    return Narrowing{QStringLiteral("%1 IN (SELECT rowid FROM %2 WHERE %2 MATCH ?)")
                         .arg(store.identifier(keyColumn), kIndex),
                     phrase};
}
