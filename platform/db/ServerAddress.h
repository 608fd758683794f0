#pragma once

#include <QString>

// The address of a knowledge base on a PostgreSQL server, as the preferences file holds it:
// postgresql://user@host:port/database (or postgres://). The password never goes into it:
// the server's client library finds it in the password file (~/.pgpass) or in PGPASSWORD.
class ServerAddress
{
public:
    // Whether the text is meant as a server address rather than a file path (its scheme).
    static bool isAddress(const QString& text);

    // Why the address cannot be recorded: it holds a password, names no server or no
    // database, or cannot be read. Empty when it is sound.
    static QString problem(const QString& address);
};
