#include "NameLists.h"

#include "db/Recordset.h"

namespace NameLists {

QStringList load(Connection& db, Kind kind)
{
    // The old name table must exist, ordered by the field the list is named after.
    const bool categories = kind == Categories;
    Recordset set;
    set.open(db, categories ? QStringLiteral("SELECT * FROM CUINFO ORDER BY CUName")
                            : QStringLiteral("SELECT * FROM CUINFO ORDER BY EmployeeName"));
    set.close();

    set.open(db, categories ? QStringLiteral("SELECT * FROM Categories ORDER BY Category")
                            : QStringLiteral("SELECT * FROM Users ORDER BY Users"));
    const QString field = categories ? QStringLiteral("category") : QStringLiteral("Users");
    QStringList names;
    // A fresh set stands on its first row, or at its end when the table is empty.
    for (; !set.isEof(); set.moveNext()) {
        const QString name = set.value(field).toString();
        if (!name.isEmpty())
            names << name;
    }
    set.close();
    return names;
}

} // namespace NameLists
