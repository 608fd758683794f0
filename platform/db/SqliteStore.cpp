#include "SqliteStore.h"

#include "DbError.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace {
constexpr int kBusyTimeoutMs = 10000;

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
} // namespace

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
    const bool readOnly = !(file.permissions() &
                            (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    db.setDatabaseName(path);
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs);
    if (readOnly)
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    db.setConnectOptions(options);
    if (!db.open())
        throw error(db.lastError());
    // Reading the schema proves the file is a database.
    run(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    if (!readOnly)
        run(QStringLiteral("PRAGMA journal_mode=WAL"));
    run(QStringLiteral("PRAGMA synchronous=FULL"));
}

void SqliteStore::closeConnection()
{
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
    const int code = error.nativeErrorCode().toInt(&known) & 0xff;
    if (!known)
        return DbError(DbError::StatementFailed, description);
    switch (code) {
    case Error:
        if (description.startsWith(QLatin1String("no such column")))
            return DbError(DbError::UnknownName, description);
        if (description.startsWith(QLatin1String("no such table")))
            return DbError(DbError::UnknownTable, description);
        return DbError(DbError::StatementFailed, description);
    case Perm:
    case Busy:
    case Locked:
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
        info.columns.append({column, isLongType(type), isNumericType(type)});
        if (query.value(5).toInt() > 0) {
            ++keyColumns;
            if (type.compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0)
                integerKeys.append(column);
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
