#include "SqliteStore.h"

#include "DbError.h"
#include "LongWait.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QUrl>

#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <deque>
#include <iterator>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace {
constexpr int kBusyTimeoutMs = 10000;
// Prepared statements kept per connection: the program runs a few dozen statement texts.
constexpr size_t kKeptStatements = 64;
// Virtual machine steps between two calls of a long statement's working().
constexpr int kStepsBetweenCalls = 200000;
// Texts up to this many bytes are looked up before they are decoded, so that the many rows
// holding the same category, author, date or "N/A" share one copy.
constexpr int kSharedTextBytes = 32;

// SQLite's primary result codes that mean the file itself cannot be used.
enum SqliteCode {
    Error = 1,
    Perm = 3,
    Busy = 5,
    Locked = 6,
    NoMem = 7,
    ReadOnly = 8,
    IoErr = 10,
    Corrupt = 11,
    Full = 13,
    CantOpen = 14,
    NotADb = 26,
};

// SQLite's type affinity rules, reduced to what a criterion needs.
bool isNumericType(const QString& type)
{
    const QString upper = type.toUpper();
    if (upper.contains(QLatin1String("INT")))
        return true;
    if (upper.isEmpty() || upper.contains(QLatin1String("CHAR")) ||
        upper.contains(QLatin1String("CLOB")) || upper.contains(QLatin1String("TEXT")) ||
        upper.contains(QLatin1String("BLOB")) || upper.contains(QLatin1String("MEMO")))
        return false;
    return true;
}

bool isLongType(const QString& type)
{
    static const QRegularExpression longType(QStringLiteral("MEMO|LONGTEXT|CLOB|BLOB"),
                                             QRegularExpression::CaseInsensitiveOption);
    return longType.match(type).hasMatch();
}
DbError numbered(int code, const QString& description)
{
    switch (code & 0xff) {
    case Error:
        if (description.startsWith(QLatin1String("no such column")))
            return DbError(DbError::UnknownName, description);
        if (description.startsWith(QLatin1String("no such table")))
            return DbError(DbError::UnknownTable, description);
        return DbError(DbError::StatementFailed, description);
    case Busy:
    case Locked:
        return DbError(DbError::StoreFailure, description, DbError::Cause::Locked);
    case Perm:
    case NoMem:
    case ReadOnly:
    case IoErr:
    case Corrupt:
    case Full:
    case CantOpen:
    case NotADb:
        return DbError(DbError::StoreFailure, description);
    default:
        return DbError(DbError::StatementFailed, description);
    }
}

void bind(sqlite3_stmt* statement, int index, const QVariant& value)
{
    if (value.isNull()) {
        sqlite3_bind_null(statement, index);
        return;
    }
    switch (value.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
        sqlite3_bind_int64(statement, index, value.toLongLong());
        break;
    case QMetaType::Bool: // yes/no as the tables store it
        sqlite3_bind_int64(statement, index, value.toBool() ? -1 : 0);
        break;
    case QMetaType::Double:
        sqlite3_bind_double(statement, index, value.toDouble());
        break;
    default: {
        const QByteArray text = value.toString().toUtf8();
        sqlite3_bind_text(statement, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    }
    }
}
} // namespace

// One use of a prepared statement: when the use ends a kept statement is reset and its
// parameters cleared, one prepared for this use alone is finalized.
class SqliteStore::Statement
{
public:
    Statement(sqlite3_stmt* statement, bool kept) : m_statement(statement), m_kept(kept) {}
    Statement(Statement&& other) noexcept
        : m_statement(std::exchange(other.m_statement, nullptr)), m_kept(other.m_kept)
    {
    }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    Statement& operator=(Statement&&) = delete;
    ~Statement()
    {
        if (!m_statement)
            return;
        if (m_kept) {
            sqlite3_reset(m_statement);
            sqlite3_clear_bindings(m_statement);
        } else {
            sqlite3_finalize(m_statement);
        }
    }
    sqlite3_stmt* get() const { return m_statement; }

private:
    sqlite3_stmt* m_statement;
    bool m_kept;
};

