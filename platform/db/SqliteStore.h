#pragma once

#include "Store.h"

#include <chrono>
#include <string>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

// An SQLite database file, opened for safety and sharing: every commit synced to the disk,
// and a statement that finds the file locked by another program waits for it (telling
// LongWait when the wait grows long). Opening reads and never writes: the file keeps its
// journal mode, and a file this user cannot write is opened read-only.
class SqliteStore : public Store
{
public:
    // Opens an existing database file; throws DbError when it is missing, is not a
    // database, is cut short or cannot be read. SQLite never creates the file.
    explicit SqliteStore(const QString& path);
    ~SqliteStore() override;
    SqliteStore(const SqliteStore&) = delete;
    SqliteStore& operator=(const SqliteStore&) = delete;

    QSqlDatabase database() const override;
    DbError error(const QSqlError& error) const override;
    QString identifier(const QString& name) const override;
    QStringList select(const QString& sql, const QVariantList& parameters,
                       const std::function<void(QList<QVariant>&&)>& onRow) const override;
    std::vector<qint64> selectKeys(const QString& sql,
                                   const QVariantList& parameters) const override;
    qint64 write(const QString& sql, const QVariantList& parameters) override;
    // Also carries out "ALTER TABLE t ADD [COLUMN] c COUNTER PRIMARY KEY", which SQLite has
    // no statement for, by rebuilding the table.
    void execute(const QString& sql) override;
    void execute(const QString& sql, const std::function<void()>& working) override;
    std::optional<TableInfo> table(const QString& name) const override;
    void beginWrite() override;
    void commit() override;
    void rollback() override;
    bool isReadOnly() const override;
    void setSessionSetting(const QString& name, const QString& value) override;
    Dialect dialect() const override;
    QString orderTerm(const TableInfo::Column& column, bool descending) const override;
    QString likeCondition(const TableInfo::Column& column) const override;
    QString numberCondition(const TableInfo::Column& column) const override;
    QString readThrough(const QString& table, const QString& index) const override;

private:
    class Statement;

    void open(const QString& path);
    sqlite3* handle() const;
    // The statement of the text, bound to the parameters and ready to step.
    Statement statement(const QString& sql, const QVariantList& parameters) const;
    void finalizeStatements() const;
    static int waitForLock(void* store, int attempts);
    void closeConnection();
    void run(const QString& sql) const;
    DbError engineError() const;
    void addCounterKey(const QString& tableName, const QString& column);

    QString m_connectionName;
    // Prepared statements by their text, reset after each use.
    mutable std::unordered_map<std::string, sqlite3_stmt*> m_statements;
    bool m_readOnly = false;
    std::chrono::steady_clock::time_point m_waitBegan;
};
