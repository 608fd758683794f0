#pragma once

#include <QStringList>

class Connection;

// The captions of the article window's six main fields, kept in table Customize so that
// every user of the database sees the same ones: rows in ID order, field Labels, for the
// number, category, author, title, problem and solution. Later rows are not touched here.
namespace FieldLabels {

constexpr int Count = 6;

// The captions "Reset to Default" puts back.
QStringList defaults();

// The captions of the first six rows; fewer when the table has fewer rows. Throws DbError.
QStringList load(Connection& db);

// Writes the six captions into the first six rows, all in one transaction. Throws DbError,
// with nothing written, when the table has fewer than six rows or the store refuses.
void save(Connection& db, const QStringList& captions);

} // namespace FieldLabels
