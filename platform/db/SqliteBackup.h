#pragma once

#include <QString>

class QSqlDatabase;

// Writes a consistent copy of an open SQLite database to a file with SQLite's online backup,
// while other connections and programs go on reading and writing it. The copy is written
// beside the target and renamed over it once complete, so the target is replaced whole or
// not at all; it stands alone (no write-ahead journal). Throws DbError when the copy cannot
// be made, and when the target is the database itself.
void backUpSqlite(const QSqlDatabase& source, const QString& target);
