#include "frmOpenHTML.h"

#include "output/HtmlExport.h"
#include "shell/Shell.h"

#include <QHBoxLayout>
#include <QPushButton>

frmOpenHTML::frmOpenHTML(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmOpenHTML"));
    setWindowTitle(QStringLiteral("HTML File Created Successfully"));
    Command1 = new QPushButton(QStringLiteral("&Open File"), this);
    Command2 = new QPushButton(QStringLiteral("Open &Folder"), this);
    Command3 = new QPushButton(QStringLiteral("OK"), this);
    Command3->setDefault(true);
    auto* buttons = new QHBoxLayout(this);
    int number = 1;
    for (QPushButton* each : {Command1, Command2, Command3}) {
        each->setObjectName(QStringLiteral("Command%1").arg(number++));
        buttons->addWidget(each);
    }
    // The file opens with the program the desktop gives web pages, the folder in the file
    // manager.
    connect(Command1, &QPushButton::clicked, this, [] { shell().openDocument(HtmlExport::allFile()); });
    connect(Command2, &QPushButton::clicked, this, [] { shell().openDocument(HtmlExport::folder()); });
    connect(Command3, &QPushButton::clicked, this, &QDialog::hide);
}
