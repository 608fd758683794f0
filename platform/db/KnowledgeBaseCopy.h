#pragma once

#include <QString>

#include <functional>

class Connection;

// Copies a whole knowledge base from one open database into another, of either engine:
// every table of the layout with every row, keys kept, each field as it was (rich text and
// plain text byte for byte; an article number that is a whole number stays a number), and
// the counters that number new rows, so that a key once given is never given again. The
// target is written in one transaction: it holds the whole copy or nothing of it. Rows are
// read in batches, so the copy's memory does not grow with the knowledge base. The source
// is read in one snapshot: the copy is the knowledge base as one commit left it.
class KnowledgeBaseCopy
{
public:
    // What to do with a target that already holds rows.
    enum class Existing
    {
        Refuse,
        Replace
    };
    // Rows copied so far, of all rows to copy.
    using Progress = std::function<void(qint64 done, qint64 total)>;

    KnowledgeBaseCopy(const Connection& source, Connection& target);
    void setProgress(Progress progress) { m_progress = std::move(progress); }

    // Copies into the target's tables. Throws DbError, leaving the target as it was, when
    // a table or column has no place in the target, when the target holds rows and
    // `existing` is Refuse, and on any failure of either engine.
    void run(Existing existing = Existing::Refuse);

    // Writes the knowledge base into a new SQLite file, which replaces the file whole or not
    // at all once the copy is complete. Throws DbError.
    static void toSqliteFile(const Connection& source, const QString& file,
                             const Progress& progress = {});

private:
    const Connection& m_source;
    Connection& m_target;
    Progress m_progress;
};
