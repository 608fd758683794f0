#include "HistorySchema.h"

#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Store.h"

#include <QFile>

#include <algorithm>

namespace {
const QString kTable = QStringLiteral("QVHistory");

bool hasArticleColumns(const TableInfo& articles)
{
    for (const QString& name : HistorySchema::articleColumns()) {
        const bool found =
            std::any_of(articles.columns.cbegin(), articles.columns.cend(),
                        [&name](const TableInfo::Column& column) {
                            return column.name.compare(name, Qt::CaseInsensitive) == 0;
                        });
        if (!found)
            return false;
    }
    return true;
}
} // namespace

const QStringList& HistorySchema::articleColumns()
{
    static const QStringList columns = [] {
        QStringList names = {QStringLiteral("Id"),        QStringLiteral("CUName"),
                             QStringLiteral("techname"),  QStringLiteral("Title"),
                             QStringLiteral("reference"), QStringLiteral("InitialEntry"),
                             QStringLiteral("EditedBy"),  QStringLiteral("DateEdited")};
        for (int slot = 1; slot <= 10; ++slot)
            names.append(QStringLiteral("Image%1").arg(slot));
        names << QStringLiteral("Problem") << QStringLiteral("Solution")
              << QStringLiteral("ProblemText") << QStringLiteral("SolutionText");
        return names;
    }();
    return columns;
}

QStringList HistorySchema::statements()
{
    // The resource lives in a static library: it is linked in by being named here.
    Q_INIT_RESOURCE(history);
    QFile file(QStringLiteral(":/history/schema.sql"));
    file.open(QIODevice::ReadOnly);
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    QStringList statements;
    QString statement;
    bool inSection = false;
    for (const QString& line : lines) {
        if (line == QLatin1String("-- history begins")) {
            inSection = true;
            continue;
        }
        if (line == QLatin1String("-- history ends"))
            break;
        if (!inSection || line.startsWith(QLatin1String("--")))
            continue;
        statement += line + QLatin1Char('\n');
        // A trigger's body holds statements of its own: it ends with END.
        const bool trigger = statement.startsWith(QLatin1String("CREATE TRIGGER"));
        if (trigger ? line == QLatin1String("END;") : line.endsWith(QLatin1Char(';'))) {
            statements.append(statement.trimmed());
            statement.clear();
        }
    }
    return statements;
}

bool HistorySchema::isKept(Connection& db)
{
    return db.store().table(kTable).has_value();
}

void HistorySchema::addIfMissing(Connection& db)
{
    Store& store = db.store();
    try {
        // The statements are SQLite's; a server's schema brings its own history.
        if (db.isReadOnly() || isKept(db) || store.dialect() != Store::Dialect::Sqlite)
            return;
        const std::optional<TableInfo> articles = store.table(QStringLiteral("QV"));
        if (!articles || !hasArticleColumns(*articles))
            return;
        store.beginWrite();
    } catch (const DbError&) {
        return;
    }
    try {
        // Another copy of the program may have added it while this one waited to write.
        if (!isKept(db)) {
            for (const QString& statement : statements())
                db.execute(statement);
        }
        store.commit();
    } catch (const DbError&) {
        store.rollback();
    }
}
