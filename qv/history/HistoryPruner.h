#pragma once

#include <QDateTime>
#include <QObject>

#include <atomic>
#include <memory>

class Connection;
class QThread;

// Drops the versions older than the preferences keep, on a thread and connection of its
// own, a small batch per transaction so that no save of this or another program waits
// long for it. Destroying the pruner stops it after the batch under way.
class HistoryPruner : public QObject
{
    Q_OBJECT

public:
    static constexpr int kBatch = 500;

    // Starts pruning the database of the connection when the preferences keep only the
    // versions of the last days and the database keeps history and can be written; the
    // pruner is a child of the owner. Returns it, or nothing when there is nothing to do.
    static HistoryPruner* startIfWanted(Connection& db, QObject* owner,
                                        const QDateTime& now = QDateTime::currentDateTimeUtc());

    // Drops every version older than the cutoff, batch by batch, until none is left or
    // `stop` is set. Engine errors end it quietly: the next start tries again.
    static void prune(Connection& db, const QDateTime& cutoff, const std::atomic<bool>& stop);

    ~HistoryPruner() override;

    // Waits until the pruning has ended.
    void wait();

private:
    HistoryPruner(const QString& path, const QDateTime& cutoff, QObject* owner);

    std::atomic<bool> m_stop{false};
    std::unique_ptr<QThread> m_thread;
};
