#include "frmReportCat.h"

#include <QGridLayout>
#include <QLabel>

frmReportCat::frmReportCat(Connection& db, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmReportCat"));
    setWindowTitle(QStringLiteral("Articles By Category"));
    setAttribute(Qt::WA_DeleteOnClose);
    Label1 = new QLabel(QStringLiteral("Label1"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    lblTotal = new QLabel(QStringLiteral("Total:"), this);
    lblTotal->setObjectName(QStringLiteral("lblTotal"));
    lblGrandTotal = new QLabel(QStringLiteral("Label2"), this);
    lblGrandTotal->setObjectName(QStringLiteral("lblGrandTotal"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0, 1, 2);
    grid->addWidget(lblTotal, 1, 0);
    grid->addWidget(lblGrandTotal, 1, 1);
    grid->setColumnStretch(1, 1);
    setMinimumWidth(260);

    rsReport.open(db, QStringLiteral("SELECT category FROM Categories ORDER BY category"));
    // An empty list shows an empty name and 0.
    Label1->setText(rsReport.isEof() ? QString()
                                     : rsReport.value(QStringLiteral("category")).toString());
    lblGrandTotal->setText(QString::number(rsReport.recordCount()));
}
