#pragma once

#include <QString>
#include <QVariantList>

#include <memory>

class Store;

// The one connection of the program to its database. A file path opens an SQLite file, an
// address "postgresql://user@host:port/database" a database on a PostgreSQL server; the
// store behind it is chosen here, so that callers never see which engine they use.
class Connection
{
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens the database that the path names, changing nothing in it. Throws DbError when
    // the file is missing, is not a database or cannot be read. A connection that is open
    // is closed first.
    void open(const QString& path);
    // Whether a path is a server's address rather than a file path.
    static bool isServerAddress(const QString& path);
    bool isOpen() const;
    void close();
    // Whether the open database cannot be written by this user (it was opened read-only).
    bool isReadOnly() const;
    // The path the open database was opened with.
    QString path() const { return m_path; }

    // Runs a statement that returns no rows, such as the column-adding upgrade
    // "ALTER TABLE Categories ADD COLUMN RecordID COUNTER PRIMARY KEY". Throws DbError.
    void execute(const QString& sql);
    // Runs a statement that returns no rows with its "?" parameters bound in order, as
    // values, never as SQL text. Throws DbError.
    void execute(const QString& sql, const QVariantList& parameters);

    // Writes a consistent copy of the open database to the file while other programs go on
    // using it; the file is replaced whole or not at all. The copy of a server database is
    // an SQLite knowledge base file. Throws DbError when the copy cannot be made (the file
    // is the database itself, its folder cannot be written, the disk is full).
    void backup(const QString& file) const;

    // The store the recordsets work through. Throws DbError when the connection is closed.
    Store& store() const;

private:
    std::unique_ptr<Store> m_store;
    QString m_path;
};
