#include "Recordset.h"

#include "Connection.h"
#include "Criterion.h"
#include "DbError.h"
#include "SearchIndex.h"
#include "Store.h"

#include <QRegularExpression>

#include <algorithm>

namespace {
// The rows whose held fields one read brings in: a window around the row asked for.
constexpr int kWindowRows = 128;
// Keys bound to one statement of that read.
constexpr int kKeysPerRead = 32;

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
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = select.match(sql);
    if (!match.hasMatch())
        return std::nullopt;
    return SingleTableSelect{match.captured(1), match.captured(2), match.captured(3)};
}

bool hasOrder(const QString& rest)
{
    static const QRegularExpression orderBy(QStringLiteral(R"(\bORDER\s+BY\b)"),
                                            QRegularExpression::CaseInsensitiveOption);
    return orderBy.match(rest).hasMatch();
}

// The tail of a statement with each column of its ORDER BY sorted as the program's lists
// are (see Store::orderTerm); an ordering that is not a plain list of columns, or names a
// column the table lacks, stays as it is.
QString caseBlindOrder(const QString& rest, const TableInfo& table, const Store& engine)
{
    static const QRegularExpression orderBy(
        QStringLiteral(R"(\bORDER\s+BY\s+(\w+(?:\s+(?:ASC|DESC))?)"
                       R"((?:\s*,\s*\w+(?:\s+(?:ASC|DESC))?)*)\s*;?\s*\z)"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression term(QStringLiteral(R"(\A(\w+)(?:\s+(\w+))?\z)"));
    const QRegularExpressionMatch order = orderBy.match(rest);
    if (!order.hasMatch())
        return rest;
    QStringList terms;
    for (const QString& written : order.captured(1).split(QLatin1Char(','))) {
        const QRegularExpressionMatch parts = term.match(written.trimmed());
        const auto column = std::find_if(
            table.columns.cbegin(), table.columns.cend(), [&](const TableInfo::Column& c) {
                return c.name.compare(parts.captured(1), Qt::CaseInsensitive) == 0;
            });
        if (column == table.columns.cend())
            return rest;
        terms.append(engine.orderTerm(
            *column, parts.captured(2).compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0));
    }
    return rest.left(order.capturedStart(1)) + terms.join(QLatin1String(", "));
}

// Whether a field's value matches; a number held in a column of no declared type compares
// as a number too.
bool matchesValue(const Criterion& criterion, const QVariant& value, bool numericField)
{
    const bool heldAsNumber =
        value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Double;
    return criterion.matches(value, numericField || heldAsNumber);
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

DbError rowDeleted()
{
    return DbError(DbError::RowDeleted,
                   QStringLiteral("Row handle referred to a deleted row or a row marked for "
                                  "deletion."));
}
} // namespace

// The keys a query found, asked for one by one: a bitmap over the keys when they are dense,
// as a table's keys usually are, else a sorted list.
class Recordset::KeySet
{
public:
    KeySet() = default;
    KeySet(std::vector<qint64> keys, qint64 maxKey, size_t rows)
        : m_dense(maxKey >= 0 && maxKey <= qint64(rows) * 8 + 4096)
    {
        if (!m_dense) {
            std::sort(keys.begin(), keys.end());
            m_sorted = std::move(keys);
            return;
        }
        m_bits.assign(size_t(maxKey) + 1, false);
        for (const qint64 key : keys) {
            if (key >= 0 && key <= maxKey)
                m_bits[size_t(key)] = true;
        }
    }
    bool contains(qint64 key) const
    {
        if (m_dense)
            return key >= 0 && key < qint64(m_bits.size()) && m_bits[size_t(key)];
        return std::binary_search(m_sorted.begin(), m_sorted.end(), key);
    }

private:
    bool m_dense = false;
    std::vector<bool> m_bits;
    std::vector<qint64> m_sorted;
};

Recordset::Recordset() = default;

Recordset::~Recordset() = default;

void Recordset::open(Connection& connection, const QString& sql, const QVariantList& parameters)
{
    close();
    const Store& engine = connection.store();
    const std::optional<SingleTableSelect> select = singleTableSelect(sql);
    const std::optional<TableInfo> table = select ? engine.table(select->table) : std::nullopt;
    m_connection = &connection;
    try {
        if (table) {
            openTable(engine, *table, select->columns, select->rest, parameters);
        } else {
            const QStringList columns =
                engine.select(sql, parameters, [this](QList<QVariant>&& values) {
                    m_keys.push_back(qint64(m_heldRows.size()));
                    m_heldRows.push_back(std::move(values));
                });
            defineFields(columns, std::nullopt, false);
        }
    } catch (const DbError&) {
        close();
        throw;
    }
    m_visible = matchingRows(nullptr);
    setPosition(0);
}

void Recordset::openTable(const Store& engine, const TableInfo& table, const QString& columns,
                          const QString& rest, const QVariantList& parameters)
{
    const bool allColumns = columns == QLatin1String("*");
    QStringList held;
    if (allColumns) {
        for (const TableInfo::Column& column : table.columns) {
            if (!column.isLong)
                held.append(engine.identifier(column.name));
        }
    } else {
        held.append(columns);
    }
    m_table = table.name;
    m_keyColumn = table.key;
    const QString key = engine.identifier(m_keyColumn);
    m_heldColumns = key + QStringLiteral(", ") + held.join(QLatin1String(", "));
    m_keys =
        engine.selectKeys(QStringLiteral("SELECT %1 FROM %2%3")
                              .arg(key, engine.identifier(m_table), caseBlindOrder(rest, table, engine)),
                          parameters);
    // Without an order the rows come in the order of the table.
    if (!hasOrder(rest))
        std::sort(m_keys.begin(), m_keys.end());
    m_maxKey = m_keys.empty() ? 0 : *std::max_element(m_keys.begin(), m_keys.end());
    const QStringList names =
        engine.select(byKey(m_heldColumns), {QVariant()}, [](QList<QVariant>&&) {});
    defineFields(names.mid(1), table, allColumns);
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
        if (info)
            static_cast<TableInfo::Column&>(field) = *info;
        field.name = name;
        if (info && info->isLong && allColumns)
            m_longFields.append(m_fields.size());
        else
            field.slot = m_slotCount++;
        m_fieldByName.insert(name.toLower(), m_fields.size());
        m_fields.append(field);
    }
    for (int i = 0; i < m_fields.size(); ++i) {
        const int companion =
            m_fields.at(i).slot < 0
                ? m_fieldByName.value(m_fields.at(i).name.toLower() + QStringLiteral("text"), -1)
                : -1;
        m_fields[i].matchField = companion >= 0 ? companion : i;
        if (companion >= 0)
            m_fields[companion].isCompanion = true;
    }
}

void Recordset::close()
{
    m_connection = nullptr;
    m_table.clear();
    m_keyColumn.clear();
    m_heldColumns.clear();
    m_fields.clear();
    m_longFields.clear();
    m_slotCount = 0;
    m_fieldByName.clear();
    m_keys = {};
    m_heldRows = {};
    m_maxKey = 0;
    m_visible = {};
    m_position = 0;
    m_currentDeleted = false;
    m_filter.clear();
    m_edits.clear();
    m_gone.clear();
    m_window.clear();
    m_longRow = -1;
    m_longHeld.clear();
    m_longValues.clear();
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
    const auto edit = m_edits.constFind(row);
    if (edit == m_edits.constEnd())
        return slot >= 0 ? shown(row).at(slot) : longValue(row, index);
    if (slot >= 0)
        return edit->values.at(slot);
    if (edit->longValues.contains(index))
        return edit->longValues.value(index);
    return edit->state == RowState::Added ? QVariant() : longValue(row, index);
}

const QList<QVariant>& Recordset::held(int row) const
{
    if (!isUpdatable())
        return m_heldRows[size_t(row)];
    auto found = m_window.constFind(row);
    if (found == m_window.constEnd()) {
        readWindow(row);
        found = m_window.constFind(row);
    }
    if (!found->has_value())
        throw rowDeleted();
    return **found;
}

void Recordset::readWindow(int row) const
{
    // The row and those that navigation sees around it, most of them after it.
    const auto at = std::lower_bound(m_visible.begin(), m_visible.end(), row);
    const auto first = at - std::min<ptrdiff_t>(at - m_visible.begin(), kWindowRows / 4);
    const auto last = first + std::min<ptrdiff_t>(m_visible.end() - first, kWindowRows);
    QHash<qint64, int> rowOfKey;
    rowOfKey.insert(m_keys[size_t(row)], row);
    for (auto shown = first; shown != last; ++shown) {
        const auto edit = m_edits.constFind(*shown);
        if (edit == m_edits.constEnd() || edit->state != RowState::Added)
            rowOfKey.insert(m_keys[size_t(*shown)], *shown);
    }
    // Filled aside: a read that fails leaves no row looking deleted.
    m_window.clear();
    QHash<int, Read> window;
    QVariantList keys;
    for (auto it = rowOfKey.cbegin(); it != rowOfKey.cend(); ++it) {
        window.emplace(it.value());
        keys.append(it.key());
    }
    const Store& engine = store();
    const QString sql =
        QStringLiteral("SELECT %1 FROM %2 WHERE %3 IN (%4)")
            .arg(m_heldColumns, engine.identifier(m_table), engine.identifier(m_keyColumn),
                 QStringList(kKeysPerRead, QStringLiteral("?")).join(QLatin1String(", ")));
    for (qsizetype from = 0; from < keys.size(); from += kKeysPerRead) {
        QVariantList bound = keys.mid(from, kKeysPerRead);
        bound.resize(kKeysPerRead);
        engine.select(sql, bound, [&](QList<QVariant>&& values) {
            const int found = rowOfKey.value(values.takeFirst().toLongLong());
            window.insert(found, std::move(values));
        });
    }
    m_window = std::move(window);
}

QVariant Recordset::longValue(int row, int field) const
{
    if (m_longRow != row)
        readLongFields(row);
    if (!m_longValues.contains(field)) {
        const Store& engine = store();
        Read found;
        engine.select(byKey(engine.identifier(m_fields.at(field).name)), {m_keys[size_t(row)]},
                      [&found](QList<QVariant>&& values) { found = std::move(values); });
        if (!found)
            throw rowDeleted();
        m_longValues.insert(field, found->first());
    }
    return m_longValues.value(field);
}

void Recordset::readLongFields(int row) const
{
    // The held fields are read again with them: what the row shows is from one moment.
    const Store& engine = store();
    QList<int> fields;
    QStringList columns{m_heldColumns};
    for (const int field : m_longFields) {
        if (!m_fields.at(field).isCompanion) {
            fields.append(field);
            columns.append(engine.identifier(m_fields.at(field).name));
        }
    }
    Read found;
    engine.select(byKey(columns.join(QLatin1String(", "))), {m_keys[size_t(row)]},
                  [&found](QList<QVariant>&& values) { found = std::move(values); });
    m_longRow = -1;
    m_longValues.clear();
    if (!found) {
        m_window.remove(row);
        m_window.emplace(row);
        throw rowDeleted();
    }
    m_longHeld = found->mid(1, m_slotCount);
    for (int i = 0; i < fields.size(); ++i)
        m_longValues.insert(fields.at(i), found->at(1 + m_slotCount + i));
    m_longRow = row;
}

const QList<QVariant>& Recordset::shown(int row) const
{
    return row == m_longRow ? m_longHeld : held(row);
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
    RowEdit& edit = m_edits[row];
    const int slot = m_fields.at(index).slot;
    if (slot >= 0)
        edit.values[slot] = value;
    else
        edit.longValues.insert(index, value);
}

void Recordset::beginEdit(int row)
{
    if (m_edits.contains(row))
        return;
    RowEdit edit;
    edit.original = shown(row);
    edit.values = edit.original;
    // The documents as the row showed them, when it did.
    if (m_longRow == row) {
        for (auto it = m_longValues.cbegin(); it != m_longValues.cend(); ++it)
            edit.longDigests.insert(it.key(), digest(it.value()));
    }
    m_edits.insert(row, std::move(edit));
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
        if (field.isNumeric && parsed.op() == Criterion::Operator::Equal && !parsed.valueIsNumber())
            throw DbError(
                DbError::BadArgument,
                QStringLiteral("Data type mismatch in criteria expression. (%1)").arg(criterion));
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
    const int field = criterion ? fieldIndex(criterion->field()) : -1;
    const int target = criterion ? m_fields.at(field).matchField : -1;
    const bool numeric = criterion && m_fields.at(field).isNumeric;
    const int slot = criterion ? m_fields.at(target).slot : -1;
    // Rows as stored are matched by the engine; rows with pending changes here.
    const KeySet stored = criterion && isUpdatable() ? keysMatching(*criterion, target) : KeySet();
    const auto matches = [&](const QVariant& value) {
        return matchesValue(*criterion, value, numeric);
    };
    std::vector<int> rows;
    for (int row = 0; row < int(m_keys.size()); ++row) {
        if (m_gone.contains(row))
            continue;
        const auto edit = m_edits.constFind(row);
        const bool edited = edit != m_edits.constEnd();
        if (edited && edit->state == RowState::Deleted)
            continue;
        bool match = true;
        if (!criterion)
            match = true;
        else if (!isUpdatable())
            match = matches(m_heldRows[size_t(row)].at(slot));
        else if (edited && slot >= 0)
            match = matches(edit->values.at(slot));
        else if (edited && edit->longValues.contains(target))
            match = matches(edit->longValues.value(target));
        else if (edited && edit->state == RowState::Added)
            match = matches(QVariant());
        else
            match = stored.contains(m_keys[size_t(row)]);
        if (match)
            rows.push_back(row);
    }
    return rows;
}

Recordset::KeySet Recordset::keysMatching(const Criterion& criterion, int field) const
{
    // The engine picks the rows: LIKE without wildcards for "=", and for a number the rows
    // holding it as a number. Beyond ASCII its letter case rules differ, and it converts text
    // to numbers more freely: there it only narrows the candidates and each is matched here.
    const Store& engine = store();
    const Field& target = m_fields.at(field);
    const QString column = engine.identifier(target.name);
    const bool number = criterion.op() == Criterion::Operator::Equal && criterion.valueIsNumber();
    const QVariant numberValue = criterion.value().trimmed().toDouble();
    QString condition = engine.likeCondition(target);
    QVariantList parameters{criterion.sqlLikePattern()};
    const QString numberCondition = number ? engine.numberCondition(target) : QString();
    if (number && target.isNumeric) {
        condition = numberCondition;
        parameters = {numberValue};
    } else if (!numberCondition.isEmpty()) {
        condition = QStringLiteral("(%1 OR (%2))").arg(condition, numberCondition);
        parameters.append(numberValue);
    }
    const bool refine = criterion.needsRefine() || target.isNumeric;
    // The search index, where it has the column and the pattern a run it can look up, picks
    // the candidates, read then by key.
    const std::optional<SearchIndex::Narrowing> narrowing = SearchIndex::narrowing(
        engine, m_table, m_keyColumn, criterion, target.name, int(m_keys.size()));
    if (narrowing) {
        condition += QStringLiteral(" AND ") + narrowing->condition;
        parameters.append(narrowing->parameter);
    }
    // Otherwise the engine would rather scan the table than an index nearly as wide as its
    // declared columns; the index holds only the short fields, the table the documents too.
    const QString source = target.index.isEmpty() || narrowing
                               ? engine.identifier(m_table)
                               : engine.readThrough(m_table, target.index);
    const QString sql =
        QStringLiteral("SELECT %1%2 FROM %3 WHERE %4")
            .arg(engine.identifier(m_keyColumn), refine ? QStringLiteral(", ") + column : QString(),
                 source, condition);
    if (!refine)
        return KeySet(engine.selectKeys(sql, parameters), m_maxKey, m_keys.size());
    std::vector<qint64> keys;
    engine.select(sql, parameters, [&](QList<QVariant>&& row) {
        if (matchesValue(criterion, row.at(1), target.isNumeric))
            keys.push_back(row.at(0).toLongLong());
    });
    return KeySet(std::move(keys), m_maxKey, m_keys.size());
}

void Recordset::addNew()
{
    requireOpen();
    requireUpdatable();
    RowEdit edit;
    edit.state = RowState::Added;
    edit.values = QList<QVariant>(m_slotCount);
    m_keys.push_back(0);
    const int row = int(m_keys.size()) - 1;
    m_edits.insert(row, std::move(edit));
    m_visible.push_back(row);
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
        if (edit->state != RowState::Added || (keepCurrent && row == current)) {
            ++edit;
            continue;
        }
        m_gone.insert(row);
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
    const auto edit = m_edits.constFind(row);
    if (edit != m_edits.constEnd() && edit->state == RowState::Added) {
        m_edits.remove(row);
        m_gone.insert(row);
    } else {
        beginEdit(row);
        m_edits[row].state = RowState::Deleted;
    }
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
    QHash<int, std::pair<qint64, QList<QVariant>>> written;
    engine.beginWrite();
    try {
        for (const int row : rows) {
            qint64 key = m_keys[size_t(row)];
            QList<QVariant> stored = writeRow(row, key);
            written.insert(row, {key, std::move(stored)});
        }
        engine.commit();
    } catch (const DbError&) {
        engine.rollback();
        throw;
    }
    for (auto it = written.cbegin(); it != written.cend(); ++it) {
        const int row = it.key();
        const RowEdit& edit = m_edits[row];
        if (edit.state == RowState::Deleted) {
            m_gone.insert(row);
            m_window.remove(row);
            continue;
        }
        m_keys[size_t(row)] = it->first;
        m_maxKey = std::max(m_maxKey, it->first);
        m_window.insert(row, it->second);
        if (m_longRow == row) {
            m_longHeld = it->second;
            for (auto value = edit.longValues.cbegin(); value != edit.longValues.cend(); ++value)
                m_longValues.insert(value.key(), value.value());
        }
    }
    m_edits.clear();
}

void Recordset::cancelBatch()
{
    requireOpen();
    const bool hadCurrent =
        !m_currentDeleted && m_position >= 0 && m_position < int(m_visible.size());
    const int current = hadCurrent ? m_visible[m_position] : -1;
    // The row after a deleted current row: the deleted one, if it comes back, stood just
    // before it.
    const int next = m_currentDeleted && m_position < int(m_visible.size()) ? m_visible[m_position]
                                                                            : int(m_keys.size());
    QSet<int> restored;
    for (auto edit = m_edits.cbegin(); edit != m_edits.cend(); ++edit) {
        if (edit->state == RowState::Added)
            m_gone.insert(edit.key());
        else if (edit->state == RowState::Deleted)
            restored.insert(edit.key());
    }
    m_edits.clear();

    std::vector<int> visible;
    for (const int row : m_visible) {
        if (!m_gone.contains(row))
            visible.push_back(row);
    }
    visible.insert(visible.end(), restored.cbegin(), restored.cend());
    std::sort(visible.begin(), visible.end());
    m_visible = std::move(visible);

    const auto at = [this](int row) {
        return int(std::lower_bound(m_visible.begin(), m_visible.end(), row) - m_visible.begin());
    };
    const int nextIndex = at(next);
    if (current >= 0 && !m_gone.contains(current)) {
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

QList<QVariant> Recordset::writeRow(int row, qint64& key)
{
    Store& engine = store();
    const RowEdit& edit = m_edits.find(row).value();
    if (edit.state != RowState::Added)
        verifyRow(row);
    const QString table = engine.identifier(m_table);
    const QString keyColumn = engine.identifier(m_keyColumn);
    if (edit.state == RowState::Deleted) {
        engine.write(QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(table, keyColumn), {key});
        return {};
    }

    QStringList columns;
    QVariantList values;
    for (int i = 0; i < m_fields.size(); ++i) {
        const int slot = m_fields.at(i).slot;
        const bool changed = slot < 0 ? edit.longValues.contains(i)
                             : edit.state == RowState::Added
                                 ? !edit.values.at(slot).isNull()
                                 : edit.values.at(slot) != edit.original.at(slot);
        if (changed) {
            columns.append(engine.identifier(m_fields.at(i).name));
            values.append(slot < 0 ? edit.longValues.value(i) : edit.values.at(slot));
        }
    }

    if (edit.state == RowState::Added) {
        key = engine.write(columns.isEmpty()
                               ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
                               : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                     .arg(table, columns.join(QLatin1String(", ")),
                                          QStringList(columns.size(), QStringLiteral("?"))
                                              .join(QLatin1String(", "))),
                           values);
    } else if (!columns.isEmpty()) {
        values.append(key);
        engine.write(QStringLiteral("UPDATE %1 SET %2 = ? WHERE %3 = ?")
                         .arg(table, columns.join(QLatin1String(" = ?, ")), keyColumn),
                     values);
    }
    const Read stored = readHeldValues(key);
    if (!stored)
        throw rowChanged();
    return *stored;
}

void Recordset::verifyRow(int row) const
{
    const RowEdit& edit = m_edits.find(row).value();
    const qint64 key = m_keys[size_t(row)];
    const Read stored = readHeldValues(key);
    if (!stored || *stored != edit.original)
        throw rowChanged();
    if (edit.longDigests.isEmpty())
        return;
    const Store& engine = store();
    QStringList columns;
    for (auto it = edit.longDigests.cbegin(); it != edit.longDigests.cend(); ++it)
        columns.append(engine.identifier(m_fields.at(it.key()).name));
    Read values;
    engine.select(byKey(columns.join(QLatin1String(", "))), {key},
                  [&](QList<QVariant>&& found) { values = std::move(found); });
    if (!values)
        throw rowChanged();
    int column = 0;
    for (auto it = edit.longDigests.cbegin(); it != edit.longDigests.cend(); ++it) {
        if (digest(values->at(column++)) != it.value())
            throw rowChanged();
    }
}

Recordset::Read Recordset::readHeldValues(qint64 key) const
{
    Read values;
    store().select(byKey(m_heldColumns), {key}, [&](QList<QVariant>&& found) {
        found.removeFirst();
        values = std::move(found);
    });
    return values;
}
