#pragma once

#include <QString>
#include <QStringList>

class Connection;
class Recordset;

// A table of names (categories, authors) kept through a recordset that the list window
// borrows: the set is reopened on the name query for every fill, and row k of the list is
// row k + 1 of that query. Engine failures travel as DbError.
class NameListTable
{
public:
    enum class Removal { Removed, OnlyOne };

    // `query` selects the names in list order; `field` is the name's field.
    NameListTable(Connection& db, Recordset& set, QString query, QString field);

    // Reopens the set on the query and returns the names in order.
    QStringList fill();
    // Appends a row holding the name and writes it.
    void add(const QString& name);
    // Gives the row at the list position the name and writes it.
    void rename(int listRow, const QString& name);
    // Deletes the row at the list position and writes the deletion, unless it is the only
    // row of the query.
    Removal remove(int listRow);

private:
    void moveTo(int listRow);

    Connection& m_db;
    Recordset& m_set;
    QString m_query;
    QString m_field;
};
