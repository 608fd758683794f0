#include "frmOpenHTML.h"

#include "output/HtmlExport.h"
#include "shell/Shell.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& caption)
{
    auto* made = new QPushButton(caption, parent);
    made->setObjectName(QLatin1String(name));
    return made;
}

} // namespace

frmOpenHTML::frmOpenHTML(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmOpenHTML"));
    setWindowTitle(QStringLiteral("HTML File Created Successfully"));
    Command1 = button(this, "Command1", QStringLiteral("&Open File"));
    Command2 = button(this, "Command2", QStringLiteral("Open &Folder"));
    Command3 = button(this, "Command3", QStringLiteral("OK"));
    Command3->setDefault(true);
    auto* buttons = new QHBoxLayout(this);
    for (QPushButton* each : {Command1, Command2, Command3})
        buttons->addWidget(each);
    // The file opens with the program the desktop gives web pages, the folder in the file
    // manager.
    connect(Command1, &QPushButton::clicked, this, [] { shell().openDocument(HtmlExport::allFile()); });
    connect(Command2, &QPushButton::clicked, this, [] { shell().openDocument(HtmlExport::folder()); });
    connect(Command3, &QPushButton::clicked, this, &QDialog::hide);
}
