#pragma once

#include "history/KeptVersion.h"

#include <QList>
#include <optional>

class Connection;

// The kept versions of a knowledge base: reading an article's history, the deleted
// articles, bringing a deleted article back and dropping old versions. Every failure
// throws DbError.
class ArticleHistory
{
public:
    explicit ArticleHistory(Connection& db);

    // The versions of the article with this row key, newest first, without their fields.
    QList<KeptVersion> versions(qint64 recordId) const;
    // One version whole; nothing when it is gone.
    std::optional<KeptVersion> version(qint64 historyId) const;
    // The deleted articles not brought back, the latest delete first, with number and
    // title (article.id, article.title) but no documents.
    QList<KeptVersion> deletedArticles() const;

    // Adds the deleted article back as a new row with the fields, documents and attachment
    // slots it had, in one transaction with its history, which goes on under the new row.
    // Returns the new row's key, or nothing when the article was brought back already.
    std::optional<qint64> undelete(qint64 historyId);

    // Drops up to `batch` of the oldest versions kept before the cutoff (UTC), in one
    // transaction. Returns how many it dropped: fewer than `batch` when none older is left.
    int pruneOlderThan(const QDateTime& cutoff, int batch);

    // A version's time as the windows show it: local time to the second.
    static QString shownTime(const QDateTime& utc);

    // The caption of a column as a version lists it ("Title", "Attachments", ...).
    static QString fieldCaption(const QString& column);
    // What a version's change did, as its list shows it: "Deleted", the captions of the
    // changed columns each once ("Title, Solution"), or "Formatting" when no words changed.
    static QString changeText(const KeptVersion& version);

private:
    Connection& m_db;
};
