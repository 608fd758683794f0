#include "frmNewPassword.h"

#include "security/Accounts.h"
#include "security/SecurityControls.h"
#include "startup/AppInfo.h"
#include "ui/Dialogs.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmNewPassword::frmNewPassword(Connection& db, Selection selectedAccount, QWidget* parent)
    : QDialog(parent), m_db(db), m_selectedAccount(std::move(selectedAccount))
{
    setObjectName(QStringLiteral("frmNewPassword"));
    Text1 = passwordBox(this, "Text1");
    Text2 = passwordBox(this, "Text2");
    Command1 = new QPushButton(QStringLiteral("&OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &frmNewPassword::Command1_Click);

    auto* boxes = new QFormLayout;
    boxes->addRow(QStringLiteral("&New Password:"), Text1);
    boxes->addRow(QStringLiteral("&Confirm Password:"), Text2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    auto* page = new QVBoxLayout(this);
    page->addLayout(boxes);
    page->addLayout(buttons);
    setMinimumWidth(320);
}

frmNewPassword::~frmNewPassword() = default;

void frmNewPassword::Command1_Click()
{
    if (Text2->text() != Text1->text()) {
        dialogs().inform(QStringLiteral("Passwords differ. Please try again."), AppInfo::kTitle,
                         this);
        return;
    }
    // The selection may have gone, or its account, since the dialog was opened.
    const std::optional<QString> account = m_selectedAccount();
    if (!account || !Accounts(m_db).setPassword(*account, Text1->text())) {
        dialogs().inform(kSelectAccount, AppInfo::kTitle, this);
        return;
    }
    Text1->clear();
    Text2->clear();
    dialogs().inform(QStringLiteral("Password changed."), AppInfo::kTitle, this);
    hide();
}

void frmNewPassword::reject()
{
    Text1->clear();
    Text2->clear();
    QDialog::reject();
}
