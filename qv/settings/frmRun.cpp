#include "frmRun.h"

#include "shell/Shell.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmRun::frmRun(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmRun"));
    setWindowTitle(QStringLiteral("Run"));
    auto* label = new QLabel(QStringLiteral("&Type the name of a: program , folder, or document "
                                            "and Orvane will open it for you."),
                             this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setWordWrap(true);
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setMinimumWidth(360);
    label->setBuddy(Text1);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("Command2"));
    cancel->setAutoDefault(false);
    auto* page = new QVBoxLayout(this);
    page->addWidget(label);
    page->addWidget(Text1);
    page->addWidget(buttons);
    connect(ok, &QPushButton::clicked, this, &frmRun::run);
    // Cancel and Esc hide the dialog; it keeps what was typed for the next showing.
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmRun::run()
{
    shell().startCommandLine(Text1->text(), Shell::WindowMode::Minimized);
}