SqliteStore::SqliteStore(const QString& path)
{
    static QAtomicInt connections;
    m_connectionName = QStringLiteral("quorvel-sqlite-%1").arg(connections.fetchAndAddRelaxed(1));
    try {
        open(path);
    } catch (...) {
        closeConnection();
        throw;
    }
}

SqliteStore::~SqliteStore()
{
    closeConnection();
}

void SqliteStore::open(const QString& path)
{
    const QFileInfo file(path);
    if (!file.isFile())
        throw DbError(DbError::StoreFailure, QStringLiteral("Could not find file '%1'.").arg(path));
    // Read-only whenever this user cannot write the file, whatever the reason: ownership,
    // permissions or a read-only mount.
    m_readOnly = ::access(QFile::encodeName(path).constData(), W_OK) != 0;

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    // As a URI the mode is explicit: the file is opened as it is and never created.
    db.setDatabaseName(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded) +
                       (m_readOnly ? QStringLiteral("?mode=ro") : QStringLiteral("?mode=rw")));
    db.setConnectOptions(m_readOnly ? QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_OPEN_READONLY")
                                    : QStringLiteral("QSQLITE_OPEN_URI"));
    if (!db.open())
        throw error(db.lastError());
    sqlite3* engine = handle();
    sqlite3_busy_handler(engine, &SqliteStore::waitForLock, this);
    m_readOnly = m_readOnly || sqlite3_db_readonly(engine, "main") == 1;
    // Settings of this connection only: nothing is written to the file while it opens, and
    // its journal mode stays the one it has.
    run(QStringLiteral("PRAGMA synchronous=FULL"));
    // Reading the schema proves the file is a whole database: SQLite refuses one that is
    // not, or that is shorter than its header says.
    run(QStringLiteral("SELECT count(*) FROM sqlite_master"));
}

sqlite3* SqliteStore::handle() const
{
    return *static_cast<sqlite3* const*>(database().driver()->handle().constData());
}

int SqliteStore::waitForLock(void* store, int attempts)
{
    using Clock = std::chrono::steady_clock;
    auto& self = *static_cast<SqliteStore*>(store);
    const Clock::time_point now = Clock::now();
    if (attempts == 0)
        self.m_waitBegan = now;
    const auto waited =
        std::chrono::duration_cast<std::chrono::milliseconds>(now - self.m_waitBegan).count();
    if (waited >= kBusyTimeoutMs)
        return 0;
    if (waited >= LongWait::kNoticeAfterMs)
        LongWait::notify();
    // Short sleeps first: most locks are held for a commit of a few milliseconds. Never
    // longer than a commit either: a program that saves again and again frees the file only
    // for a moment between its saves, and one that looked less often would rarely get in.
    static constexpr int kSleepsMs[] = {1, 2, 5, 10};
    const int sleep = kSleepsMs[std::min<size_t>(size_t(attempts), std::size(kSleepsMs) - 1)];
    sqlite3_sleep(int(std::min<qint64>(sleep, kBusyTimeoutMs - waited)));
    return 1;
}

bool SqliteStore::isReadOnly() const
{
    return m_readOnly;
}

void SqliteStore::closeConnection()
{
    for (const auto& kept : m_statements)
        sqlite3_finalize(kept.second);
    m_statements.clear();
    QSqlDatabase::database(m_connectionName, false).close();
    QSqlDatabase::removeDatabase(m_connectionName);
}

QSqlDatabase SqliteStore::database() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

DbError SqliteStore::error(const QSqlError& error) const
{
    const QString description =
        error.databaseText().isEmpty() ? error.text() : error.databaseText();
    bool known = false;
    const int code = error.nativeErrorCode().toInt(&known);
    return known ? numbered(code, description) : DbError(DbError::StatementFailed, description);
}

DbError SqliteStore::engineError() const
{
    sqlite3* engine = handle();
    return numbered(sqlite3_extended_errcode(engine), QString::fromUtf8(sqlite3_errmsg(engine)));
}

