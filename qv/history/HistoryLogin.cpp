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
        // A server's trigger reads the name from a setting of this program's session.
        if (db.store().dialect() != Store::Dialect::Sqlite) {
            db.execute(QStringLiteral("SELECT set_config('quorvel.login', ?, false)"),
                       {loginName});
            return;
        }
        db.execute(QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS HistoryLogin (LoginName)"));
        db.execute(QStringLiteral("DELETE FROM temp.HistoryLogin"));
        db.execute(QStringLiteral("INSERT INTO temp.HistoryLogin (LoginName) VALUES (?)"),
                   {loginName});
        db.execute(QStringLiteral(
            "CREATE TEMP TRIGGER IF NOT EXISTS HistoryLoginSigns AFTER INSERT ON main.QVHistory "
            "BEGIN UPDATE QVHistory SET ChangedBy = (SELECT LoginName FROM temp.HistoryLogin) "
            "WHERE HistoryID = NEW.HistoryID; END"));
    } catch (const DbError&) {
        // Versions are then signed with Edited By, as without passwords.
    }
}

} // namespace HistoryLogin
