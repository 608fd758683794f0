#include "Recordset.h"

#include "Connection.h"
#include "Criterion.h"
#include "DbError.h"
#include "SearchIndex.h"
#include "Store.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>

namespace {
// A SELECT over one table, split into its column list, the table and what follows.
struct SingleTableSelect
{
    QString columns;
    QString table;
    QString rest;
};

std::optional<SingleTableSelect> singleTableSelect(const QString& sql)
{
    static const QRegularExpression select(
        QStringLiteral(R"(\A\s*SELECT\s+(\*|\w+(?:\s*,\s*\w+)*)\s+FROM\s+(\w+))"
                       R"(((?:\s+(?:WHERE|ORDER\s+BY)\b.*)?)\s*;?\s*\z)"),
        QRegularExpression::CaseInsensitiveOption |
            QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = select.match(sql);
    if (!match.hasMatch())
        return std::nullopt;
    return SingleTableSelect{match.captured(1), match.captured(2), match.captured(3)};
}

size_t digest(const QVariant& value)
{
    return value.isNull() ? 0 : qHash(value.toString(), 1);
}

DbError noCurrentRow()
{
    return DbError(DbError::NoCurrentRow,
                   QStringLiteral("Either BOF or EOF is True, or the current record has been "
                                  "deleted. Requested operation requires a current record."));
}

DbError rowChanged()
{
    return DbError(DbError::RowChanged,
                   QStringLiteral("Row cannot be located for updating. Some values may have "
                                  "been changed since it was last read."));
}

QSqlQuery prepared(const Store& store, const QString& sql)
{
    QSqlQuery query(store.database());
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        throw store.error(query.lastError());
    return query;
}

void run(const Store& store, QSqlQuery& query)
{
    if (!query.exec())
        throw store.error(query.lastError());
}
} // namespace

Recordset::Recordset() = default;

Recordset::~Recordset() = default;

void Recordset::open(Connection& connection, const QString& sql, const QVariantList& parameters)
{
    close();
    const Store& engine = connection.store();
    const std::optional<SingleTableSelect> select = singleTableSelect(sql);
    const std::optional<TableInfo> table = select ? engine.table(select->table) : std::nullopt;

    QString query = sql;
    const bool allColumns = select && select->columns == QLatin1String("*");
    if (table) {
        QStringList held;
        if (allColumns) {
            for (const TableInfo::Column& column : table->columns) {
                if (!column.isLong)
                    held.append(engine.identifier(column.name));
            }
        } else {
            held.append(select->columns);
        }
        m_table = table->name;
        m_keyColumn = table->key;
        m_rowSelect = QStringLiteral("SELECT %1, %2 FROM %3")
                          .arg(engine.identifier(m_keyColumn), held.join(QLatin1String(", ")),
                               engine.identifier(m_table));
        query = m_rowSelect + select->rest;
    }

    const int first = isUpdatable() ? 1 : 0;
    const QStringList columns = engine.select(query, parameters, [&](QList<QVariant>&& values) {
        Row row;
        if (first > 0)
            row.key = values.takeFirst().toLongLong();
        row.values = std::move(values);
        m_rows.push_back(std::move(row));
    });
    defineFields(columns.mid(first), table, allColumns);
    m_connection = &connection;
    m_visible = matchingRows(nullptr);
    setPosition(0);
}

void Recordset::defineFields(const QStringList& heldNames, const std::optional<TableInfo>& table,
                             bool allColumns)
{
    const auto column = [&](const QString& name) -> std::optional<TableInfo::Column> {
        if (table) {
            for (const TableInfo::Column& candidate : table->columns) {
                if (candidate.name.compare(name, Qt::CaseInsensitive) == 0)
                    return candidate;
            }
        }
        return std::nullopt;
    };
    const QStringList names = allColumns && table ? [&] {
        QStringList all;
        for (const TableInfo::Column& c : table->columns)
            all.append(c.name);
        return all;
    }()
                                                  : heldNames;
    for (const QString& name : names) {
        const std::optional<TableInfo::Column> info = column(name);
        Field field;
        field.name = name;
        field.isNumeric = info && info->isNumeric;
        if (info && info->isLong && allColumns)
            m_longFields.append(m_fields.size());
        else
            field.slot = m_slotCount++;
        m_fieldByName.insert(name.toLower(), m_fields.size());
        m_fields.append(field);
    }
    for (int i = 0; i < m_fields.size(); ++i) {
        const int companion = m_fields.at(i).slot < 0
                                  ? m_fieldByName.value(m_fields.at(i).name.toLower() +
                                                            QStringLiteral("text"),
                                                        -1)
                                  : -1;
        m_fields[i].matchField = companion >= 0 ? companion : i;
    }
}

void Recordset::close()
{
    m_connection = nullptr;
    m_table.clear();
    m_keyColumn.clear();
    m_rowSelect.clear();
    m_fields.clear();
    m_longFields.clear();
    m_slotCount = 0;
    m_fieldByName.clear();
    m_rows.clear();
    m_visible.clear();
    m_position = 0;
    m_currentDeleted = false;
    m_filter.clear();
    m_edits.clear();
    m_longDigests.clear();
    m_longCacheRow = -1;
    m_longCache.clear();
}

bool Recordset::isOpen() const
{
    return m_connection != nullptr;
}

Store& Recordset::store() const
{
    requireOpen();
    return m_connection->store();
}

void Recordset::requireOpen() const
{
    if (!m_connection)
        throw DbError(DbError::ObjectClosed,
                      QStringLiteral("Operation is not allowed when the object is closed."));
}

void Recordset::requireUpdatable() const
{
    if (!isUpdatable())
        throw DbError(DbError::NotUpdatable,
                      QStringLiteral("Current Recordset does not support updating."));
}

QStringList Recordset::fieldNames() const
{
    requireOpen();
    QStringList names;
    for (const Field& field : m_fields)
        names.append(field.name);
    return names;
}

int Recordset::fieldIndex(const QString& name) const
{
    requireOpen();
    const int index = m_fieldByName.value(name.toLower(), -1);
    if (index < 0)
        throw DbError(DbError::UnknownField,
                      QStringLiteral("Item cannot be found in the collection corresponding to "
                                     "the requested name or ordinal. (field: %1)")
                          .arg(name));
    return index;
}

int Recordset::currentRow() const
{
    requireOpen();
    if (m_currentDeleted || m_position < 0 || m_position >= int(m_visible.size()))
        throw noCurrentRow();
    return m_visible[m_position];
}

QVariant Recordset::value(const QString& field) const
{
    const int index = fieldIndex(field);
    const int row = currentRow();
    const int slot = m_fields.at(index).slot;
    return slot >= 0 ? m_rows[row].values.at(slot) : longValue(row, index);
}

QVariant Recordset::longValue(int row, int field) const
{
    const auto edit = m_edits.constFind(row);
    if (edit != m_edits.constEnd() && edit->longValues.contains(field))
        return edit->longValues.value(field);
    if (m_rows[row].state == RowState::Added)
        return QVariant();
    if (m_longCacheRow != row) {
        const Store& engine = store();
        QStringList columns;
        for (const int longField : m_longFields)
            columns.append(engine.identifier(m_fields.at(longField).name));
        QList<QVariant> values(m_longFields.size());
        engine.select(byKey(columns.join(QLatin1String(", "))), {m_rows[row].key},
                      [&](QList<QVariant>&& found) { values = std::move(found); });
        m_longCache.clear();
        QHash<int, size_t>& digests = m_longDigests[row];
        for (int i = 0; i < m_longFields.size(); ++i) {
            m_longCache.insert(m_longFields.at(i), values.at(i));
            digests.insert(m_longFields.at(i), digest(values.at(i)));
        }
        m_longCacheRow = row;
    }
    return m_longCache.value(field);
}

QString Recordset::byKey(const QString& columns) const
{
    const Store& engine = store();
    return QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
        .arg(columns, engine.identifier(m_table), engine.identifier(m_keyColumn));
}

void Recordset::setValue(const QString& field, const QVariant& value)
{
    const int index = fieldIndex(field);
    const int row = currentRow();
    requireUpdatable();
    beginEdit(row);
    const int slot = m_fields.at(index).slot;
    if (slot >= 0)
        m_rows[row].values[slot] = value;
    else
        m_edits[row].longValues.insert(index, value);
}

void Recordset::beginEdit(int row)
{
    Row& target = m_rows[row];
    if (target.state == RowState::Unchanged) {
        m_edits[row].original = target.values;
        target.state = RowState::Modified;
    }
}

void Recordset::setPosition(int position)
{
    m_position = position;
    m_currentDeleted = false;
}

void Recordset::moveFirst()
{
    requireOpen();
    if (m_visible.empty())
        throw noCurrentRow();
    setPosition(0);
}

void Recordset::moveLast()
{
    requireOpen();
    if (m_visible.empty())
        throw noCurrentRow();
    setPosition(int(m_visible.size()) - 1);
}

void Recordset::moveNext()
{
    move(1);
}

void Recordset::movePrevious()
{
    move(-1);
}

void Recordset::move(int rows)
{
    if ((rows >= 0 && isEof()) || (rows <= 0 && isBof()))
        throw noCurrentRow();
    // A deleted current row has already left the set: the row after it holds its place.
    const int from = m_currentDeleted && rows > 0 ? m_position - 1 : m_position;
    setPosition(std::clamp(from + rows, -1, int(m_visible.size())));
}

bool Recordset::isBof() const
{
    requireOpen();
    return !m_currentDeleted && (m_visible.empty() || m_position < 0);
}

bool Recordset::isEof() const
{
    requireOpen();
    return !m_currentDeleted && (m_visible.empty() || m_position >= int(m_visible.size()));
}

int Recordset::recordCount() const
{
    requireOpen();
    return int(m_visible.size());
}

int Recordset::absolutePosition() const
{
    requireOpen();
    if (m_currentDeleted || m_visible.empty())
        return PositionUnknown;
    if (m_position < 0)
        return PositionBof;
    if (m_position >= int(m_visible.size()))
        return PositionEof;
    return m_position + 1;
}

void Recordset::setAbsolutePosition(int position)
{
    requireOpen();
    if (position < 1 || position > int(m_visible.size()))
        throw DbError(DbError::BadArgument,
                      QStringLiteral("Arguments are of the wrong type, are out of acceptable "
                                     "range, or are in conflict with one another. (position: %1)")
                          .arg(position));
    setPosition(position - 1);
}

void Recordset::setFilter(const QString& criterion)
{
    requireOpen();
    if (criterion.trimmed().isEmpty()) {
        m_visible = matchingRows(nullptr);
        m_filter.clear();
    } else {
        const Criterion parsed = Criterion::parse(criterion);
        const Field& field = m_fields.at(fieldIndex(parsed.field()));
        if (field.isNumeric && parsed.op() == Criterion::Operator::Equal &&
            !parsed.valueIsNumber())
            throw DbError(DbError::BadArgument,
                          QStringLiteral("Data type mismatch in criteria expression. (%1)")
                              .arg(criterion));
        m_visible = matchingRows(&parsed);
        m_filter = criterion;
    }
    setPosition(0);
}

QString Recordset::filter() const
{
    requireOpen();
    return m_filter;
}

std::vector<int> Recordset::matchingRows(const Criterion* criterion) const
{
    std::vector<int> rows;
    const int field = criterion ? fieldIndex(criterion->field()) : -1;
    const int target = criterion ? m_fields.at(field).matchField : -1;
    const bool numeric = criterion && m_fields.at(field).isNumeric;
    const int slot = criterion ? m_fields.at(target).slot : -1;
    const QSet<qint64> keys =
        criterion && slot < 0 ? keysMatching(*criterion, target) : QSet<qint64>();
    for (int row = 0; row < int(m_rows.size()); ++row) {
        const Row& candidate = m_rows[row];
        if (candidate.state == RowState::Deleted)
            continue;
        bool match = true;
        if (criterion && slot >= 0) {
            // A number held in a column of no declared type compares as a number too.
            const QVariant& value = candidate.values.at(slot);
            const bool heldAsNumber = value.typeId() == QMetaType::LongLong ||
                                      value.typeId() == QMetaType::Double;
            match = criterion->matches(value, numeric || heldAsNumber);
        } else if (criterion) {
            const auto edit = m_edits.constFind(row);
            if (edit != m_edits.constEnd() && edit->longValues.contains(target))
                match = criterion->matches(edit->longValues.value(target), false);
            else if (candidate.state == RowState::Added)
                match = criterion->matches(QVariant(), false);
            else
                match = keys.contains(candidate.key);
        }
        if (match)
            rows.push_back(row);
    }
    return rows;
}

QSet<qint64> Recordset::keysMatching(const Criterion& criterion, int field) const
{
    // The engine picks the rows; beyond ASCII its letter case rules differ, so it then only
    // narrows the candidates and the text is matched here.
    const Store& engine = store();
    const bool refine = criterion.needsRefine();
    const QString column = engine.identifier(m_fields.at(field).name);
    QString sql = QStringLiteral("SELECT %1%2 FROM %3 WHERE %4 LIKE ? ESCAPE '\\'")
                      .arg(engine.identifier(m_keyColumn),
                           refine ? QStringLiteral(", ") + column : QString(),
                           engine.identifier(m_table), column);
    QVariantList parameters{criterion.sqlLikePattern()};
    // The search index, where it has the column and the pattern a run it can look up, picks
    // the candidates instead of a scan of every row.
    if (const std::optional<SearchIndex::Narrowing> narrowing =
            SearchIndex::narrowing(engine, m_table, m_keyColumn, criterion,
                                   m_fields.at(field).name, int(m_rows.size()))) {
        sql += QStringLiteral(" AND ") + narrowing->condition;
        parameters.append(narrowing->parameter);
    }
    QSet<qint64> keys;
    engine.select(sql, parameters, [&](QList<QVariant>&& row) {
        if (!refine || criterion.matches(row.at(1), false))
            keys.insert(row.at(0).toLongLong());
    });
    return keys;
}

void Recordset::addNew()
{
    requireOpen();
    requireUpdatable();
    Row row;
    row.values = QList<QVariant>(m_slotCount);
    row.state = RowState::Added;
    m_rows.push_back(row);
    const int index = int(m_rows.size()) - 1;
    m_edits.insert(index, RowEdit());
    m_visible.push_back(index);
    setPosition(int(m_visible.size()) - 1);
}

void Recordset::discardAdditions(bool keepCurrent)
{
    requireOpen();
    const bool hasCurrent =
        !m_currentDeleted && m_position >= 0 && m_position < int(m_visible.size());
    const int current = hasCurrent ? m_visible[m_position] : -1;
    for (auto edit = m_edits.begin(); edit != m_edits.end();) {
        const int row = edit.key();
        if (m_rows[row].state != RowState::Added || (keepCurrent && row == current)) {
            ++edit;
            continue;
        }
        m_rows[row].state = RowState::Deleted;
        const auto shown = std::find(m_visible.begin(), m_visible.end(), row);
        if (shown != m_visible.end()) {
            const int index = int(shown - m_visible.begin());
            m_visible.erase(shown);
            if (index < m_position)
                --m_position;
            else if (index == m_position)
                m_currentDeleted = true;
        }
        edit = m_edits.erase(edit);
    }
}

void Recordset::update()
{
    // Changes are pending from setValue() on; ending the edit needs only a current row.
    currentRow();
}

void Recordset::deleteCurrent()
{
    const int row = currentRow();
    requireUpdatable();
    if (m_rows[row].state == RowState::Added)
        m_edits.remove(row);
    else
        beginEdit(row);
    m_rows[row].state = RowState::Deleted;
    m_visible.erase(m_visible.begin() + m_position);
    m_currentDeleted = true;
}

void Recordset::updateBatch()
{
    Store& engine = store();
    if (m_edits.isEmpty())
        return;
    QList<int> rows = m_edits.keys();
    std::sort(rows.begin(), rows.end());
    QHash<int, Row> written;
    engine.beginWrite();
    try {
        for (const int row : rows) {
            if (std::optional<Row> fresh = writeRow(row))
                written.insert(row, *fresh);
        }
        engine.commit();
    } catch (const DbError&) {
        engine.rollback();
        throw;
    }
    for (auto it = written.cbegin(); it != written.cend(); ++it) {
        const QHash<int, QVariant>& longValues = m_edits.value(it.key()).longValues;
        for (auto value = longValues.cbegin(); value != longValues.cend(); ++value)
            m_longDigests[it.key()].insert(value.key(), digest(value.value()));
        m_rows[it.key()] = it.value();
    }
    m_edits.clear();
    m_longCacheRow = -1;
}

void Recordset::cancelBatch()
{
    requireOpen();
    const bool hadCurrent = !m_currentDeleted && m_position >= 0 && m_position < int(m_visible.size());
    const int current = hadCurrent ? m_visible[m_position] : -1;
    // The row after a deleted current row: the deleted one, if it comes back, stood just
    // before it.
    const int next = m_currentDeleted && m_position < int(m_visible.size()) ? m_visible[m_position]
                                                                            : int(m_rows.size());
    QSet<int> restored;
    for (auto edit = m_edits.cbegin(); edit != m_edits.cend(); ++edit) {
        Row& target = m_rows[edit.key()];
        if (target.state == RowState::Added) {
            target.state = RowState::Deleted;
            continue;
        }
        if (target.state == RowState::Deleted)
            restored.insert(edit.key());
        target.values = edit->original;
        target.state = RowState::Unchanged;
    }
    m_edits.clear();
    m_longCacheRow = -1;

    std::vector<int> visible;
    for (const int row : m_visible) {
        if (m_rows[row].state != RowState::Deleted)
            visible.push_back(row);
    }
    visible.insert(visible.end(), restored.cbegin(), restored.cend());
    std::sort(visible.begin(), visible.end());
    m_visible = std::move(visible);

    const auto at = [this](int row) {
        return int(std::lower_bound(m_visible.begin(), m_visible.end(), row) - m_visible.begin());
    };
    const int nextIndex = at(next);
    if (current >= 0 && m_rows[current].state != RowState::Deleted) {
        setPosition(at(current));
    } else if (m_currentDeleted && nextIndex > 0 && restored.contains(m_visible[nextIndex - 1])) {
        setPosition(nextIndex - 1);
    } else if (current >= 0 || m_currentDeleted) {
        m_position = current >= 0 ? at(current) : nextIndex;
        m_currentDeleted = true;
    } else if (m_position >= 0) {
        m_position = int(m_visible.size()); // at EOF it stays
    }
}

std::optional<Recordset::Row> Recordset::writeRow(int row)
{
    const Store& engine = store();
    const Row& source = m_rows[row];
    const RowEdit& edit = m_edits[row];
    if (source.state != RowState::Added)
        verifyRow(row);
    const QString table = engine.identifier(m_table);
    const QString key = engine.identifier(m_keyColumn);
    if (source.state == RowState::Deleted) {
        QSqlQuery remove =
            prepared(engine, QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(table, key));
        remove.addBindValue(source.key);
        run(engine, remove);
        return std::nullopt;
    }

    QStringList columns;
    QVariantList values;
    for (int i = 0; i < m_fields.size(); ++i) {
        const int slot = m_fields.at(i).slot;
        const bool changed =
            slot < 0 ? edit.longValues.contains(i)
            : source.state == RowState::Added ? !source.values.at(slot).isNull()
                                              : source.values.at(slot) != edit.original.at(slot);
        if (changed) {
            columns.append(engine.identifier(m_fields.at(i).name));
            values.append(slot < 0 ? edit.longValues.value(i) : source.values.at(slot));
        }
    }

    qint64 rowKey = source.key;
    if (source.state == RowState::Added) {
        QSqlQuery insert = prepared(
            engine, columns.isEmpty()
                        ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
                        : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                              .arg(table, columns.join(QLatin1String(", ")),
                                   QStringList(columns.size(), QStringLiteral("?"))
                                       .join(QLatin1String(", "))));
        for (const QVariant& value : values)
            insert.addBindValue(value);
        run(engine, insert);
        rowKey = insert.lastInsertId().toLongLong();
    } else if (!columns.isEmpty()) {
        QSqlQuery change = prepared(engine, QStringLiteral("UPDATE %1 SET %2 = ? WHERE %3 = ?")
                                                .arg(table, columns.join(QLatin1String(" = ?, ")),
                                                     key));
        for (const QVariant& value : values)
            change.addBindValue(value);
        change.addBindValue(rowKey);
        run(engine, change);
    }
    const std::optional<QList<QVariant>> stored = readHeldValues(rowKey);
    if (!stored)
        throw rowChanged();
    return Row{rowKey, *stored, RowState::Unchanged};
}

void Recordset::verifyRow(int row) const
{
    const std::optional<QList<QVariant>> stored = readHeldValues(m_rows[row].key);
    if (!stored || *stored != m_edits.value(row).original)
        throw rowChanged();
    const QHash<int, size_t> digests = m_longDigests.value(row);
    if (digests.isEmpty())
        return;
    const Store& engine = store();
    QStringList columns;
    for (auto it = digests.cbegin(); it != digests.cend(); ++it)
        columns.append(engine.identifier(m_fields.at(it.key()).name));
    std::optional<QList<QVariant>> values;
    engine.select(byKey(columns.join(QLatin1String(", "))), {m_rows[row].key},
                  [&](QList<QVariant>&& found) { values = std::move(found); });
    if (!values)
        throw rowChanged();
    int column = 0;
    for (auto it = digests.cbegin(); it != digests.cend(); ++it) {
        if (digest(values->at(column++)) != it.value())
            throw rowChanged();
    }
}

std::optional<QList<QVariant>> Recordset::readHeldValues(qint64 key) const
{
    const Store& engine = store();
    std::optional<QList<QVariant>> values;
    engine.select(m_rowSelect + QStringLiteral(" WHERE %1 = ?").arg(engine.identifier(m_keyColumn)),
                  {key}, [&](QList<QVariant>&& found) {
                      found.removeFirst();
                      values = std::move(found);
                  });
    return values;
}
