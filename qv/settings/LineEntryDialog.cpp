#include "LineEntryDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

LineEntryDialog::LineEntryDialog(QWidget* parent, const char* objectName, const QString& title,
                                 const QString& caption, const QString& okCaption,
                                 const QString& cancelCaption)
    : QDialog(parent)
{
    setObjectName(QLatin1String(objectName));
    setWindowTitle(title);
    Label1 = new QLabel(caption, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setMinimumWidth(380);
    Label1->setBuddy(Text1);
    auto* buttons = new QDialogButtonBox(this);
    Command1 = buttons->addButton(okCaption, QDialogButtonBox::AcceptRole);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    Command2 = buttons->addButton(cancelCaption, QDialogButtonBox::RejectRole);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setAutoDefault(false);
    auto* page = new QVBoxLayout(this);
    page->addWidget(Label1);
    page->addWidget(Text1);
    page->addWidget(buttons);
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
}
