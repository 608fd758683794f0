#pragma once

#include <QDate>
#include <QObject>
#include <QTimer>

class Connection;

// One copy of the database a day in the folder that the preferences name (BackupFolder of
// section UserPrefs; none when it is empty), the newest seven kept. The first check runs as
// soon as the event loop does, then once an hour for a program left running; a day's copy is
// tried once per run, and a failure is reported once.
class DailyBackup : public QObject
{
    Q_OBJECT

public:
    static constexpr int kKept = 7;

    DailyBackup(Connection& db, QObject* parent);

    // Makes the day's copy in the folder (made when missing) unless it is there, then removes
    // the oldest of the copies this class made until kKept remain; other files are left
    // alone. False with the reason in error when the copy could not be made.
    static bool backUp(const Connection& db, const QString& folder, const QDate& day,
                       QString* error);

private:
    void check();

    Connection& m_db;
    QDate m_lastDay;
    QTimer m_timer;
};
