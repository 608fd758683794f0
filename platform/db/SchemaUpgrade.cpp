#include "SchemaUpgrade.h"

#include "Connection.h"
#include "DbError.h"
#include "Recordset.h"
#include "SearchIndex.h"
#include "Store.h"
#include "richtext/RtfReader.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <iterator>
#include <limits>
#include <optional>
#include <utility>

namespace {
constexpr int kRowsPerStep = 200;

bool hasColumn(const TableInfo& table, const QString& name)
{
    for (const TableInfo::Column& column : table.columns) {
        if (column.name.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// The indexes of the article table that the article list is read through, as db/schema.sql
// makes them.
const char* const kReadingIndexes[] = {
    "CREATE INDEX IF NOT EXISTS QV_Order ON QV (Id COLLATE NOCASE)",
    "CREATE INDEX IF NOT EXISTS QV_Short ON QV (CUName, techname, Title, reference, "
    "InitialEntry, EditedBy, DateEdited, Image1, Image2, Image3, Image4, Image5, Image6, Image7, "
    "Image8, Image9, Image10, Id)",
};

bool lacksReadingIndexes(const Store& store)
{
    if (!store.table(QStringLiteral("QV")))
        return false;
    int present = 0;
    store.select(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'index' AND "
                                "name IN ('QV_Order', 'QV_Short')"),
                 {}, [&present](QList<QVariant>&& row) { present = row.at(0).toInt(); });
    return present < int(std::size(kReadingIndexes));
}

// The plain-text columns the article table lacks, each beside the rich-text column it is
// made from; empty for a table that is not of the documented layout.
QList<std::pair<QString, QString>> missingPlainText(const Store& store)
{
    const std::optional<TableInfo> articles = store.table(QStringLiteral("QV"));
    if (!articles)
        return {};
    const auto has = [&articles](const QString& name) { return hasColumn(*articles, name); };
    QList<std::pair<QString, QString>> missing;
    for (const QString& rich : {QStringLiteral("Problem"), QStringLiteral("Solution")}) {
        if (!has(rich))
            return {};
        if (!has(rich + QStringLiteral("Text")))
            missing.append({rich, rich + QStringLiteral("Text")});
    }
    return missing;
}

// Adds the columns and fills them, a step of rows at a time in key order.
void fillPlainText(Store& store, const QList<std::pair<QString, QString>>& columns,
                   const SchemaUpgrade::Progress& progress)
{
    const QString table = store.identifier(QStringLiteral("QV"));
    const QString key = store.identifier(store.table(QStringLiteral("QV"))->key);
    QStringList rich;
    QStringList assignments;
    for (const auto& [richColumn, plainColumn] : columns) {
        store.execute(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 MEMO")
                          .arg(table, store.identifier(plainColumn)));
        rich.append(store.identifier(richColumn));
        assignments.append(store.identifier(plainColumn) + QStringLiteral(" = ?"));
    }
    int total = 0;
    store.select(QStringLiteral("SELECT count(*) FROM %1").arg(table), {},
                 [&total](QList<QVariant>&& row) { total = row.at(0).toInt(); });
    QSqlQuery update(store.database());
    if (!update.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                            .arg(table, assignments.join(QLatin1String(", ")), key)))
        throw store.error(update.lastError());
    const QString step = QStringLiteral("SELECT %1, %2 FROM %3 WHERE %1 > ? ORDER BY %1 LIMIT %4")
                             .arg(key, rich.join(QLatin1String(", ")), table)
                             .arg(kRowsPerStep);
    int done = 0;
    QVariant last = std::numeric_limits<qint64>::min();
    for (bool more = true; more;) {
        if (progress)
            progress(SchemaUpgrade::Step::PlainText, done, total);
        QList<QList<QVariant>> rows;
        store.select(step, {last}, [&rows](QList<QVariant>&& row) { rows.append(std::move(row)); });
        for (const QList<QVariant>& row : rows) {
            for (int i = 1; i < row.size(); ++i)
                update.bindValue(i - 1, RtfReader::plainText(row.at(i).toString()));
            update.bindValue(int(row.size()) - 1, row.at(0));
            if (!update.exec())
                throw store.error(update.lastError());
        }
        done += int(rows.size());
        more = rows.size() == kRowsPerStep;
        if (!rows.isEmpty())
            last = rows.last().at(0);
    }
    if (progress)
        progress(SchemaUpgrade::Step::PlainText, total, total);
}

// Runs one upgrade in its own write transaction when needed() says so. needed() is asked
// again once the transaction holds the write lock: another copy of the program may have done
// the upgrade while this one waited. A failure leaves the database as it was.
void upgradeOnce(Store& store, const std::function<bool()>& needed,
                 const std::function<void()>& apply)
{
    try {
        if (!needed())
            return;
        store.beginWrite();
    } catch (const DbError&) {
        return;
    }
    try {
        if (needed())
            apply();
        store.commit();
    } catch (const DbError&) {
        store.rollback();
    }
}

// The progress of one step, or none.
SearchIndex::Progress stepProgress(const SchemaUpgrade::Progress& progress,
                                   SchemaUpgrade::Step step)
{
    if (!progress)
        return {};
    return [progress, step](int done, int total) { progress(step, done, total); };
}
} // namespace

void SchemaUpgrade::probeAndUpgrade(Connection& connection, const Progress& progress)
{
    if (connection.isReadOnly())
        return;
    addCategoryKey(connection);
    addPlainText(connection, progress);
    // A server's indexes are its schema's, made when the database was set up.
    if (connection.store().dialect() != Store::Dialect::Sqlite)
        return;
    addReadingIndexes(connection, progress);
    addSearchIndex(connection, progress);
}

void SchemaUpgrade::addCategoryKey(Connection& connection)
{
    try {
        Recordset probe;
        probe.open(connection, QStringLiteral("select * from Categories2"));
    } catch (const DbError& probeError) {
        if (probeError.number() != DbError::UnknownName)
            return;
        try {
            connection.execute(
                QStringLiteral("ALTER TABLE Categories ADD COLUMN RecordID COUNTER PRIMARY KEY"));
        } catch (const DbError&) {
            // A failed upgrade leaves the database as it was; the next start tries again.
        }
    }
}

void SchemaUpgrade::addPlainText(Connection& connection, const Progress& progress)
{
    Store& store = connection.store();
    upgradeOnce(
        store, [&store] { return !missingPlainText(store).isEmpty(); },
        [&store, &progress] {
            fillPlainText(store, missingPlainText(store), progress);
        });
}

void SchemaUpgrade::addSearchIndex(Connection& connection, const Progress& progress)
{
    Store& store = connection.store();
    const auto needed = [&store] {
        // Only a table of the documented layout, plain-text columns included, is indexed.
        const std::optional<TableInfo> articles = store.table(QStringLiteral("QV"));
        if (!articles ||
            articles->key.compare(QLatin1String("RecordID"), Qt::CaseInsensitive) != 0)
            return false;
        for (const QString& column : SearchIndex::columns()) {
            if (!hasColumn(*articles, column))
                return false;
        }
        return !SearchIndex::exists(store);
    };
    upgradeOnce(store, needed, [&store, &progress] {
        SearchIndex::create(store, stepProgress(progress, Step::SearchIndex));
    });
}

void SchemaUpgrade::addReadingIndexes(Connection& connection, const Progress& progress)
{
    Store& store = connection.store();
    upgradeOnce(store, [&store] { return lacksReadingIndexes(store); }, [&store, &progress] {
        for (const char* index : kReadingIndexes) {
            store.execute(QString::fromLatin1(index), [&progress] {
                if (progress)
                    progress(Step::Indexes, 0, 0);
            });
        }
    });
}
