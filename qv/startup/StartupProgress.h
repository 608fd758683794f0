#pragma once

#include "db/SchemaUpgrade.h"

#include <QString>

#include <memory>

class QProgressDialog;

// What the user sees while start-up is held up before the main window shows: a small window
// with the wait cursor when the knowledge base is locked by another program for longer than
// half a second, and the progress of a long upgrade. While it lives it is what a long wait
// of the database layer tells; afterwards a long wait shows the wait cursor over the
// program's windows.
class StartupProgress
{
public:
    StartupProgress();
    ~StartupProgress();
    StartupProgress(const StartupProgress&) = delete;
    StartupProgress& operator=(const StartupProgress&) = delete;

    // Rows of an upgrade done of the total (a total of 0: going on, uncounted).
    void upgrading(SchemaUpgrade::Step step, int done, int total);

private:
    void waiting();
    void show(const QString& label, int maximum, int value);

    std::unique_ptr<QProgressDialog> m_dialog;
};
