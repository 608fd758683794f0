#pragma once

#include <functional>

class Connection;

// The schema upgrades of the article database, run once per start after the connection is
// open; a database that this user cannot write is left as it is. Every error of a probe or
// an upgrade is ignored: the database stays as it was and the next start tries again.
class SchemaUpgrade
{
public:
    // The long upgrades.
    enum class Step { PlainText, Indexes, SearchIndex };
    // How far a long upgrade has come: rows done of the total, or a total of 0 while a step
    // that cannot count goes on.
    using Progress = std::function<void(Step step, int done, int total)>;

    // A database whose query Categories2 cannot resolve RecordID has the old Categories
    // layout and gains the automatic-number primary key RecordID. An article table without
    // the plain-text columns ProblemText and SolutionText gains them, filled from the stored
    // rich text in one transaction, reporting its progress. An article table without the
    // indexes the article list is read through gains them, in a transaction of their own;
    // one without the search index gains the index and its triggers, filled in one
    // transaction.
    static void probeAndUpgrade(Connection& connection, const Progress& progress = {});

private:
    static void addCategoryKey(Connection& connection);
    static void addPlainText(Connection& connection, const Progress& progress);
    static void addReadingIndexes(Connection& connection, const Progress& progress);
    static void addSearchIndex(Connection& connection, const Progress& progress);
};
