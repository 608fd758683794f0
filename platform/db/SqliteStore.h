#pragma once

#include "Store.h"

// An SQLite database file, opened for safety and sharing: write-ahead journal, every
// commit synced to the disk, and a busy timeout so that two programs on one file wait for
// each other. A file without any write permission is opened read-only.
class SqliteStore : public Store
{
public:
    // Opens an existing database file; throws DbError when it is missing, is not a
    // database or cannot be read. SQLite never creates the file.
    explicit SqliteStore(const QString& path);
    ~SqliteStore() override;
    SqliteStore(const SqliteStore&) = delete;
    SqliteStore& operator=(const SqliteStore&) = delete;

    QSqlDatabase database() const override;
    DbError error(const QSqlError& error) const override;
    QString identifier(const QString& name) const override;
    QStringList select(const QString& sql, const QVariantList& parameters,
                       const std::function<void(QList<QVariant>&&)>& onRow) const override;
    // Also carries out "ALTER TABLE t ADD [COLUMN] c COUNTER PRIMARY KEY", which SQLite has
    // no statement for, by rebuilding the table.
    void execute(const QString& sql) override;
    std::optional<TableInfo> table(const QString& name) const override;
    void beginWrite() override;
    void commit() override;
    void rollback() override;

private:
    void open(const QString& path);
    void closeConnection();
    void run(const QString& sql) const;
    DbError engineError() const;
    void addCounterKey(const QString& tableName, const QString& column);

    QString m_connectionName;
};
