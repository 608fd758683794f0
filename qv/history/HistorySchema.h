#pragma once

#include <QStringList>

class Connection;

// The article history's table, indexes and triggers, as db/schema.sql creates them (the
// program reads them from its own copy of that file).
class HistorySchema
{
public:
    // The statements of the history section of the schema, in order.
    static QStringList statements();

    // The columns of the article table that a kept version copies, in the table's order.
    static const QStringList& articleColumns();

    // Whether the database keeps article history (it has the history table).
    static bool isKept(Connection& db);

    // Adds the history to a knowledge base that lacks it, all of it in one transaction. A
    // database this user cannot write, one without the article table, and every failure
    // leave the file as it was; the next start tries again. An article table that lacks one
    // of the copied columns gets no history: its triggers would fail every save.
    static void addIfMissing(Connection& db);
};
