#pragma once

#include "db/Recordset.h"

#include <QDialog>

class Connection;
class QLabel;

// "Articles By Category": the first category in alphabetical order and how many there are.
class frmReportCat : public QDialog
{
    Q_OBJECT

public:
    explicit frmReportCat(Connection& db, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLabel* lblTotal = nullptr;
    QLabel* lblGrandTotal = nullptr;

private:
    // Held while the window is open; it goes with the window.
    Recordset rsReport;
};
