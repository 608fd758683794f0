#include "Connection.h"

#include "DbError.h"
#include "KnowledgeBaseCopy.h"
#include "PgStore.h"
#include "SqliteBackup.h"
#include "SqliteStore.h"
#include "Store.h"

Connection::Connection() = default;

Connection::~Connection() = default;

void Connection::open(const QString& path)
{
    m_store.reset();
    if (PgStore::isAddress(path))
        m_store = std::make_unique<PgStore>(path);
    else
        m_store = std::make_unique<SqliteStore>(path);
    m_path = path;
}

bool Connection::isOpen() const
{
    return m_store != nullptr;
}

bool Connection::isReadOnly() const
{
    return store().isReadOnly();
}

void Connection::close()
{
    m_store.reset();
}

void Connection::execute(const QString& sql)
{
    store().execute(sql);
}

void Connection::execute(const QString& sql, const QVariantList& parameters)
{
    store().select(sql, parameters, [](QList<QVariant>&&) {});
}

bool Connection::isServerAddress(const QString& path)
{
    return PgStore::isAddress(path);
}

void Connection::backup(const QString& file) const
{
    // A server database is written into an SQLite file, which restores by being named.
    if (store().dialect() == Store::Dialect::Sqlite)
        backUpSqlite(store().database(), file);
    else
        KnowledgeBaseCopy::toSqliteFile(*this, file);
}

Store& Connection::store() const
{
    if (!m_store)
        throw DbError(DbError::ObjectClosed, QStringLiteral("Operation is not allowed when the "
                                                            "object is closed."));
    return *m_store;
}
