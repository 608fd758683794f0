#pragma once

#include "TableInfo.h"

#include <QSqlDatabase>
#include <QString>

#include <QList>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <optional>
#include <vector>

class DbError;
class QSqlError;

// One kind of database behind a Connection. Everything that differs between engines (how a
// file is opened, the dialect of the schema upgrade, the error numbers, how a write is
// locked) lives in an implementation of this interface; Recordset speaks only through it.
class Store
{
public:
    virtual ~Store() = default;

    // The open Qt SQL connection the recordsets run their queries on.
    virtual QSqlDatabase database() const = 0;

    // The numbered error for an engine failure.
    virtual DbError error(const QSqlError& error) const = 0;

    // A table or column name written so that the engine reads it as a name.
    virtual QString identifier(const QString& name) const = 0;

    // Runs a query with its "?" parameters bound in order, hands every row to onRow as it
    // is read, and returns the column names. Repeated short texts share one copy. A null
    // value is an invalid QVariant. Each statement text is prepared once per connection.
    virtual QStringList select(const QString& sql, const QVariantList& parameters,
                               const std::function<void(QList<QVariant>&&)>& onRow) const = 0;

    // Runs a query whose first column is an integer (a row key) and returns that column of
    // every row: no row is built, so a million keys take a fraction of select()'s time.
    virtual std::vector<qint64> selectKeys(const QString& sql,
                                           const QVariantList& parameters) const = 0;

    // Runs an INSERT, UPDATE or DELETE with its "?" parameters bound in order; returns the
    // key the engine gave the last row inserted. Prepared once per connection, as select().
    virtual qint64 write(const QString& sql, const QVariantList& parameters) = 0;

    // Runs a statement that returns no rows.
    virtual void execute(const QString& sql) = 0;
    // The same, calling working() now and then while a long statement runs.
    virtual void execute(const QString& sql, const std::function<void()>& working) = 0;

    // The columns and row key of a table; nothing when the name is no table (a view, or
    // unknown: the engine reports that when the statement runs).
    virtual std::optional<TableInfo> table(const QString& name) const = 0;

    // One write transaction: begun, then committed or rolled back.
    virtual void beginWrite() = 0;
    virtual void commit() = 0;
    virtual void rollback() = 0;

    // Whether this program may not write the database (writes then fail with an error).
    virtual bool isReadOnly() const = 0;

    // Sets a value of this program's session, kept for as long as it is connected, which
    // the database's triggers may read: on SQLite the row of the name in the temporary table
    // SessionSettings (name, value), on a server the setting of the name (current_setting).
    virtual void setSessionSetting(const QString& name, const QString& value) = 0;

    // The engine, for the pieces of a knowledge base only one of them has (SQLite's own
    // search index and upgrade steps; the server's session settings).
    enum class Dialect { Sqlite, Postgresql };
    virtual Dialect dialect() const = 0;

    // The SQL of the comparisons the recordsets make, which the engines write differently.
    // An ORDER BY term that sorts a column as the program's lists do: text without regard to
    // ASCII letter case, NULL first (last when descending), and in a column of no declared
    // type the numbers first, by value.
    virtual QString orderTerm(const TableInfo::Column& column, bool descending) const = 0;
    // The condition that the column matches the "?" pattern of a LIKE with "\" as its escape
    // character, ASCII letters matching in either case and no other letters.
    virtual QString likeCondition(const TableInfo::Column& column) const = 0;
    // The condition that the column holds the number bound to its "?" as a number; empty
    // for a column that never holds a number.
    virtual QString numberCondition(const TableInfo::Column& column) const = 0;
    // The table as the source of a query that reads it through the index, where the engine
    // lets a query name the index.
    virtual QString readThrough(const QString& table, const QString& index) const = 0;
};
