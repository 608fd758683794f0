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
// the rows are read once when the set is opened, moved through and changed in memory, and
// every pending change reaches the database only through updateBatch(), in one transaction
// that first checks each changed row still holds what was read.
//
// Field names match without regard to letter case. Long text fields (rich-text documents)
// are not held in the snapshot: they are read by the row's key when a row's field is asked
// for. Every failure throws DbError.
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
    // The field of the current row. Throws at BOF, EOF or on a deleted row.
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
    // characters); "" removes the filter. Text compares without regard to letter case.
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
    enum class RowState : quint8 { Unchanged, Added, Modified, Deleted };

    struct Field
    {
        QString name;
        // Index into Row::values, or -1 for a long field read on demand.
        int slot = -1;
        bool isNumeric = false;
        // The field a criterion on this one is matched against: its plain-text companion
        // "<name>Text" when the field is long and has one, else the field itself.
        int matchField = -1;
    };

    struct Row
    {
        // The row's key in the table; unknown for an added row until it is written.
        qint64 key = 0;
        QList<QVariant> values;
        RowState state = RowState::Unchanged;
    };

    // What a changed row carries until it is written.
    struct RowEdit
    {
        // The held fields as read (empty for an added row).
        QList<QVariant> original;
        // Long fields set by setValue(), by field index.
        QHash<int, QVariant> longValues;
    };

    Store& store() const;
    void requireOpen() const;
    bool isUpdatable() const { return !m_keyColumn.isEmpty(); }
    void requireUpdatable() const;
    int fieldIndex(const QString& name) const;
    // Index into m_rows of the current row; throws when there is none.
    int currentRow() const;
    void setPosition(int position);
    void defineFields(const QStringList& heldNames, const std::optional<TableInfo>& table,
                      bool allColumns);
    void readRows(const QString& sql);
    QVariant longValue(int row, int field) const;
    std::vector<int> matchingRows(const Criterion* criterion) const;
    QSet<qint64> keysMatching(const Criterion& criterion, int field) const;
    void beginEdit(int row);
    std::optional<Row> writeRow(int row);
    void verifyRow(int row) const;
    std::optional<QList<QVariant>> readHeldValues(qint64 key) const;
    QString byKey(const QString& columns) const;

    Connection* m_connection = nullptr;
    QString m_table;
    QString m_keyColumn;
    // "SELECT <key>, <held fields> FROM <table>": the snapshot's columns.
    QString m_rowSelect;
    QList<Field> m_fields;
    QList<int> m_longFields;
    int m_slotCount = 0;
    QHash<QString, int> m_fieldByName;
    std::vector<Row> m_rows;
    std::vector<int> m_visible;
    // Index into m_visible: -1 before the first row, m_visible.size() after the last.
    int m_position = 0;
    bool m_currentDeleted = false;
    QString m_filter;
    QHash<int, RowEdit> m_edits;
    // Digests of the long fields as last read, by row and field, for the optimistic check.
    mutable QHash<int, QHash<int, size_t>> m_longDigests;
    // The long fields of the row last read.
    mutable int m_longCacheRow = -1;
    mutable QHash<int, QVariant> m_longCache;
};
