#include "KnowledgeBaseSchema.h"

#include "DbError.h"
#include "Store.h"

#include <QFile>
#include <QSqlDriver>
#include <QStringList>

#include <sqlite3.h>

namespace {

bool isSqlite(const Store& store)
{
    return store.dialect() == Store::Dialect::Sqlite;
}

// The layout a store's engine takes.
QString script(const Store& store)
{
    QFile file(isSqlite(store) ? QStringLiteral(":/db/schema.sql")
                               : QStringLiteral(":/db/schema-postgresql.sql"));
    file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readAll());
}

// The statements of a script: split at each semicolon outside quotes, comments and
// dollar-quoted bodies, comments left out.
QStringList statements(const QString& script)
{
    QStringList statements;
    QString statement;
    QString dollarTag; // the tag of the dollar-quoted body being read, if any
    bool inQuote = false;
    for (int i = 0; i < script.size(); ++i) {
        const QChar c = script.at(i);
        if (!dollarTag.isEmpty()) {
            if (script.mid(i, dollarTag.size()) == dollarTag) {
                statement += dollarTag;
                i += int(dollarTag.size()) - 1;
                dollarTag.clear();
            } else {
                statement += c;
            }
            continue;
        }
        if (inQuote || c == QLatin1Char('\'')) {
            inQuote = inQuote ? c != QLatin1Char('\'') : true;
            statement += c;
            continue;
        }
        if (script.mid(i, 2) == QLatin1String("--")) {
            const int end = script.indexOf(QLatin1Char('\n'), i);
            i = end < 0 ? int(script.size()) : end;
            statement += QLatin1Char('\n');
            continue;
        }
        if (c == QLatin1Char('$')) {
            const int close = script.indexOf(QLatin1Char('$'), i + 1);
            const QString tag = script.mid(i, close + 1 - i);
            if (close > i && !tag.contains(QLatin1Char(' ')) && !tag.contains(QLatin1Char('\n'))) {
                dollarTag = tag;
                statement += tag;
                i = close;
                continue;
            }
        }
        if (c == QLatin1Char(';')) {
            if (!statement.trimmed().isEmpty())
                statements.append(statement.trimmed());
            statement.clear();
            continue;
        }
        statement += c;
    }
    if (!statement.trimmed().isEmpty())
        statements.append(statement.trimmed());
    return statements;
}

} // namespace

bool KnowledgeBaseSchema::exists(const Store& store)
{
    return store.table(QStringLiteral("QV")).has_value();
}

void KnowledgeBaseSchema::create(Store& store)
{
    // The layouts are resources of a static library: they are linked in by being named here.
    Q_INIT_RESOURCE(dbschema);
    const QString text = script(store);
    if (!isSqlite(store)) {
        for (const QString& statement : statements(text))
            store.execute(statement);
        return;
    }
    // SQLite takes the whole script at once, trigger bodies included.
    sqlite3* handle =
        *static_cast<sqlite3* const*>(store.database().driver()->handle().constData());
    char* message = nullptr;
    if (sqlite3_exec(handle, text.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        const QString description = QString::fromUtf8(message);
        sqlite3_free(message);
        throw DbError(DbError::StatementFailed, description);
    }
}
