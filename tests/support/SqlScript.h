#pragma once

#include <QStringList>

// Runs SQL text (any number of statements) on an SQLite file, creating the file when it
// is missing. For building test databases from db/schema.sql, db/sample.sql and fixtures,
// and for reading them back past the layer under test.
namespace SqlScript {

// False (with the engine's message in *error) when a statement fails.
bool run(const QString& databasePath, const QString& sql, QString* error = nullptr);
// The statements of a file: a path, or a path under tests/data ("" when it cannot be read).
QString dataFile(const QString& path);
// The rows of a query, each as its fields (NULL as "") joined by "|"; fails the running
// test when the query fails.
QStringList rows(const QString& databasePath, const QString& sql);

} // namespace SqlScript
