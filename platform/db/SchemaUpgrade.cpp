#include "SchemaUpgrade.h"

#include "Connection.h"
#include "DbError.h"
#include "Recordset.h"

void SchemaUpgrade::probeAndUpgrade(Connection& connection)
{
    try {
        Recordset probe;
        probe.open(connection, QStringLiteral("select * from Categories2"));
    } catch (const DbError& probeError) {
        if (probeError.number() != DbError::UnknownName)
            return;
        try {
            connection.execute(
                QStringLiteral("ALTER TABLE Categories ADD COLUMN RecordID COUNTER PRIMARY KEY"));
        } catch (const DbError&) {
            // A failed upgrade leaves the database as it was; the next start tries again.
        }
    }
}
