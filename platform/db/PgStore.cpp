#include "PgStore.h"

#include "DbError.h"
#include "LongWait.h"
#include "ServerAddress.h"

#include <QAtomicInt>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlRecord>
#include <QThread>
#include <QUrl>
#include <QUrlQuery>

#include <algorithm>
#include <charconv>
#include <iterator>

namespace {
// How long a write waits for another program's write before it fails as locked.
constexpr int kLockTimeoutMs = 10000;
const QString kSetSetting = QStringLiteral("SELECT set_config(?, ?, false)");
// Prepared statements kept per connection: the program runs a few dozen statement texts.
constexpr size_t kKeptStatements = 64;
// The key of the knowledge base's write lock (an advisory lock of the database): "QVKB".
constexpr qint64 kWriteLock = 0x51564B42;
// A whole number in its shortest form: the values of an untyped column that are numbers. No
// "?" in it: the driver would take one for a parameter.
const QString kWholeNumber = QStringLiteral("'^(0|[1-9][0-9]*|-[1-9][0-9]*)$'");

QString sqlState(const QSqlError& error)
{
    return error.nativeErrorCode().trimmed();
}

// A failure that means the connection is gone: the driver then gives no SQL state, or one of
// the classes of a broken connection and of a server shutting down.
bool meansLostConnection(const QSqlError& error)
{
    const QString state = sqlState(error);
    return error.type() == QSqlError::ConnectionError || state.isEmpty() ||
           state.startsWith(QLatin1String("08")) || state.startsWith(QLatin1String("57P"));
}

DbError numbered(const QSqlError& error)
{
    const QString state = sqlState(error);
    // The server's first line, without its severity: "relation "x" does not exist".
    QString description = (error.databaseText().isEmpty() ? error.text() : error.databaseText())
                              .section(QLatin1Char('\n'), 0, 0)
                              .trimmed();
    static const QRegularExpression severity(QStringLiteral("\\A(?:ERROR|FATAL|PANIC):\\s+"));
    description.remove(severity);
    if (state == QLatin1String("42703") || state == QLatin1String("42P02"))
        return DbError(DbError::UnknownName, description);
    if (state == QLatin1String("42P01"))
        return DbError(DbError::UnknownTable, description);
    if (state == QLatin1String("55P03") || state == QLatin1String("40P01"))
        return DbError(DbError::StoreFailure, description, DbError::Cause::Locked);
    // Connection, resources, privileges, read-only transactions, the server's own failures.
    static const QStringList storeClasses{QStringLiteral("08"), QStringLiteral("28"),
                                          QStringLiteral("3D"), QStringLiteral("53"),
                                          QStringLiteral("57"), QStringLiteral("58"),
                                          QStringLiteral("XX")};
    if (meansLostConnection(error) || storeClasses.contains(state.left(2)) ||
        state == QLatin1String("42501") || state == QLatin1String("25006"))
        return DbError(DbError::StoreFailure, description);
    return DbError(DbError::StatementFailed, description);
}

// A value as the tables store it: yes/no as -1/0, integers as 64-bit numbers.
QVariant toServer(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return QVariant(QMetaType::fromType<QString>());
    if (value.typeId() == QMetaType::Bool)
        return QVariant(qlonglong(value.toBool() ? -1 : 0));
    // The driver sends a null QString as NULL; an empty text is a value.
    if (value.typeId() == QMetaType::QString && value.toString().isNull())
        return QVariant(QStringLiteral(""));
    return value;
}
} // namespace

bool PgStore::isAddress(const QString& path)
{
    return path.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive) ||
           path.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive);
}

PgStore::PgStore(const QString& address) : m_address(address)
{
    static QAtomicInt connections;
    m_connectionName = QStringLiteral("quorvel-pg-%1").arg(connections.fetchAndAddRelaxed(1));
    try {
        connect();
    } catch (...) {
        QSqlDatabase::removeDatabase(m_connectionName);
        throw;
    }
}

PgStore::~PgStore()
{
    // The statements are dropped on the server while it is there.
    if (m_lost)
        QSqlDatabase::database(m_connectionName, false).close();
    m_prepared.clear();
    QSqlDatabase::database(m_connectionName, false).close();
    QSqlDatabase::removeDatabase(m_connectionName);
}

