#include "frmSetupUsers.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

frmNameList::Design design()
{
    return {"frmSetupUsers",
            QStringLiteral("Setup Users"),
            QStringLiteral("&Users:"),
            QStringLiteral("SELECT * FROM Users ORDER BY Users"),
            QStringLiteral("Users"),
            "Label1",
            "Command2",
            "Command3",
            "Command6",
            QStringLiteral("Quorvel can't delete this User because it is the ONLY Quorvel User. "
                           "Delete will leave Quorvel in an unstable condition. Delete process "
                           "stopped."),
            QStringLiteral("SELECT * FROM QV ORDER BY RecordID")};
}

} // namespace

const QString frmSetupUsers::ReadOnlyMessage =
    QStringLiteral("Can't display Users. The current user rights are set to read only.");

frmSetupUsers::frmSetupUsers(Connection& db, Recordset& articles, QWidget* mainWindow)
    : frmNameList(design(), db, articles, mainWindow)
{
}

void frmSetupUsers::startAdd()
{
    showEntryPanel(QStringLiteral("User Na&me:"), cmdAddOk);
    cmdCancel->show();
    cmdAddOk->setEnabled(true);
    cmdAdd->setEnabled(false);
    setRowButtonsEnabled(false);
}

void frmSetupUsers::afterAdd()
{
    hideEntryPanel();
    cmdAdd->setEnabled(true);
}

void frmSetupUsers::afterEdit()
{
    hideEntryPanel();
}
