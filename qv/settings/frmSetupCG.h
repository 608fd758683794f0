#pragma once

#include "settings/frmNameList.h"

// The category list window: adds, renames and deletes the names of table Categories.
// Adding shows no Cancel and leaves the list buttons as they are; OK for an add is enabled
// once the box holds text or is changed.
class frmSetupCG : public frmNameList
{
    Q_OBJECT

public:
    static const QString ReadOnlyMessage;

    frmSetupCG(Connection& db, Recordset& articles, QWidget* mainWindow);

protected:
    void startAdd() override;
    void afterAdd() override;
    void afterEdit() override;
};
