#pragma once

#include "RecordingDialogs.h"
#include "RecordingShell.h"
#include "TempProgramFolder.h"
#include "startup/Main.h"

class QAction;
class Recordset;
class Session;
class frmDisplay;
class frmMain;

// Quorvel on a fresh database of numbered articles in a temporary program folder, with
// recording dialogs and shell installed while the object lives.
class RunningQuorvel
{
public:
    // Makes the folder and the database, with the extra SQL run on it; start() runs the
    // start-up.
    explicit RunningQuorvel(int articles, const QString& extraSql = {});
    ~RunningQuorvel();

    // Runs the start-up again (after ending the running program): true when the main
    // window came up.
    bool start();

    TempProgramFolder& folder() { return m_folder; }
    RecordingDialogs& dialogs() { return m_dialogs; }
    RecordingShell& shell() { return m_shell; }
    Program& program() { return m_program; }
    frmMain& main();
    frmDisplay& display();
    Session& session() { return *m_program.session; }
    Recordset& articles();
    QString database() const { return m_database; }

    // The main window's menu item or toolbar button of that name, and triggering it.
    QAction* action(const char* name);
    void trigger(const char* name);
    // The rows of a query on the database, read past the program (SqlScript::rows).
    QStringList rows(const QString& sql) const;

private:
    TempProgramFolder m_folder;
    QString m_database;
    RecordingDialogs m_dialogs;
    RecordingShell m_shell;
    Program m_program;
};
