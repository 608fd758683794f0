#include "ArticleHistory.h"

#include "article/ArticleRow.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Recordset.h"
#include "db/Store.h"
#include "history/HistorySchema.h"

namespace {

const QString kStoredTime = QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz");
const QString kEntryColumns =
    QStringLiteral("HistoryID, Change, ChangedAt, ChangedBy, ChangedFields");

// "YYYY-MM-DD HH:MM:SS.SSS" in UTC, read by position: a history list reads a thousand of
// them, and QDateTime::fromString() with a format costs a few hundred microseconds each.
QDateTime storedTime(const QString& text)
{
    const auto number = [&text](int from, int length) {
        return QStringView(text).mid(from, length).toInt();
    };
    return QDateTime(QDate(number(0, 4), number(5, 2), number(8, 2)),
                     QTime(number(11, 2), number(14, 2), number(17, 2), number(20, 3)), Qt::UTC);
}

// A row that begins with the entry columns.
KeptVersion entry(const QList<QVariant>& row)
{
    KeptVersion version;
    version.historyId = row.at(0).toLongLong();
    version.deleted = row.at(1).toString() == QLatin1String("Deleted");
    version.changedAt = storedTime(row.at(2).toString());
    version.changedBy = row.at(3).toString();
    version.changedFields = row.at(4).toString().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return version;
}

} // namespace

ArticleHistory::ArticleHistory(Connection& db) : m_db(db) {}

QList<KeptVersion> ArticleHistory::versions(qint64 recordId) const
{
    QList<KeptVersion> versions;
    m_db.store().select(QStringLiteral("SELECT %1 FROM QVHistory WHERE RecordID = ? ORDER BY "
                                       "HistoryID DESC")
                            .arg(kEntryColumns),
                        {recordId},
                        [&versions](QList<QVariant>&& row) { versions.append(entry(row)); });
    return versions;
}

std::optional<KeptVersion> ArticleHistory::version(qint64 historyId) const
{
    Recordset row;
    row.open(m_db, QStringLiteral("SELECT * FROM QVHistory WHERE HistoryID = ?"), {historyId});
    if (row.isEof())
        return std::nullopt;
    QList<QVariant> head;
    for (const QString& column : kEntryColumns.split(QStringLiteral(", ")))
        head.append(row.value(column));
    KeptVersion version = entry(head);
    version.article = ArticleRow::read(row);
    // The plain texts as kept, read by key: the article set reads them as the companions
    // of the documents.
    m_db.store().select(
        QStringLiteral("SELECT ProblemText, SolutionText FROM QVHistory WHERE HistoryID = ?"),
        {historyId}, [&version](QList<QVariant>&& texts) {
            version.article.problemText = texts.at(0).toString();
            version.article.solutionText = texts.at(1).toString();
        });
    for (int slot = 1; slot <= 10; ++slot)
        version.attachments.append(row.value(QStringLiteral("Image%1").arg(slot)).toString());
    return version;
}

QList<KeptVersion> ArticleHistory::deletedArticles() const
{
    QList<KeptVersion> deleted;
    m_db.store().select(
        QStringLiteral("SELECT %1, Id, Title FROM QVHistory WHERE Change = 'Deleted' AND NOT "
                       "EXISTS (SELECT 1 FROM QV WHERE QV.RecordID = QVHistory.RecordID) ORDER "
                       "BY HistoryID DESC")
            .arg(kEntryColumns),
        {}, [&deleted](QList<QVariant>&& row) {
            KeptVersion version = entry(row);
            version.article.id = row.at(5).toString();
            version.article.title = row.at(6).toString();
            deleted.append(version);
        });
    return deleted;
}

std::optional<qint64> ArticleHistory::undelete(qint64 historyId)
{
    Store& store = m_db.store();
    const QString columns = HistorySchema::articleColumns().join(QStringLiteral(", "));
    store.beginWrite();
    try {
        std::optional<qint64> oldKey;
        store.select(QStringLiteral("SELECT RecordID FROM QVHistory WHERE HistoryID = ? AND "
                                    "Change = 'Deleted' AND NOT EXISTS (SELECT 1 FROM QV WHERE "
                                    "QV.RecordID = QVHistory.RecordID)"),
                     {historyId},
                     [&oldKey](QList<QVariant>&& row) { oldKey = row.at(0).toLongLong(); });
        if (!oldKey) {
            store.rollback();
            return std::nullopt;
        }
        const qint64 newKey =
            store.write(QStringLiteral("INSERT INTO QV (%1) SELECT %1 FROM QVHistory WHERE "
                                       "HistoryID = ?")
                            .arg(columns),
                        {historyId});
        m_db.execute(QStringLiteral("UPDATE QVHistory SET RecordID = ? WHERE RecordID = ?"),
                     {newKey, *oldKey});
        store.commit();
        return newKey;
    } catch (const DbError&) {
        store.rollback();
        throw;
    }
}

int ArticleHistory::pruneOlderThan(const QDateTime& cutoff, int batch)
{
    const QString limit = cutoff.toUTC().toString(kStoredTime);
    Store& store = m_db.store();
    store.beginWrite();
    try {
        // Versions are numbered as they are kept: the old ones come first.
        int dropped = 0;
        qint64 last = 0;
        bool older = true; // still in the run of old versions at the start
        store.select(QStringLiteral("SELECT HistoryID, ChangedAt FROM QVHistory ORDER BY "
                                    "HistoryID LIMIT ?"),
                     {batch}, [&](QList<QVariant>&& row) {
                         older = older && row.at(1).toString() < limit;
                         if (older) {
                             last = row.at(0).toLongLong();
                             ++dropped;
                         }
                     });
        if (dropped > 0)
            m_db.execute(QStringLiteral("DELETE FROM QVHistory WHERE HistoryID <= ?"), {last});
        store.commit();
        return dropped;
    } catch (const DbError&) {
        store.rollback();
        throw;
    }
}

QString ArticleHistory::shownTime(const QDateTime& utc)
{
    return utc.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString ArticleHistory::fieldCaption(const QString& column)
{
    static const QHash<QString, QString> captions = {
        {QStringLiteral("id"), QStringLiteral("Number")},
        {QStringLiteral("cuname"), QStringLiteral("Category")},
        {QStringLiteral("techname"), QStringLiteral("Entered By")},
        {QStringLiteral("title"), QStringLiteral("Title")},
        {QStringLiteral("problem"), QStringLiteral("Problem")},
        {QStringLiteral("solution"), QStringLiteral("Solution")},
        {QStringLiteral("reference"), QStringLiteral("Reference")},
        {QStringLiteral("initialentry"), QStringLiteral("Initial Entry")},
        {QStringLiteral("editedby"), QStringLiteral("Edited By")},
        {QStringLiteral("dateedited"), QStringLiteral("Date Edited")}};
    const QString key = column.toLower();
    if (key.startsWith(QLatin1String("image")))
        return QStringLiteral("Attachments");
    return captions.value(key, column);
}

QString ArticleHistory::changeText(const KeptVersion& version)
{
    if (version.deleted)
        return QStringLiteral("Deleted");
    QStringList captions;
    for (const QString& column : version.changedFields) {
        const QString caption = fieldCaption(column);
        if (!captions.contains(caption))
            captions.append(caption);
    }
    return captions.isEmpty() ? QStringLiteral("Formatting") : captions.join(QStringLiteral(", "));
}
