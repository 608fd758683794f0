#pragma once

#include "history/KeptVersion.h"

#include <QDialog>
#include <QList>

class QPushButton;
class QTreeWidget;

// File > Deleted Articles...: the deleted articles with number, title, when and by whom,
// the latest delete first; Restore asks the main window to bring the chosen one back. The
// main window is blocked while the window is open.
class frmDeletedArticles : public QDialog
{
    Q_OBJECT

public:
    frmDeletedArticles(const QList<KeptVersion>& deleted, QWidget* mainWindow);

    QTreeWidget* lstDeleted = nullptr;
    QPushButton* cmdRestore = nullptr;
    QPushButton* cmdClose = nullptr;

Q_SIGNALS:
    void undeleteRequested(qint64 historyId);

private:
    QList<KeptVersion> m_deleted;
};
