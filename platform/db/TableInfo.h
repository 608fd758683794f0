#pragma once

#include <QList>
#include <QString>

// What the store knows about one table: its columns in order and the column that
// addresses a row.
struct TableInfo
{
    struct Column
    {
        QString name;
        // Long text (a rich-text document and the like): read by key when asked for
        // instead of being held in every snapshot.
        bool isLong = false;
        // Compares as a number in a criterion.
        bool isNumeric = false;
        // Declared without a type: each value keeps the type it was written with.
        bool isVariant = false;
        // The smallest index that holds the column (and so the row key): a scan of it reads
        // the column without the pages of the rows. Empty when none does.
        QString index;
    };

    QString name;
    QList<Column> columns;
    // The key column (an integer primary key) or the engine's own row address.
    QString key;
};