void PgStore::connect() const
{
    const QString problem = ServerAddress::problem(m_address);
    if (!problem.isEmpty())
        throw DbError(DbError::StoreFailure, problem);
    const QUrl url(m_address);
    QSqlDatabase db = QSqlDatabase::contains(m_connectionName)
                          ? QSqlDatabase::database(m_connectionName, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_connectionName);
    if (!db.isValid())
        throw DbError(DbError::StoreFailure,
                      QStringLiteral("The PostgreSQL driver of Qt (QPSQL) is not installed."));
    db.setHostName(url.host());
    db.setPort(url.port(-1));
    db.setDatabaseName(url.path().mid(1));
    db.setUserName(url.userName());
    // The address's own settings (sslmode=require, ...) go to the server as they are.
    QStringList options{QStringLiteral("connect_timeout=10"),
                        QStringLiteral("application_name=Quorvel")};
    for (const auto& item : QUrlQuery(url).queryItems(QUrl::FullyDecoded))
        options.append(item.first + QLatin1Char('=') + item.second);
    db.setConnectOptions(options.join(QLatin1Char(';')));
    if (!db.open())
        throw DbError(DbError::StoreFailure,
                      QStringLiteral("Could not connect to '%1': %2")
                          .arg(url.toString(QUrl::RemovePassword),
                               db.lastError().databaseText().trimmed()));
    m_lost = false;
    for (auto setting = m_settings.cbegin(); setting != m_settings.cend(); ++setting)
        select(kSetSetting, {setting.key(), setting.value()}, [](QList<QVariant>&&) {});
    m_variantColumns.clear();
    m_tables.clear();
    select(QStringLiteral("SELECT DISTINCT lower(column_name) FROM information_schema.columns "
                          "WHERE domain_name = 'qv_variant' AND table_schema = current_schema()"),
           {}, [this](QList<QVariant>&& row) { m_variantColumns.insert(row.at(0).toString()); });
    select(QStringLiteral("SELECT pg_is_in_recovery() OR current_setting("
                          "'default_transaction_read_only') = 'on' OR NOT coalesce("
                          "has_table_privilege(to_regclass('qv'), 'UPDATE'), true)"),
           {}, [this](QList<QVariant>&& row) { m_readOnly = row.at(0).toLongLong() != 0; });
}

void PgStore::reconnectIfLost() const
{
    if (!m_lost)
        return;
    // Closed first, so that the statements of the lost session are dropped without asking
    // the server.
    QSqlDatabase::database(m_connectionName, false).close();
    m_prepared.clear();
    connect();
}

QSqlDatabase PgStore::database() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

DbError PgStore::error(const QSqlError& error) const
{
    if (meansLostConnection(error))
        m_lost = true;
    return numbered(error);
}

void PgStore::fail(const QSqlError& error) const
{
    throw this->error(error);
}

QString PgStore::identifier(const QString& name) const
{
    // The server's names are folded to lower case, as unquoted names are.
    return QLatin1Char('"') +
           name.toLower().replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

QSqlQuery& PgStore::run(const QString& sql, const QVariantList& parameters) const
{
    reconnectIfLost();
    const QByteArray text = sql.toUtf8();
    const std::string key(text.constData(), size_t(text.size()));
    // No statement is being read between two calls: all of them can go.
    if (m_prepared.size() >= kKeptStatements && m_prepared.find(key) == m_prepared.end())
        m_prepared.clear();
    std::unique_ptr<QSqlQuery>& prepared = m_prepared[key];
    if (!prepared) {
        prepared = std::make_unique<QSqlQuery>(database());
        prepared->setForwardOnly(true);
        if (!prepared->prepare(sql)) {
            const QSqlError failure = prepared->lastError();
            m_prepared.erase(key);
            fail(failure);
        }
    }
    QSqlQuery& query = *prepared;
    for (int i = 0; i < parameters.size(); ++i)
        query.bindValue(i, toServer(parameters.at(i)));
    if (!query.exec())
        fail(query.lastError());
    return query;
}

void PgStore::runDirect(const QString& sql) const
{
    reconnectIfLost();
    QSqlQuery query(database());
    if (!query.exec(sql))
        fail(query.lastError());
}

QVariant PgStore::fromServer(const QVariant& value, bool variantColumn) const
{
    if (value.isNull())
        return QVariant();
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::ULongLong:
        return QVariant(value.toLongLong());
    case QMetaType::Bool:
        return QVariant(qlonglong(value.toBool() ? -1 : 0));
    case QMetaType::QString: {
        if (!variantColumn)
            return value;
        static const QRegularExpression whole(QStringLiteral("\\A(0|[1-9][0-9]*|-[1-9][0-9]*)\\z"));
        bool fits = false;
        const qlonglong number = value.toString().toLongLong(&fits);
        return fits && whole.match(value.toString()).hasMatch() ? QVariant(number) : value;
    }
    default:
        return value;
    }
}

