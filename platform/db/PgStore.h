#pragma once

#include "Store.h"

#include <QHash>
#include <QSet>
#include <QSqlQuery>

#include <memory>
#include <unordered_map>

// A knowledge base on a PostgreSQL server, reached by an address
// "postgresql://user@host:port/dbname" (the password from the user's PostgreSQL password file
// or PGPASSWORD, never from the address), with the tables of db/schema-postgresql.sql.
//
// It answers as the SQLite file does: names in any letter case, text compared byte by byte
// with only ASCII letters folded, whole numbers of the untyped Id column read back as
// numbers, integers as 64-bit numbers, the tables without a key of their own addressed by
// their hidden rowid. Writers take turns, as on SQLite: a write transaction first takes the
// knowledge base's write lock, waiting at most 10 seconds for another program's write.
// A lost connection fails the statement with a numbered error; the next statement connects
// again, with the session settings made before.
class PgStore : public Store
{
public:
    // Whether a path is a server address rather than a file.
    static bool isAddress(const QString& path);

    // Connects to the database of the address; throws DbError when the address cannot be
    // used (ServerAddress::problem), or the server refuses or cannot be reached.
    explicit PgStore(const QString& address);
    ~PgStore() override;
    PgStore(const PgStore&) = delete;
    PgStore& operator=(const PgStore&) = delete;

    QSqlDatabase database() const override;
    DbError error(const QSqlError& error) const override;
    QString identifier(const QString& name) const override;
    QStringList select(const QString& sql, const QVariantList& parameters,
                       const std::function<void(QList<QVariant>&&)>& onRow) const override;
    std::vector<qint64> selectKeys(const QString& sql,
                                   const QVariantList& parameters) const override;
    // An INSERT into a table with a key returns the key of the last row it wrote.
    qint64 write(const QString& sql, const QVariantList& parameters) override;
    // Also carries out "ALTER TABLE t ADD [COLUMN] c COUNTER PRIMARY KEY" with an identity
    // column that numbers the rows already there.
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
    void connect() const;
    void reconnectIfLost() const;
    // The query of a statement text, prepared once per connection, with its parameters bound
    // and run; throws the numbered error of a failure.
    QSqlQuery& run(const QString& sql, const QVariantList& parameters) const;
    // Runs a statement that is not prepared.
    void runDirect(const QString& sql) const;
    // Takes the knowledge base's write lock for the transaction begun, waiting for another
    // program's write to end; throws a locked DbError after the wait.
    void takeWriteLock() const;
    [[noreturn]] void fail(const QSqlError& error) const;
    QVariant fromServer(const QVariant& value, bool variantColumn) const;

    QString m_connectionName;
    QString m_address;
    // The session settings made, by name, made again on each new connection.
    QHash<QString, QString> m_settings;
    mutable bool m_lost = false;
    mutable bool m_readOnly = false;
    // Columns of the type qv_variant, by lower-case name.
    mutable QSet<QString> m_variantColumns;
    // The statements prepared on the connection, by their text.
    mutable std::unordered_map<std::string, std::unique_ptr<QSqlQuery>> m_prepared;
    mutable QHash<QString, std::optional<TableInfo>> m_tables;
};
