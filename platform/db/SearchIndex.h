#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class Criterion;
class Store;

// The trigram index over the searchable text of the article table: QV_Search, an FTS5 table
// over the columns of QV named by columns(), its rows the rows of QV by RecordID. Triggers on
// QV keep it in step inside the transaction of every write, so it never differs from the
// table it indexes.
//
// The index only narrows: a LIKE criterion on an indexed column whose pattern holds a run of
// three or more plain ASCII characters selects the rows holding that run through the index
// (a phrase of its trigrams, read from the index alone), and the criterion itself is still
// matched on those rows, so the answer is the answer of the scan. Any other criterion, and
// one whose run occurs in a large share of the rows, is answered by the scan.
class SearchIndex
{
public:
    using Progress = std::function<void(int done, int total)>;

    static const QStringList& columns();

    // Whether the database has the index (and so its triggers); never on a server, whose
    // trigram indexes (db/schema-postgresql.sql) the server uses for a LIKE by itself.
    static bool exists(const Store& store);

    // Creates the index and its triggers on a database of the documented layout that lacks
    // them, filling it from the article table a step of rows at a time. Runs inside the
    // caller's write transaction.
    static void create(Store& store, const Progress& progress);

    // The text the index can look up for a criterion on a column: the longest run of three
    // or more ASCII characters of its pattern that holds no wildcard of either syntax; empty
    // when the criterion cannot use the index.
    static QString lookupText(const Criterion& criterion, const QString& column);

    // A condition on the key column of a table of rowCount rows that keeps only the rows
    // whose column holds the criterion's lookup text, with the one value to bind to its "?";
    // nothing when the index cannot answer, or would select so large a share of the rows
    // that reading them all is quicker.
    struct Narrowing
    {
        QString condition;
        QString parameter;
    };
    static std::optional<Narrowing> narrowing(const Store& store, const QString& table,
                                              const QString& keyColumn,
                                              const Criterion& criterion, const QString& column,
                                              int rowCount);

private:
    static bool indexes(const Store& store, const QString& table, const QString& keyColumn);
};
