#pragma once

#include <QString>
#include <QStringList>

// The tests' own way into a database file, independent of the layer under test: the
// sqlite3 command-line tool.
class SqliteFile
{
public:
    // Creates a database by running SQL script files in order; false on any failure.
    static bool create(const QString& path, const QStringList& scripts);
    // Runs SQL and returns the output: one line per row, fields separated by "|".
    static QString query(const QString& path, const QString& sql);
};