QStringList PgStore::select(const QString& sql, const QVariantList& parameters,
                            const std::function<void(QList<QVariant>&&)>& onRow) const
{
    // The rows are read before any is handed on: a statement run for a row meanwhile would
    // otherwise meet this one still reading.
    QList<QList<QVariant>> rows;
    QStringList names;
    {
        QSqlQuery& query = run(sql, parameters);
        const QSqlRecord record = query.record();
        QList<bool> variant;
        for (int i = 0; i < record.count(); ++i) {
            names.append(record.fieldName(i));
            variant.append(m_variantColumns.contains(record.fieldName(i).toLower()));
        }
        while (query.next()) {
            QList<QVariant> row;
            row.reserve(names.size());
            for (int i = 0; i < names.size(); ++i)
                row.append(fromServer(query.value(i), variant.at(i)));
            rows.append(std::move(row));
        }
        if (query.lastError().isValid())
            fail(query.lastError());
        query.finish();
    }
    for (QList<QVariant>& row : rows)
        onRow(std::move(row));
    return names;
}

std::vector<qint64> PgStore::selectKeys(const QString& sql, const QVariantList& parameters) const
{
    // The keys come as one text, "12,7,-3", in the order the query gives them (its rows are
    // aggregated as they come out of its ORDER BY): a row each would cost the driver several
    // times the server's own time to hand over.
    QSqlQuery& query = run(
        QStringLiteral("SELECT string_agg(k::text, ',') FROM (%1) AS keys (k)").arg(sql),
        parameters);
    QByteArray text;
    if (query.next())
        text = query.value(0).toString().toLatin1();
    if (query.lastError().isValid())
        fail(query.lastError());
    query.finish();
    std::vector<qint64> keys;
    if (text.isEmpty())
        return keys;
    keys.reserve(size_t(text.count(',') + 1));
    const char* next = text.constData();
    const char* const end = next + text.size();
    while (next < end) {
        qint64 key = 0;
        next = std::from_chars(next, end, key).ptr + 1;
        keys.push_back(key);
    }
    return keys;
}

