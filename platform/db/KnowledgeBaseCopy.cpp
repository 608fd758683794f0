#include "KnowledgeBaseCopy.h"

#include "Connection.h"
#include "DbError.h"
#include "KnowledgeBaseSchema.h"
#include "Store.h"

#include <QFileInfo>
#include <QStringList>
#include <QTemporaryFile>

#include <algorithm>
#include <cstdio>
#include <limits>

namespace {

// Rows read from the source per query: as many as make about this many bytes, within limits.
// A server hands a query's rows over all at once.
constexpr qint64 kBatchBytes = 4 * 1024 * 1024;
constexpr qint64 kFirstBatchRows = 100;
constexpr qint64 kMostBatchRows = 1000;

bool isSqlite(const Store& store)
{
    return store.dialect() == Store::Dialect::Sqlite;
}

DbError refusal(const QString& description)
{
    return DbError(DbError::StatementFailed, description);
}

int columnIndex(const TableInfo& table, const QString& name)
{
    for (int i = 0; i < table.columns.size(); ++i) {
        if (table.columns.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

qint64 firstNumber(const Store& store, const QString& sql, const QVariantList& parameters)
{
    qint64 number = 0;
    store.select(sql, parameters, [&number](QList<QVariant>&& row) {
        number = row.isEmpty() ? 0 : row.first().toLongLong();
    });
    return number;
}

qint64 rowCount(const Store& store, const TableInfo& table)
{
    return firstNumber(
        store, QStringLiteral("SELECT count(*) FROM %1").arg(store.identifier(table.name)), {});
}

// The number a counter last gave in the table (0 when it gave none or there is none).
qint64 counter(const Store& store, const TableInfo& table)
{
    if (isSqlite(store))
        return store.table(QStringLiteral("sqlite_sequence"))
                   ? firstNumber(store,
                                 QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = ? "
                                                "COLLATE NOCASE"),
                                 {table.name})
                   : 0;
    return firstNumber(store,
                       QStringLiteral("SELECT pg_sequence_last_value(CAST(pg_get_serial_sequence("
                                      "?, ?) AS regclass))"),
                       {table.name, table.key});
}

// Makes the table's counter give numbers after `last` next.
void setCounter(Store& store, const TableInfo& table, qint64 last)
{
    if (!isSqlite(store)) {
        store.select(QStringLiteral("SELECT setval(CAST(pg_get_serial_sequence(?, ?) AS regclass), "
                                    "greatest(CAST(? AS bigint), 1), CAST(? AS bigint) > 0)"),
                     {table.name, table.key, last, last}, [](QList<QVariant>&&) {});
        return;
    }
    // Only a table declared AUTOINCREMENT has a counter of its own; the others number
    // after their largest key. A counter that never gave a number has no row.
    if (!store.table(QStringLiteral("sqlite_sequence")))
        return;
    if (last == 0) {
        store.write(QStringLiteral("DELETE FROM sqlite_sequence WHERE name = ?"), {table.name});
        return;
    }
    store.write(QStringLiteral("INSERT INTO sqlite_sequence (name, seq) SELECT ?, 0 WHERE NOT "
                               "EXISTS (SELECT 1 FROM sqlite_sequence WHERE name = ?) AND EXISTS "
                               "(SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? "
                               "AND sql LIKE '%AUTOINCREMENT%')"),
                {table.name, table.name, table.name});
    store.write(QStringLiteral("UPDATE sqlite_sequence SET seq = ? WHERE name = ?"),
                {last, table.name});
}

// One table's copy: the statements that read the source's rows a batch at a time and write
// them into the target, and where each value goes.
struct TableCopy
{
    TableInfo source;
    TableInfo target;
    QString select;
    QString insert;
    // Where the key is in a row read, and the target's column of each value (none for a
    // row address).
    int keyAt = 0;
    QList<int> columns;
};

TableCopy plan(const Store& source, const Store& target, const TableInfo& from, const TableInfo& to)
{
    TableCopy copy{from, to, {}, {}, 0, {}};
    QStringList read;
    QStringList written;
    // A key that is the engine's row address rather than a column goes into the target's key.
    const bool keyIsColumn = columnIndex(from, from.key) >= 0;
    if (!keyIsColumn) {
        read.append(source.identifier(from.key));
        written.append(target.identifier(to.key));
        copy.columns.append(-1);
    }
    for (const TableInfo::Column& column : from.columns) {
        const int at = columnIndex(to, column.name);
        if (at < 0)
            throw refusal(QStringLiteral("The target's table %1 has no column %2.")
                              .arg(to.name, column.name));
        if (column.name.compare(from.key, Qt::CaseInsensitive) == 0)
            copy.keyAt = int(read.size());
        read.append(source.identifier(column.name));
        written.append(target.identifier(to.columns.at(at).name));
        copy.columns.append(at);
    }
    const QString key = source.identifier(from.key);
    copy.select = QStringLiteral("SELECT %1 FROM %2 WHERE %3 > ? ORDER BY %3 LIMIT ?")
                      .arg(read.join(QLatin1String(", ")), source.identifier(from.name), key);
    QStringList marks;
    for (int i = 0; i < written.size(); ++i)
        marks.append(QStringLiteral("?"));
    copy.insert = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(target.identifier(to.name), written.join(QLatin1String(", ")),
                           marks.join(QLatin1String(", ")));
    return copy;
}

// Ends the source's read snapshot; a failure then (a lost connection) has nothing to undo.
void endRead(Store& source)
{
    try {
        source.execute(QStringLiteral("COMMIT"));
    } catch (const DbError&) {
    }
}

// A value as a server's column takes it: a text column gets the text of a number or of bytes
// (the driver would write a number with a precision of its own and bytes as binary data).
QVariant forServer(const QVariant& value, const TableInfo::Column& column)
{
    if (value.isNull() || column.isNumeric || value.typeId() == QMetaType::QString)
        return value;
    return QVariant(value.toString());
}

// Copies the table's rows in batches of about the same size; returns the largest key copied.
qint64 copyRows(Store& source, Store& target, const TableCopy& copy,
                const std::function<void(qint64 rows)>& copied)
{
    const bool toServer = !isSqlite(target);
    qint64 last = std::numeric_limits<qint64>::min();
    qint64 limit = kFirstBatchRows;
    for (;;) {
        qint64 read = 0;
        qint64 bytes = 0;
        source.select(copy.select, {last, limit}, [&](QList<QVariant>&& row) {
            last = row.at(copy.keyAt).toLongLong();
            for (int i = 0; i < row.size(); ++i) {
                bytes +=
                    row.at(i).typeId() == QMetaType::QString ? 2 * row.at(i).toString().size() : 8;
                if (toServer && copy.columns.at(i) >= 0)
                    row[i] = forServer(row.at(i), copy.target.columns.at(copy.columns.at(i)));
            }
            target.write(copy.insert, row);
            ++read;
        });
        copied(read);
        if (read < limit)
            return last;
        limit =
            std::clamp(read * kBatchBytes / std::max<qint64>(bytes, 1), qint64(1), kMostBatchRows);
    }
}

// The tables copied, in this order; QVHistory only where the source has it.
const QStringList& tables()
{
    static const QStringList names = {
        QStringLiteral("QV"),     QStringLiteral("Categories"),
        QStringLiteral("Users"),  QStringLiteral("Customize"),
        QStringLiteral("Login"),  QStringLiteral("tblEnablePasswords"),
        QStringLiteral("CUINFO"), QStringLiteral("QVHistory")};
    return names;
}

} // namespace

KnowledgeBaseCopy::KnowledgeBaseCopy(const Connection& source, Connection& target)
    : m_source(source), m_target(target)
{
}

void KnowledgeBaseCopy::run(Existing existing)
{
    Store& source = m_source.store();
    Store& target = m_target.store();

    std::vector<TableCopy> copies;
    for (const QString& name : tables()) {
        const std::optional<TableInfo> from = source.table(name);
        if (!from && name == QLatin1String("QVHistory"))
            continue;
        if (!from)
            throw refusal(QStringLiteral("The source is not a knowledge base: it has no table %1.")
                              .arg(name));
        const std::optional<TableInfo> to = target.table(name);
        if (!to)
            throw refusal(QStringLiteral("The target has no table %1.").arg(name));
        copies.push_back(plan(source, target, *from, *to));
    }

    source.execute(isSqlite(source)
                       ? QStringLiteral("BEGIN")
                       : QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ, READ ONLY"));
    try {
        target.beginWrite();
        for (const TableCopy& copy : copies) {
            const qint64 rows = rowCount(target, copy.target);
            if (rows == 0)
                continue;
            if (existing == Existing::Refuse)
                throw refusal(QStringLiteral("The target already holds a knowledge base (table "
                                             "%1 has %2 rows). Nothing was copied.")
                                  .arg(copy.target.name)
                                  .arg(rows));
            // The article table first: its triggers keep the deleted rows in the history
            // table, which is emptied after it.
            target.write(QStringLiteral("DELETE FROM %1").arg(target.identifier(copy.target.name)),
                         {});
        }
        qint64 total = 0;
        for (const TableCopy& copy : copies)
            total += rowCount(source, copy.source);
        qint64 done = 0;
        for (const TableCopy& copy : copies) {
            const qint64 last = copyRows(source, target, copy, [&](qint64 rows) {
                done += rows;
                if (m_progress)
                    m_progress(done, total);
            });
            setCounter(target, copy.target,
                       std::max({counter(source, copy.source), last, qint64(0)}));
        }
        target.commit();
    } catch (const DbError&) {
        target.rollback();
        endRead(source);
        throw;
    }
    endRead(source);
    // A server plans its reads by statistics of the rows, and answers from an index alone
    // once it knows which pages hold only rows every reader sees: both are made now, as after
    // any bulk load, rather than when the server's own vacuum comes by.
    if (!isSqlite(target)) {
        for (const TableCopy& copy : copies)
            target.execute(QStringLiteral("VACUUM ANALYZE ") + target.identifier(copy.target.name));
    }
}

void KnowledgeBaseCopy::toSqliteFile(const Connection& source, const QString& file,
                                     const Progress& progress)
{
    const QFileInfo target(file);
    QTemporaryFile partial(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                           QStringLiteral(".XXXXXX"));
    if (!partial.open())
        throw DbError(DbError::StoreFailure, partial.errorString());
    partial.close();
    {
        Connection copy;
        copy.open(partial.fileName());
        KnowledgeBaseSchema::create(copy.store());
        KnowledgeBaseCopy knowledgeBase(source, copy);
        knowledgeBase.setProgress(progress);
        knowledgeBase.run();
    }
    if (std::rename(QFile::encodeName(partial.fileName()).constData(),
                    QFile::encodeName(target.absoluteFilePath()).constData()) != 0)
        throw DbError(DbError::StoreFailure,
                      QStringLiteral("The copy could not be saved as %1.").arg(file));
    partial.setAutoRemove(false);
}