QStringList SqliteStore::select(const QString& sql, const QVariantList& parameters,
                                const std::function<void(QList<QVariant>&&)>& onRow) const
{
    const Statement statement = this->statement(sql, parameters);
    sqlite3_stmt* prepared = statement.get();
    const int count = sqlite3_column_count(prepared);
    QStringList names;
    for (int i = 0; i < count; ++i)
        names.append(QString::fromUtf8(sqlite3_column_name(prepared, i)));

    // Keyed by std::hash: Qt 6.4's seeded qHash of a byte array costs about 250 ns here.
    std::deque<std::string> sharedBytes;
    std::unordered_map<std::string_view, QVariant> shared;
    int result = SQLITE_ROW;
    while ((result = sqlite3_step(prepared)) == SQLITE_ROW) {
        QList<QVariant> row;
        row.reserve(count);
        for (int i = 0; i < count; ++i) {
            switch (sqlite3_column_type(prepared, i)) {
            case SQLITE_INTEGER:
                row.append(QVariant(qlonglong(sqlite3_column_int64(prepared, i))));
                break;
            case SQLITE_FLOAT:
                row.append(QVariant(sqlite3_column_double(prepared, i)));
                break;
            case SQLITE_BLOB:
                row.append(QVariant(QByteArray(
                    static_cast<const char*>(sqlite3_column_blob(prepared, i)),
                    sqlite3_column_bytes(prepared, i))));
                break;
            case SQLITE_TEXT: {
                const char* bytes = reinterpret_cast<const char*>(sqlite3_column_text(prepared, i));
                const int size = sqlite3_column_bytes(prepared, i);
                if (size > kSharedTextBytes) {
                    row.append(QVariant(QString::fromUtf8(bytes, size)));
                    break;
                }
                auto found = shared.find(std::string_view(bytes, size_t(size)));
                if (found == shared.end())
                    found = shared
                                .emplace(sharedBytes.emplace_back(bytes, size_t(size)),
                                         QVariant(QString::fromUtf8(bytes, size)))
                                .first;
                row.append(found->second);
                break;
            }
            default:
                row.append(QVariant());
            }
        }
        onRow(std::move(row));
    }
    if (result != SQLITE_DONE)
        throw engineError();
    return names;
}

SqliteStore::Statement SqliteStore::statement(const QString& sql,
                                              const QVariantList& parameters) const
{
    const QByteArray text = sql.toUtf8();
    const std::string key(text.constData(), size_t(text.size()));
    auto kept = m_statements.find(key);
    // A statement still being stepped (a query run again while its rows are handed out)
    // gets a second copy for this use.
    const bool reuse = kept != m_statements.end() && !sqlite3_stmt_busy(kept->second);
    sqlite3_stmt* prepared = reuse ? kept->second : nullptr;
    if (!reuse && sqlite3_prepare_v2(handle(), text.constData(), int(text.size()), &prepared,
                                     nullptr) != SQLITE_OK)
        throw engineError();
    const bool keep = reuse || kept == m_statements.end();
    if (!reuse && keep) {
        if (m_statements.size() >= kKeptStatements)
            finalizeStatements();
        m_statements.emplace(key, prepared);
    }
    Statement use(prepared, keep);
    for (int i = 0; i < parameters.size(); ++i)
        bind(prepared, i + 1, parameters.at(i));
    return use;
}

void SqliteStore::finalizeStatements() const
{
    for (auto kept = m_statements.begin(); kept != m_statements.end();) {
        if (sqlite3_stmt_busy(kept->second)) {
            ++kept;
            continue;
        }
        sqlite3_finalize(kept->second);
        kept = m_statements.erase(kept);
    }
}

std::vector<qint64> SqliteStore::selectKeys(const QString& sql,
                                            const QVariantList& parameters) const
{
    const Statement statement = this->statement(sql, parameters);
    std::vector<qint64> keys;
    int result = SQLITE_ROW;
    while ((result = sqlite3_step(statement.get())) == SQLITE_ROW)
        keys.push_back(sqlite3_column_int64(statement.get(), 0));
    if (result != SQLITE_DONE)
        throw engineError();
    return keys;
}

