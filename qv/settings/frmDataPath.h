#pragma once

#include "settings/LineEntryDialog.h"

#include <functional>

// The database path dialog: edits Path of section General. OK writes the path as typed (a
// server address only when it names a server and a database and holds no password);
// when it differs from the text at opening the user is told to restart and the program
// ends, since the running program keeps its open database. A write that fails is reported
// and the dialog stays open. The main window is blocked while the dialog is open.
class frmDataPath : public LineEntryDialog
{
    Q_OBJECT

public:
    static const QString ReadOnlyMessage;

    // `endProgram` ends the program the way the main window's Exit does, asking about
    // unsaved edits first; the user may choose to stay. The dialog closes either way.
    frmDataPath(QWidget* mainWindow, std::function<void()> endProgram);

private:
    void save();

    std::function<void()> m_endProgram;
    QString m_loadedPath;
};
