#include "FieldLabels.h"

#include "db/Recordset.h"

namespace {
const QString kQuery = QStringLiteral("SELECT * FROM Customize ORDER BY ID");
const QString kField = QStringLiteral("Labels");
} // namespace

namespace FieldLabels {

QStringList defaults()
{
    return {QStringLiteral("QV Number:"),  QStringLiteral("Category:"),
            QStringLiteral("Entered By:"), QStringLiteral("Title:"),
            QStringLiteral("Problem:"),    QStringLiteral("Solution:")};
}

QStringList load(Connection& db)
{
    Recordset labels;
    labels.open(db, kQuery);
    QStringList captions;
    for (; captions.size() < Count && !labels.isEof(); labels.moveNext())
        captions << labels.value(kField).toString();
    return captions;
}

void save(Connection& db, const QStringList& captions)
{
    Recordset labels;
    labels.open(db, kQuery);
    // Past the last row setValue() throws, before anything was written.
    for (int row = 0; row < Count; ++row, labels.moveNext())
        labels.setValue(kField, captions.value(row));
    labels.updateBatch();
}

} // namespace FieldLabels