qint64 SqliteStore::write(const QString& sql, const QVariantList& parameters)
{
    const Statement statement = this->statement(sql, parameters);
    if (sqlite3_step(statement.get()) != SQLITE_DONE)
        throw engineError();
    return sqlite3_last_insert_rowid(handle());
}

QString SqliteStore::identifier(const QString& name) const
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

void SqliteStore::run(const QString& sql) const
{
    QSqlQuery query(database());
    if (!query.exec(sql))
        throw error(query.lastError());
}

void SqliteStore::execute(const QString& sql)
{
    static const QRegularExpression counterKey(
        QStringLiteral(R"(\A\s*ALTER\s+TABLE\s+(\w+)\s+ADD\s+(?:COLUMN\s+)?(\w+)\s+COUNTER\s+)"
                       R"(PRIMARY\s+KEY\s*;?\s*\z)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = counterKey.match(sql);
    if (match.hasMatch())
        addCounterKey(match.captured(1), match.captured(2));
    else
        run(sql);
}

void SqliteStore::execute(const QString& sql, const std::function<void()>& working)
{
    sqlite3* engine = handle();
    std::function<void()> call = working;
    sqlite3_progress_handler(
        engine, kStepsBetweenCalls,
        [](void* function) {
            (*static_cast<std::function<void()>*>(function))();
            return 0;
        },
        &call);
    try {
        execute(sql);
    } catch (const DbError&) {
        sqlite3_progress_handler(engine, 0, nullptr, nullptr);
        throw;
    }
    sqlite3_progress_handler(engine, 0, nullptr, nullptr);
}

std::optional<TableInfo> SqliteStore::table(const QString& name) const
{
    QSqlQuery query(database());
    query.prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND "
                                 "name = ? COLLATE NOCASE"));
    query.addBindValue(name);
    if (!query.exec())
        throw error(query.lastError());
    if (!query.next())
        return std::nullopt;

    TableInfo info;
    info.name = query.value(0).toString();
    if (!query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(identifier(info.name))))
        throw error(query.lastError());
    QStringList integerKeys;
    int keyColumns = 0;
    while (query.next()) {
        const QString column = query.value(1).toString();
        const QString type = query.value(2).toString();
        info.columns.append(
            {column, isLongType(type), isNumericType(type), type.trimmed().isEmpty(), QString()});
        if (query.value(5).toInt() > 0) {
            ++keyColumns;
            if (type.compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0)
                integerKeys.append(column);
        }
    }
    // Each column's smallest index; an index on expressions or on part of the rows does not
    // hold every value of a column.
    query.prepare(QStringLiteral("SELECT list.name, info.name, (SELECT count(*) FROM "
                                 "pragma_index_info(list.name)) FROM pragma_index_list(?) AS list, "
                                 "pragma_index_info(list.name) AS info WHERE list.partial = 0 AND "
                                 "info.name IS NOT NULL"));
    query.addBindValue(info.name);
    if (!query.exec())
        throw error(query.lastError());
    QHash<QString, int> indexWidth;
    while (query.next()) {
        for (TableInfo::Column& column : info.columns) {
            const int width = query.value(2).toInt();
            if (column.name.compare(query.value(1).toString(), Qt::CaseInsensitive) == 0 &&
                (column.index.isEmpty() || width < indexWidth.value(column.index))) {
                column.index = query.value(0).toString();
                indexWidth.insert(column.index, width);
            }
        }
    }
    // Only a lone INTEGER PRIMARY KEY is the row address itself.
    info.key = keyColumns == 1 && integerKeys.size() == 1 ? integerKeys.first()
                                                          : QStringLiteral("rowid");
    return info;
}

void SqliteStore::beginWrite()
{
    run(QStringLiteral("BEGIN IMMEDIATE"));
}

void SqliteStore::commit()
{
    run(QStringLiteral("COMMIT"));
}

void SqliteStore::rollback()
{
    // Nothing to undo when the engine already rolled the transaction back itself.
    QSqlQuery(database()).exec(QStringLiteral("ROLLBACK"));
}

