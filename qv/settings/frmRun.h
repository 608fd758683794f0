#pragma once

#include "settings/LineEntryDialog.h"

// The run dialog: starts the typed command line through the shell, its window minimized,
// and stays open; a command that cannot be started is ignored. Cancel hides the dialog and
// keeps what was typed for the next showing.
class frmRun : public LineEntryDialog
{
    Q_OBJECT

public:
    explicit frmRun(QWidget* parent = nullptr);
};
