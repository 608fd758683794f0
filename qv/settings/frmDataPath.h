#pragma once

#include <QDialog>
#include <functional>

class QLineEdit;

// The database path dialog: edits Path of section General. OK writes the path as typed;
// when it differs from the text at opening the user is told to restart and the program
// ends, since the running program keeps its open database. A write that fails is reported
// and the dialog stays open. The main window is blocked while the dialog is open.
class frmDataPath : public QDialog
{
    Q_OBJECT

public:
    static const QString ReadOnlyMessage;

    // `endProgram` ends the program the way the main window's Exit does (asking about
    // unsaved edits first); false when the user chose to stay.
    frmDataPath(QWidget* mainWindow, std::function<bool()> endProgram);

private:
    void save();

    std::function<bool()> m_endProgram;
    QLineEdit* Text1 = nullptr;
    QString m_loadedPath;
};
