#pragma once

#include <QDialog>

class QLineEdit;

// The run dialog: starts the typed command line through the shell, its window minimized,
// and stays open; a command that cannot be started is ignored. Cancel hides the dialog.
class frmRun : public QDialog
{
    Q_OBJECT

public:
    explicit frmRun(QWidget* parent = nullptr);

private:
    void run();

    QLineEdit* Text1 = nullptr;
};
