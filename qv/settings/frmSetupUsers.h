#pragma once

#include "settings/frmNameList.h"

// The author list window: adds, renames and deletes the names of table Users. While a
// name is added every list button is disabled and Cancel is offered. Closing reopens the
// article set in the order the articles were stored.
class frmSetupUsers : public frmNameList
{
    Q_OBJECT

public:
    static const QString ReadOnlyMessage;

    frmSetupUsers(Connection& db, Recordset& articles, QWidget* mainWindow);

protected:
    void startAdd() override;
    void afterAdd() override;
    void afterEdit() override;
};
