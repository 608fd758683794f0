#include "HistoryPruner.h"

#include "db/Connection.h"
#include "db/DbError.h"
#include "history/ArticleHistory.h"
#include "history/HistorySchema.h"
#include "settings/UserPrefs.h"

#include <QThread>

HistoryPruner* HistoryPruner::startIfWanted(Connection& db, QObject* owner, const QDateTime& now)
{
    const int days = UserPrefs::keptVersionDays();
    if (days <= 0 || db.isReadOnly() || !HistorySchema::isKept(db))
        return nullptr;
    return new HistoryPruner(db.path(), now.addDays(-days), owner);
}

void HistoryPruner::prune(Connection& db, const QDateTime& cutoff, const std::atomic<bool>& stop)
{
    try {
        ArticleHistory history(db);
        while (!stop && history.pruneOlderThan(cutoff, kBatch) == kBatch) {
        }
    } catch (const DbError&) {
    }
}

HistoryPruner::HistoryPruner(const QString& path, const QDateTime& cutoff, QObject* owner)
    : QObject(owner)
{
    m_thread.reset(QThread::create([this, path, cutoff] {
        try {
            Connection db;
            db.open(path);
            prune(db, cutoff, m_stop);
        } catch (const DbError&) {
        }
    }));
    m_thread->start(QThread::LowPriority);
}

HistoryPruner::~HistoryPruner()
{
    m_stop = true;
    wait();
}

void HistoryPruner::wait()
{
    m_thread->wait();
}
