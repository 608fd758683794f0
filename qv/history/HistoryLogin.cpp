#include "HistoryLogin.h"

#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Store.h"
#include "history/HistorySchema.h"

#include <QString>

namespace HistoryLogin {

void sign(Connection& db, const QString& loginName)
{
    try {
        if (!HistorySchema::isKept(db))
            return;
        // A server's trigger reads the setting itself; SQLite's are the file's, which name
        // no temporary table: a trigger of this session signs what they keep.
        db.store().setSessionSetting(QStringLiteral("quorvel.login"), loginName);
        if (db.store().dialect() != Store::Dialect::Sqlite)
            return;
        db.execute(QStringLiteral(
            "CREATE TEMP TRIGGER IF NOT EXISTS HistoryLoginSigns AFTER INSERT ON main.QVHistory "
            "BEGIN UPDATE QVHistory SET ChangedBy = (SELECT value FROM temp.SessionSettings "
            "WHERE name = 'quorvel.login') WHERE HistoryID = NEW.HistoryID; END"));
    } catch (const DbError&) {
        // Versions are then signed with Edited By, as without passwords.
    }
}

} // namespace HistoryLogin
