#pragma once

#include <QString>

// The address of a knowledge base on a PostgreSQL server, as the preferences file holds it:
// postgresql://user@host:port/database (or postgres://). The password never goes into it:
// the server's client library finds it in the password file (~/.pgpass) or in PGPASSWORD.
class ServerAddress
{
public:
    // Why an address (a path that Connection::isServerAddress tells from a file path) cannot
    // be recorded: it holds a password, names no server or no database, or cannot be read.
    // Empty when it is sound.
    static QString problem(const QString& address);
};
