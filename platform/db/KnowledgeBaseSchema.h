#pragma once

#include <QString>

class Store;

// The tables of an empty knowledge base, made from the layouts the program carries:
// db/schema.sql for an SQLite file, db/schema-postgresql.sql for a server database.
class KnowledgeBaseSchema
{
public:
    // Whether the database holds a knowledge base's tables (its article table).
    static bool exists(const Store& store);

    // Creates the tables in a database that has none. On a server this happens in the
    // caller's write transaction, if there is one. Throws DbError.
    static void create(Store& store);
};