qint64 PgStore::write(const QString& sql, const QVariantList& parameters)
{
    static const QRegularExpression insert(QStringLiteral(R"re(\A\s*INSERT\s+INTO\s+"?(\w+)"?)re"),
                                           QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch into = insert.match(sql);
    const std::optional<TableInfo> target =
        into.hasMatch() ? table(into.captured(1)) : std::nullopt;
    if (!target) {
        QSqlQuery& query = run(sql, parameters);
        query.finish();
        return 0;
    }
    qint64 key = 0;
    select(sql + QStringLiteral(" RETURNING ") + identifier(target->key), parameters,
           [&key](QList<QVariant>&& row) { key = row.at(0).toLongLong(); });
    return key;
}

void PgStore::execute(const QString& sql)
{
    static const QRegularExpression counterKey(
        QStringLiteral(R"(\A(\s*ALTER\s+TABLE\s+\w+\s+ADD\s+(?:COLUMN\s+)?\w+\s+)COUNTER(\s+)"
                       R"(PRIMARY\s+KEY\s*;?\s*)\z)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = counterKey.match(sql);
    m_tables.clear();
    runDirect(match.hasMatch() ? match.captured(1) +
                                     QStringLiteral("bigint GENERATED BY DEFAULT AS IDENTITY") +
                                     match.captured(2)
                               : sql);
}

void PgStore::execute(const QString& sql, const std::function<void()>& working)
{
    // The server runs the statement while this program waits; it cannot look in between.
    if (working)
        working();
    execute(sql);
}

std::optional<TableInfo> PgStore::table(const QString& name) const
{
    const QString folded = name.toLower();
    const auto known = m_tables.constFind(folded);
    if (known != m_tables.constEnd())
        return *known;
    // The columns in order, each with its type's name (a domain's own name), whether it is a
    // number, and whether it is the table's one-column integer primary key.
    TableInfo info;
    QString key;
    select(QStringLiteral(
               "SELECT c.relname, a.attname, t.typname, coalesce(b.typcategory, t.typcategory) "
               "= 'N', EXISTS (SELECT 1 FROM pg_index i WHERE i.indrelid = c.oid AND "
               "i.indisprimary AND i.indnatts = 1 AND i.indkey[0] = a.attnum) FROM pg_class c "
               "JOIN pg_attribute a ON a.attrelid = c.oid JOIN pg_type t ON t.oid = a.atttypid "
               "LEFT JOIN pg_type b ON b.oid = t.typbasetype AND t.typtype = 'd' WHERE "
               "c.relkind IN ('r', 'p') AND c.relnamespace = to_regnamespace(current_schema()) "
               "AND c.relname = ? AND a.attnum > 0 AND NOT a.attisdropped ORDER BY a.attnum"),
           {folded}, [&](QList<QVariant>&& row) {
               info.name = row.at(0).toString();
               const QString column = row.at(1).toString();
               const QString type = row.at(2).toString();
               const bool numeric = row.at(3).toLongLong() != 0;
               if (row.at(4).toLongLong() != 0 && numeric)
                   key = column;
               // The hidden row address of a table without a key of its own.
               if (column == QLatin1String("rowid") && row.at(4).toLongLong() != 0)
                   return;
               info.columns.append({column, type == QLatin1String("memo"), numeric,
                                    type == QLatin1String("qv_variant"), QString()});
           });
    // Without an integer key the rows cannot be told apart: the table is read as a query's
    // rows are, and is not written through a recordset.
    std::optional<TableInfo> found;
    if (!info.name.isEmpty() && !key.isEmpty()) {
        info.key = key;
        found = info;
    }
    m_tables.insert(folded, found);
    return found;
}

void PgStore::beginWrite()
{
    runDirect(QStringLiteral("BEGIN"));
    try {
        // The row locks of a program that writes without the write lock are waited for as
        // long as the write lock.
        runDirect(QStringLiteral("SET LOCAL lock_timeout = '%1ms'").arg(kLockTimeoutMs));
        takeWriteLock();
    } catch (const DbError&) {
        rollback();
        throw;
    }
}

void PgStore::takeWriteLock() const
{
    // Asked for again and again rather than waited for on the server, so that a long wait
    // tells LongWait, as a wait for a locked SQLite file does; looked for as often.
    QElapsedTimer waited;
    waited.start();
    static constexpr int kSleepsMs[] = {1, 2, 5, 10};
    for (size_t attempt = 0;; ++attempt) {
        bool taken = false;
        select(QStringLiteral("SELECT pg_try_advisory_xact_lock(%1)").arg(kWriteLock), {},
               [&taken](QList<QVariant>&& row) { taken = row.at(0).toLongLong() != 0; });
        if (taken)
            return;
        if (waited.elapsed() >= kLockTimeoutMs)
            throw DbError(DbError::StoreFailure,
                          QStringLiteral("The knowledge base is being written by another "
                                         "program."),
                          DbError::Cause::Locked);
        if (waited.elapsed() >= LongWait::kNoticeAfterMs)
            LongWait::notify();
        QThread::msleep(kSleepsMs[std::min(attempt, std::size(kSleepsMs) - 1)]);
    }
}

void PgStore::commit()
{
    // COMMIT of a transaction a statement failed in rolls it back without an error: the
    // failure was reported by that statement.
    runDirect(QStringLiteral("COMMIT"));
}

void PgStore::rollback()
{
    if (m_lost)
        return;
    QSqlQuery(database()).exec(QStringLiteral("ROLLBACK"));
}

bool PgStore::isReadOnly() const
{
    return m_readOnly;
}

void PgStore::setSessionSetting(const QString& name, const QString& value)
{
    select(kSetSetting, {name, value}, [](QList<QVariant>&&) {});
    m_settings.insert(name, value);
}

Store::Dialect PgStore::dialect() const
{
    return Dialect::Postgresql;
}

QString PgStore::orderTerm(const TableInfo::Column& column, bool descending) const
{
    const QString name = identifier(column.name);
    const QString direction =
        descending ? QStringLiteral(" DESC NULLS LAST") : QStringLiteral(" NULLS FIRST");
    if (column.isNumeric)
        return name + direction;
    if (!column.isVariant)
        return QStringLiteral("lower(%1)").arg(name) + direction;
    // Whole numbers by value, then the other values as text, as the index QV_Order holds them.
    return QStringLiteral("(CASE WHEN %1 ~ %2 THEN 0 WHEN %1 IS NOT NULL THEN 1 END)%3, "
                          "(CASE WHEN %1 ~ %2 THEN %1::numeric END)%3, lower(%1)%3")
        .arg(name, kWholeNumber, direction);
}

QString PgStore::likeCondition(const TableInfo::Column& column) const
{
    // With the byte order of the columns ILIKE folds ASCII letters only.
    const QString name = identifier(column.name);
    return (column.isNumeric ? name + QStringLiteral("::text") : name) +
           QStringLiteral(" ILIKE ? ESCAPE '\\'");
}

QString PgStore::numberCondition(const TableInfo::Column& column) const
{
    const QString name = identifier(column.name);
    if (column.isNumeric)
        return QStringLiteral("%1::float8 = ?").arg(name);
    if (column.isVariant)
        return QStringLiteral("(CASE WHEN %1 ~ %2 THEN %1::numeric END) = ?")
            .arg(name, kWholeNumber);
    return {};
}

QString PgStore::readThrough(const QString& table, const QString&) const
{
    // The server picks its indexes itself.
    return identifier(table);
}
