#include "Connection.h"

#include "DbError.h"
#include "SqliteBackup.h"
#include "SqliteStore.h"

Connection::Connection() = default;

Connection::~Connection() = default;

void Connection::open(const QString& path)
{
    m_store.reset();
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

void Connection::backup(const QString& file) const
{
    backUpSqlite(store().database(), file);
}

Store& Connection::store() const
{
    if (!m_store)
        throw DbError(DbError::ObjectClosed, QStringLiteral("Operation is not allowed when the "
                                                            "object is closed."));
    return *m_store;
}
