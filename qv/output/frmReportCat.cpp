#include "frmReportCat.h"

#include <QGridLayout>
#include <QLabel>

namespace {

QLabel* label(QWidget* parent, const char* name, const QString& text)
{
    auto* made = new QLabel(text, parent);
    made->setObjectName(QLatin1String(name));
    return made;
}

} // namespace

frmReportCat::frmReportCat(Connection& db, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmReportCat"));
    setWindowTitle(QStringLiteral("Articles By Category"));
    setAttribute(Qt::WA_DeleteOnClose);
    Label1 = label(this, "Label1", QStringLiteral("Label1"));
    lblTotal = label(this, "lblTotal", QStringLiteral("Total:"));
    lblGrandTotal = label(this, "lblGrandTotal", QStringLiteral("Label2"));
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
