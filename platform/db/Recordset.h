#pragma once

#include "TableInfo.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>
#include <vector>

class Connection;
class Criterion;
class Store;

// A static snapshot of the rows a SELECT statement returns, with batch-optimistic writing:
// which rows the set holds, and in which order, is read once when the set is opened; they
// are moved through and changed in memory, and every pending change reaches the database
// only through updateBatch(), in one transaction that first checks each changed row still
// holds what was read.
//
// A set over one table holds only the rows' keys: the fields of the rows around the current
// one are read on demand, a window at a time, and show the row as it is when read. The long
// text fields (rich-text documents) are read by the row's key when one of them is asked
// for, together with the other fields of the row, so that they all come from one moment.
// Other sets (views, queries over several tables) hold their rows. Field names match without
// regard to letter case; text columns sort without regard to it. Every failure throws
// DbError.
class Recordset
{
public:
    // absolutePosition() when there is no current row.
    static constexpr int PositionUnknown = -1;
    static constexpr int PositionBof = -2;
    static constexpr int PositionEof = -3;

    Recordset();
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // Reads the rows of a SELECT statement; the first row becomes current. A set that is
    // open is closed first (its pending changes are dropped). Each "?" of the statement
    // takes the next of the parameters as a value, never as SQL text, so a value may hold
    // quotes or anything else.
    void open(Connection& connection, const QString& sql, const QVariantList& parameters = {});
    // Releases the rows; pending changes are dropped.
    void close();
    bool isOpen() const;

    QStringList fieldNames() const;
    // The field of the current row. Throws at BOF, EOF or on a deleted row, and with
    // DbError::RowDeleted when another program has deleted the row.
    QVariant value(const QString& field) const;
    // Sets the field of the current row; the change is pending until updateBatch().
    void setValue(const QString& field, const QVariant& value);

    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    // Moves by a signed number of rows from the current row; past either end stops at BOF
    // or EOF.
    void move(int rows);
    // Before the first row; both isBof() and isEof() are true on an empty set.
    bool isBof() const;
    bool isEof() const;

    // The rows that navigation sees: all of them, or the matches of the filter.
    int recordCount() const;
    // The current row's 1-based position among the rows that navigation sees, or one of
    // the Position constants.
    int absolutePosition() const;
    // Makes the row at a 1-based position current. A position outside the set throws and
    // leaves the current row where it was.
    void setAbsolutePosition(int position);

    // Restricts navigation to the rows that match a criterion of the form
    // "Field = #value#" or "Field LIKE #pattern#" ("*" in a pattern stands for any run of
    // characters); "" removes the filter. Text compares without regard to letter case; a
    // field without a value (NULL) matches no criterion.
    // The first match becomes current. A criterion that cannot be read throws and leaves
    // the previous filter in force.
    void setFilter(const QString& criterion);
    QString filter() const;

    // Appends an empty row and makes it current.
    void addNew();
    // Drops the rows appended since the last write that were never written, all of them or
    // all but the current row; a dropped current row leaves the set without a current row
    // until the next move, as deleteCurrent() does.
    void discardAdditions(bool keepCurrent);
    // Ends the edit of the current row (its changes stay pending).
    void update();
    // Marks the current row deleted; the row stays current (without fields) until the next
    // move.
    void deleteCurrent();
    // Writes every pending addition, change and deletion in one transaction. When a
    // changed or deleted row no longer holds what was read, nothing is written, the
    // changes stay pending and DbError::RowChanged is thrown.
    void updateBatch();
    // Drops every pending change, as after a write that failed: changed and deleted rows
    // hold again what was read and navigation sees them again, added rows go. A row deleted
    // as the current row, with no move since, is current again.
    void cancelBatch();

private:
    enum class RowState : quint8 { Added, Modified, Deleted };

    // A field: its column as the store describes it (only its name for a set that is no
    // single table's), and where the set keeps its values.
    struct Field : TableInfo::Column
    {
        // Index into the held values, or -1 for a long field read on demand.
        int slot = -1;
        // The field a criterion on this one is matched against: its plain-text companion
        // "<name>Text" when the field is long and has one, else the field itself.
        int matchField = -1;
        // A long field that is the plain-text companion of another: read only when asked for.
        bool isCompanion = false;
    };

    // What an added, changed or deleted row carries until it is written.
    struct RowEdit
    {
        RowState state = RowState::Modified;
        // The held fields as read (empty for an added row), and as they are now.
        QList<QVariant> original;
        QList<QVariant> values;
        // Long fields set by setValue(), by field index.
        QHash<int, QVariant> longValues;
        // Digests of the long fields as read, by field index, for the optimistic check.
        QHash<int, size_t> longDigests;
    };

    // The held fields of a row as read, or nothing when the row is no longer in the table.
    using Read = std::optional<QList<QVariant>>;
    class KeySet;

    Store& store() const;
    void requireOpen() const;
    bool isUpdatable() const { return !m_keyColumn.isEmpty(); }
    void requireUpdatable() const;
    int fieldIndex(const QString& name) const;
    // Index of the current row; throws when there is none.
    int currentRow() const;
    void setPosition(int position);
    void openTable(const Store& engine, const TableInfo& table, const QString& columns,
                   const QString& rest, const QVariantList& parameters);
    void defineFields(const QStringList& heldNames, const std::optional<TableInfo>& table,
                      bool allColumns);
    // The held fields of an unchanged row as read; throws when another program deleted it.
    const QList<QVariant>& held(int row) const;
    void readWindow(int row) const;
    // The held fields of an unchanged row as it was last shown: with its long fields, when
    // they were read last, else as held.
    const QList<QVariant>& shown(int row) const;
    QVariant longValue(int row, int field) const;
    void readLongFields(int row) const;
    std::vector<int> matchingRows(const Criterion* criterion) const;
    KeySet keysMatching(const Criterion& criterion, int field) const;
    void beginEdit(int row);
    // Writes a row's pending change; returns its held fields as stored, and sets the key of
    // an added row.
    QList<QVariant> writeRow(int row, qint64& key);
    void verifyRow(int row) const;
    Read readHeldValues(qint64 key) const;
    QString byKey(const QString& columns) const;

    Connection* m_connection = nullptr;
    QString m_table;
    QString m_keyColumn;
    // "<key>, <held fields>": the columns read for each row.
    QString m_heldColumns;
    QList<Field> m_fields;
    QList<int> m_longFields;
    int m_slotCount = 0;
    QHash<QString, int> m_fieldByName;
    // The rows in order: their keys in the table (0 for an added row until it is written),
    // or for a set that holds its rows, their fields.
    std::vector<qint64> m_keys;
    std::vector<QList<QVariant>> m_heldRows;
    // The largest key read at open.
    qint64 m_maxKey = 0;
    std::vector<int> m_visible;
    // Index into m_visible: -1 before the first row, m_visible.size() after the last.
    int m_position = 0;
    bool m_currentDeleted = false;
    QString m_filter;
    QHash<int, RowEdit> m_edits;
    // Rows that left the set for good: written deletions and dropped additions.
    QSet<int> m_gone;
    // The held fields of the rows around the one last read, by row.
    mutable QHash<int, Read> m_window;
    // The row whose long fields were read last: its held fields read with them, and the long
    // fields by field index.
    mutable int m_longRow = -1;
    mutable QList<QVariant> m_longHeld;
    mutable QHash<int, QVariant> m_longValues;
};
