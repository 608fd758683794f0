#pragma once

#include <QDialog>

// The general information dialog: where the database lies, how many articles the article
// set holds and what kind of database it is. The main window is blocked while it is open.
class General : public QDialog
{
    Q_OBJECT

public:
    General(int articleCount, QWidget* mainWindow);
};