void SqliteStore::addCounterKey(const QString& tableName, const QString& column)
{
    const std::optional<TableInfo> info = table(tableName);
    if (!info)
        throw DbError(DbError::UnknownTable, QStringLiteral("no such table: %1").arg(tableName));

    QSqlQuery query(database());
    QStringList names;
    QStringList declarations{identifier(column) + QStringLiteral(" INTEGER PRIMARY KEY AUTOINCREMENT")};
    if (!query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(identifier(info->name))))
        throw error(query.lastError());
    while (query.next()) {
        const QString name = query.value(1).toString();
        if (name.compare(column, Qt::CaseInsensitive) == 0)
            throw DbError(DbError::StatementFailed,
                          QStringLiteral("duplicate column name: %1").arg(name));
        QString declaration = identifier(name) + QLatin1Char(' ') + query.value(2).toString();
        if (query.value(3).toInt() != 0)
            declaration += QStringLiteral(" NOT NULL");
        if (!query.value(4).isNull())
            declaration += QStringLiteral(" DEFAULT ") + query.value(4).toString();
        names.append(identifier(name));
        declarations.append(declaration);
    }
    QStringList dependents;
    query.prepare(QStringLiteral("SELECT sql FROM sqlite_master WHERE type IN ('index', "
                                 "'trigger') AND tbl_name = ? COLLATE NOCASE AND sql IS NOT NULL"));
    query.addBindValue(info->name);
    if (!query.exec())
        throw error(query.lastError());
    while (query.next())
        dependents.append(query.value(0).toString());

    // The views that name the table must keep naming it while it is rebuilt.
    run(QStringLiteral("PRAGMA legacy_alter_table=ON"));
    const QString rebuilt = identifier(info->name + QStringLiteral("_upgrade"));
    const QString columns = names.join(QLatin1String(", "));
    try {
        beginWrite();
        run(QStringLiteral("CREATE TABLE %1 (%2)").arg(rebuilt, declarations.join(QLatin1String(", "))));
        run(QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM %3 ORDER BY rowid")
                .arg(rebuilt, columns, identifier(info->name)));
        run(QStringLiteral("DROP TABLE %1").arg(identifier(info->name)));
        run(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(rebuilt, identifier(info->name)));
        for (const QString& statement : dependents)
            run(statement);
        commit();
    } catch (const DbError&) {
        rollback();
        run(QStringLiteral("PRAGMA legacy_alter_table=OFF"));
        throw;
    }
    run(QStringLiteral("PRAGMA legacy_alter_table=OFF"));
}

void SqliteStore::setSessionSetting(const QString& name, const QString& value)
{
    run(QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS SessionSettings (name PRIMARY KEY, "
                       "value)"));
    write(QStringLiteral("INSERT OR REPLACE INTO temp.SessionSettings (name, value) VALUES (?, ?)"),
          {name, value});
}

Store::Dialect SqliteStore::dialect() const
{
    return Dialect::Sqlite;
}

QString SqliteStore::orderTerm(const TableInfo::Column& column, bool descending) const
{
    // NOCASE folds ASCII letters only; numbers sort before text in any column, NULL first.
    return identifier(column.name) +
           (column.isNumeric ? QString() : QStringLiteral(" COLLATE NOCASE")) +
           (descending ? QStringLiteral(" DESC") : QString());
}

QString SqliteStore::likeCondition(const TableInfo::Column& column) const
{
    return identifier(column.name) + QStringLiteral(" LIKE ? ESCAPE '\\'");
}

QString SqliteStore::numberCondition(const TableInfo::Column& column) const
{
    // A text column converts what looks like a number to text when it is written: only
    // the number a numeric or untyped column holds is a number.
    const QString name = identifier(column.name);
    return column.isNumeric
               ? QStringLiteral("CAST(%1 AS REAL) = ?").arg(name)
               : QStringLiteral("typeof(%1) IN ('integer', 'real') AND %1 = ?").arg(name);
}

QString SqliteStore::readThrough(const QString& table, const QString& index) const
{
    return QStringLiteral("%1 INDEXED BY %2").arg(identifier(table), identifier(index));
}
