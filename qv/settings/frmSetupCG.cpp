#include "frmSetupCG.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

frmNameList::Design design()
{
    return {"frmSetupCG",
            QStringLiteral("Setup Categories"),
            QStringLiteral("Ca&tegories:"),
            QStringLiteral("SELECT * FROM Categories ORDER BY Category"),
            QStringLiteral("category"),
            "Label2",
            "Command3",
            "Command2",
            "cmdEditOk",
            QStringLiteral("Quorvel can't delete this Category because it is the ONLY Quorvel "
                           "Category. Delete will leave Quorvel in an unstable condition. "
                           "Delete process stopped."),
            QStringLiteral("SELECT * FROM QV")};
}

} // namespace

const QString frmSetupCG::ReadOnlyMessage =
    QStringLiteral("Can't display Categories. The current user rights are set to read only.");

frmSetupCG::frmSetupCG(Connection& db, Recordset& articles, QWidget* mainWindow)
    : frmNameList(design(), db, articles, mainWindow)
{
}

void frmSetupCG::startAdd()
{
    cmdCancel->hide();
    showEntryPanel(QStringLiteral("Category Na&me:"), cmdAddOk);
    cmdAddOk->setEnabled(!Text1->text().isEmpty());
}

void frmSetupCG::afterAdd()
{
    hideEntryPanel();
}

void frmSetupCG::afterEdit()
{
    closeEntryPanel();
}
